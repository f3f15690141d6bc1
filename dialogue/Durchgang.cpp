// One pass: open, list and store, sum up, close.
#include "Durchgang.hpp"

#include "Texte.hpp"
#include "gaps/Listenzeile.hpp"
#include "gaps/Primzahlabstand.hpp"
#include "platform/Fehlerausgabe.hpp"
#include "platform/Schreiber.hpp"
#include "platform/Unterbrechung.hpp"

namespace {

void Abschliessen(std::ostream& aus, std::uint32_t Minimalwert,
                  std::uint32_t Maximalwert, std::uint32_t GroessterAbstand) {
  aus << texte::SummeVon << Minimalwert << texte::SummeBis << Maximalwert;
  ZeileBeenden(aus);
  aus << texte::GroessterAbstandIst << GroessterAbstand;
  ZeileBeenden(aus);
  aus << texte::Abschied;
  ZeileBeenden(aus);
}

// No file is open any more: from now on an interrupt ends the program at
// once, and one noted during the pass ends it now, by its signal.
Ausgang Verlassen() {
  unterbrechung::DurchgangOffen(false);
  if (const int Signal = unterbrechung::NotiertesSignal(); Signal != 0) {
    return Ende{0, Signal};
  }
  return std::nullopt;
}

}  // namespace

// The writers under the file stop waiting once an interrupt is noted.
Durchgang::Durchgang(const Kanaele& k)
    : k_(k), Datei_(unterbrechung::Unterbrochen) {}

Ausgang Durchgang::Ausfuehren(std::uint32_t& Minimalwert,
                              std::uint32_t Maximalwert) {
  if (k_.aus.fail()) {
    return AusgabeVerloren(k_);  // before the file is truncated
  }
  unterbrechung::DurchgangOffen(true);  // an interrupt is only noted now
  if (const Oeffnung o =
          Datei_.Oeffnen(k_.Pfad, k_.Ausgabe.Ziel(), k_.fehler.Ziel());
      o != Oeffnung::Offen) {
    if (Ausgang a = Verlassen()) {
      return a;
    }
    NichtGeoeffnet(k_.fehler, k_.Pfad, o, Datei_.Fehlernummer());
    return Ende{1};
  }
  if (ZeileBeenden(k_.aus)) {
    const std::uint32_t GroessterAbstand = Auflisten(Minimalwert, Maximalwert);
    if (!k_.aus.fail() && !unterbrechung::Unterbrochen()) {
      Abschliessen(k_.aus, Minimalwert, Maximalwert, GroessterAbstand);
    }
  }
  return Beenden();
}

// One line per prime, and its gap byte once the line is shown. Stops early
// when the output fails or an interrupt is noted.
std::uint32_t Durchgang::Auflisten(std::uint32_t& Minimalwert,
                                   std::uint32_t Maximalwert) {
  return PrimzahlenSuchen(
      Minimalwert, Maximalwert, [this](const PrimzahlFund& Fund) {
        if (unterbrechung::Unterbrochen() || !ZeileSchreiben(k_.aus, Fund)) {
          return false;
        }
        Datei_.Schreiben(Fund.Abstand);
        return true;
      });
}

// Closes the file whatever happened. A file not fully written is always
// said, first; then the first cause of an early end decides: an interrupt,
// lost output (its own line, or SIGPIPE), or the file.
Ausgang Durchgang::Beenden() {
  const bool DateiGeschrieben = Datei_.Schliessen();
  const Ausgang Unterbrochen = Verlassen();
  if (!DateiGeschrieben) {
    DateiNichtGeschrieben(k_, Datei_.Fehlernummer());
  }
  if (Unterbrochen) {
    return Unterbrochen;
  }
  if (k_.aus.fail()) {
    return AusgabeVerloren(k_);
  }
  return DateiGeschrieben ? std::nullopt : Ausgang(Ende{1});
}
