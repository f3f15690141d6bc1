// The whole conversation with the user, pass by pass.
#include "Dialog.hpp"

#include <cstdint>
#include <istream>
#include <ostream>

#include "Durchgang.hpp"
#include "Fortsetzen.hpp"
#include "Kanaele.hpp"
#include "Texte.hpp"
#include "gaps/Abstandsdatei.hpp"
#include "platform/Fehlerausgabe.hpp"
#include "platform/Leser.hpp"
#include "platform/Schreiber.hpp"

namespace {

void BannerSchreiben(std::ostream& aus) {
  aus << texte::BannerZeile1 << texte::BannerZeile2 << texte::Datenpfad
      << texte::BannerPfadEnde;
}

// A read that fails, overflowing ones included, counts as 0 so that it can
// never pass for a range nobody typed.
std::uint32_t ZahlLesen(std::istream& ein) {
  std::uint32_t Zahl = 0;
  if (!(ein >> Zahl)) {
    return 0;
  }
  return Zahl;
}

// A read that failed (not the end of the input) ends the dialogue at that
// read: nothing more is shown.
Ausgang Gelesen(const Kanaele& k) {
  if (const int Nummer = k.Eingabe.Fehlernummer()) {
    k.fehler.Zeile(texte::EingabeVerloren, Nummer);
    return Ende{1};
  }
  return std::nullopt;
}

// Prompts for both bounds; `Bereich`: whether they make a range.
Ausgang BereichLesen(const Kanaele& k, std::uint32_t& Minimalwert,
                     std::uint32_t& Maximalwert, bool& Bereich) {
  k.aus << texte::BitteMinimalwert;
  Minimalwert = ZahlLesen(k.ein);
  if (Ausgang a = Gelesen(k)) {
    return a;
  }
  k.aus << texte::BitteMaximalwert;
  Maximalwert = ZahlLesen(k.ein);
  Bereich = Minimalwert < Maximalwert;
  return Gelesen(k);
}

void Beschweren(std::ostream& aus, std::uint32_t Minimalwert,
                std::uint32_t Maximalwert) {
  aus << texte::FalscheEingabe << texte::BeschwerdeAnfang << Minimalwert
      << texte::BeschwerdeUnd << Maximalwert << texte::BeschwerdeEnde;
}

// The continue question: nothing after a yes; after a no the end, unless
// the question itself could not be shown or the answer not be read.
Ausgang Weiter(const Kanaele& k) {
  if (Fortsetzen(k.ein, k.aus)) {
    return std::nullopt;
  }
  if (k.aus.fail()) {
    return AusgabeVerloren(k);
  }
  if (Ausgang a = Gelesen(k)) {
    return a;
  }
  return Ende{};
}

// The passes, until the user stops.
Ende Gespraech(const Kanaele& k) {
  std::ostream& aus = k.aus;
  std::uint32_t Minimalwert = 0;
  std::uint32_t Maximalwert = 0;
  for (;;) {
    if (!ZeileBeenden(aus)) {
      return AusgabeVerloren(k);
    }
    BannerSchreiben(aus);
    for (bool Bereich = false; !Bereich;) {
      if (const Ausgang a =
              BereichLesen(k, Minimalwert, Maximalwert, Bereich)) {
        return *a;
      }
      if (!Bereich) {
        Beschweren(aus, Minimalwert, Maximalwert);
        if (const Ausgang a = Weiter(k)) {
          return *a;
        }
      }
    }
    if (const Ausgang a = Durchgang(k).Ausfuehren(Minimalwert, Maximalwert)) {
      return *a;
    }
    if (const Ausgang a = Weiter(k)) {
      return *a;
    }
  }
}

}  // namespace

Ende Dialog(Leser& Eingabe, Schreiber& Ausgabe, const Fehlerausgabe& fehler,
            const char* Pfad) {
  std::istream ein(&Eingabe);
  std::ostream aus(&Ausgabe);
  const Kanaele k{ein, Eingabe, aus, Ausgabe, fehler, Pfad};
  // Output appended to the data file would spoil it for every pass: refused
  // before the first byte, the file keeps all of its own. So is output that
  // cannot be told apart from it.
  if (const Ausgang a = InDieDateiPruefen(fehler, Pfad, Ausgabe.Ziel(),
                                          Oeffnung::IstDieAusgabe)) {
    return *a;
  }
  // Every prompt shows before a read waits, as with cin tied to cout.
  std::ostream* const Vorher = ein.tie(&aus);
  const Ende e = Gespraech(k);
  ein.tie(Vorher);
  return e;
}
