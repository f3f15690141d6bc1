// The whole conversation with the user, pass by pass.
#include "Dialog.hpp"

#include <cerrno>
#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "Fehlerausgabe.hpp"
#include "Fortsetzen.hpp"
#include "Leser.hpp"
#include "Unterbrechung.hpp"
#include "gaps/Abstandsdatei.hpp"
#include "gaps/Listenzeile.hpp"
#include "gaps/Primzahlabstand.hpp"
#include "gaps/Schreiber.hpp"

namespace {

// A pass's outcome: nothing while the dialogue goes on.
using Ausgang = std::optional<Ende>;

struct Konsole {
  std::istream& ein;
  const Leser& Eingabe;  // the reader below `ein`
  std::ostream& aus;
  const Schreiber& Ausgabe;  // the writer below `aus`
  const Fehlerausgabe& fehler;
  const char* Pfad;
};

std::string DieDatei(const Konsole& k, const char* Was) {
  return std::string("Die Datei ") + k.Pfad + Was;
}

// Why the pass's file was not opened: a reason of the system's, or one of
// the file's own, which needs no errno.
void NichtGeoeffnet(const Konsole& k, Oeffnung o, int Nummer) {
  if (o == Oeffnung::Gescheitert) {
    k.fehler.Zeile(DieDatei(k, " kann nicht geoeffnet werden"), Nummer);
    return;
  }
  k.fehler.Zeile(o == Oeffnung::Gesperrt
                     ? DieDatei(k,
                                " wird gerade von einem anderen Programm "
                                "benutzt")
                 : o == Oeffnung::FremderVerweis
                     ? DieDatei(k,
                                " ist ein Verweis eines anderen Benutzers "
                                "und wird nicht geschrieben")
                     : std::string("Die Ausgabe geht in die Datei ") + k.Pfad +
                           " selbst; sie wird nicht geschrieben");
}

// Standard output is lost. A reader that has gone ends the program by
// SIGPIPE where that signal would have; any other loss is reported.
Ende AusgabeVerloren(const Konsole& k) {
  const int Nummer = k.Ausgabe.Fehlernummer();
  if (const int Signal = unterbrechung::RohrbruchSignal();
      Nummer == EPIPE && Signal != 0) {
    return Ende{0, Signal};
  }
  k.fehler.Zeile("Die Ausgabe konnte nicht geschrieben werden", Nummer);
  return Ende{1};
}

bool ZeileBeenden(std::ostream& aus) {
  aus << std::endl;
  return !aus.fail();
}

void BannerSchreiben(std::ostream& aus) {
  aus << "Dieses Programm berechnet Primzahlen und deren Abstand voneinander. "
         "\n"
      << "Die Abst\xE4"
         "nde zwischen den Primzahlen werden in folgender Datei gespeichert: "
         "\n"
      << Datenpfad << " \n \n";
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
Ausgang Gelesen(const Konsole& k) {
  if (const int Nummer = k.Eingabe.Fehlernummer()) {
    k.fehler.Zeile("Die Eingabe konnte nicht gelesen werden", Nummer);
    return Ende{1};
  }
  return std::nullopt;
}

// Prompts for both bounds; `Bereich`: whether they make a range.
Ausgang BereichLesen(const Konsole& k, std::uint32_t& Minimalwert,
                     std::uint32_t& Maximalwert, bool& Bereich) {
  k.aus << "Bitte Minimalwert eingeben: \n";
  Minimalwert = ZahlLesen(k.ein);
  if (Ausgang a = Gelesen(k)) {
    return a;
  }
  k.aus << "Bitte Maximalwert eingeben: \n";
  Maximalwert = ZahlLesen(k.ein);
  Bereich = Minimalwert < Maximalwert;
  return Gelesen(k);
}

void Beschweren(std::ostream& aus, std::uint32_t Minimalwert,
                std::uint32_t Maximalwert) {
  aus << "Falsche Eingabe! \a \n"
      << "Sie haben " << Minimalwert << " und " << Maximalwert
      << " eingegeben. \n";
}

// The listing: one line per prime, and its gap byte once the line is shown.
// Stops early when the output fails or an interrupt is noted.
std::uint32_t Auflisten(const Konsole& k, Abstandsdatei& Datei,
                        std::uint32_t& Minimalwert, std::uint32_t Maximalwert) {
  return PrimzahlenSuchen(
      Minimalwert, Maximalwert, [&](const PrimzahlFund& Fund) {
        if (unterbrechung::Anfrage != 0 || !ZeileSchreiben(k.aus, Fund)) {
          return false;
        }
        Datei.Schreiben(Fund.Abstand);
        return true;
      });
}

void Abschliessen(std::ostream& aus, std::uint32_t Minimalwert,
                  std::uint32_t Maximalwert, std::uint32_t GroessterAbstand) {
  aus << "sind Primzahlen von " << Minimalwert << " bis " << Maximalwert;
  ZeileBeenden(aus);
  aus << "Der groesste Abstand zwischen zwei Primzahlen ist "
      << GroessterAbstand;
  ZeileBeenden(aus);
  aus << "Viele Gruesse von Quelmarn (Zerlip)";
  ZeileBeenden(aus);
}

// No file is open any more: from now on an interrupt ends the program at
// once, and one noted during the pass ends it now.
Ausgang KeinDurchgangOffen() {
  unterbrechung::DurchgangOffen(false);
  if (const int Signal = unterbrechung::Anfrage; Signal != 0) {
    return Ende{0, Signal};
  }
  return std::nullopt;
}

// Closes the pass's file whatever happened; then the first cause of an early
// end decides: an interrupt, lost output, or a file not fully written. A file
// that failed is reported before an interrupt ends the program, too.
Ausgang DurchgangBeenden(const Konsole& k, Abstandsdatei& Datei) {
  const bool DateiGeschrieben = Datei.Schliessen();
  const Ausgang Unterbrochen = KeinDurchgangOffen();
  if (!DateiGeschrieben && (Unterbrochen || !k.aus.fail())) {
    k.fehler.Zeile(DieDatei(k, " konnte nicht vollstaendig geschrieben werden"),
                   Datei.Fehlernummer());
  }
  if (Unterbrochen) {
    return Unterbrochen;
  }
  if (k.aus.fail()) {
    return AusgabeVerloren(k);
  }
  return DateiGeschrieben ? std::nullopt : Ausgang(Ende{1});
}

// Lists the primes of an accepted range and stores their gaps.
Ausgang Durchgang(const Konsole& k, std::uint32_t& Minimalwert,
                  std::uint32_t Maximalwert) {
  if (k.aus.fail()) {
    return AusgabeVerloren(k);  // before the file is truncated
  }
  Abstandsdatei Datei(&unterbrechung::Anfrage);
  unterbrechung::DurchgangOffen(true);
  if (const Oeffnung o = Datei.Oeffnen(k.Pfad, k.Ausgabe.Ziel());
      o != Oeffnung::Offen) {
    if (Ausgang a = KeinDurchgangOffen()) {
      return a;
    }
    NichtGeoeffnet(k, o, Datei.Fehlernummer());
    return Ende{1};
  }
  if (ZeileBeenden(k.aus)) {
    const std::uint32_t GroessterAbstand =
        Auflisten(k, Datei, Minimalwert, Maximalwert);
    if (!k.aus.fail() && unterbrechung::Anfrage == 0) {
      Abschliessen(k.aus, Minimalwert, Maximalwert, GroessterAbstand);
    }
  }
  return DurchgangBeenden(k, Datei);
}

// The continue question: nothing after a yes; after a no the end, unless
// the question itself could not be shown or the answer not be read.
Ausgang Weiter(const Konsole& k) {
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
Ende Gespraech(const Konsole& k) {
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
    if (const Ausgang a = Durchgang(k, Minimalwert, Maximalwert)) {
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
  const Konsole k{ein, Eingabe, aus, Ausgabe, fehler, Pfad};
  // Output appended to the data file would spoil it for every pass: refused
  // before the first byte, the file keeps all of its own. So is output that
  // cannot be told apart from it.
  int Nummer = 0;
  if (const Oeffnung o =
          Abstandsdatei::AusgabePruefen(Pfad, Ausgabe.Ziel(), &Nummer);
      o != Oeffnung::Offen) {
    NichtGeoeffnet(k, o, Nummer);
    return Ende{1};
  }
  // Every prompt shows before a read waits, as with cin tied to cout.
  std::ostream* const Vorher = ein.tie(&aus);
  const Ende e = Gespraech(k);
  ein.tie(Vorher);
  return e;
}
