// The whole conversation with the user, pass by pass.
#include "Dialog.hpp"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <istream>
#include <ostream>
#include <string>

#include "Fortsetzen.hpp"
#include "gaps/Abstandsdatei.hpp"
#include "gaps/Listenzeile.hpp"
#include "gaps/Primzahlabstand.hpp"

namespace {

constexpr int Weiter = -1;  // not an exit status: the dialogue goes on

struct Konsole {
  std::istream& ein;
  std::ostream& aus;
  std::ostream& fehler;
  const char* Pfad;
};

// One line "primzahlabstand: what: why", as command-line tools report.
void Melden(const Konsole& k, const std::string& Was, int Nummer) {
  k.fehler << "primzahlabstand: " << Was << ": " << std::strerror(Nummer)
           << std::endl;
}

std::string DieDatei(const Konsole& k, const char* Was) {
  return std::string("Die Datei ") + k.Pfad + Was;
}

// Standard output is lost: keep what reached the data file and stop.
int AusgabeVerloren(const Konsole& k, Abstandsdatei* Datei) {
  const int Nummer = errno != 0 ? errno : EIO;
  if (Datei != nullptr) {
    Datei->Schliessen();
  }
  Melden(k, "Die Ausgabe konnte nicht geschrieben werden", Nummer);
  return 1;
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
      << "c:/temp/PRIMraw8bit.dat \n \n";
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

// Prompts for both bounds; true when they make a range.
bool BereichLesen(const Konsole& k, std::uint32_t& Minimalwert,
                  std::uint32_t& Maximalwert) {
  k.aus << "Bitte Minimalwert eingeben: \n";
  Minimalwert = ZahlLesen(k.ein);
  k.aus << "Bitte Maximalwert eingeben: \n";
  Maximalwert = ZahlLesen(k.ein);
  return Minimalwert < Maximalwert;
}

void Beschweren(std::ostream& aus, std::uint32_t Minimalwert,
                std::uint32_t Maximalwert) {
  aus << "Falsche Eingabe! \a \n"
      << "Sie haben " << Minimalwert << " und " << Maximalwert
      << " eingegeben. \n";
}

bool Abschliessen(std::ostream& aus, std::uint32_t Minimalwert,
                  std::uint32_t Maximalwert, std::uint32_t GroessterAbstand) {
  aus << "sind Primzahlen von " << Minimalwert << " bis " << Maximalwert;
  ZeileBeenden(aus);
  aus << "Der groesste Abstand zwischen zwei Primzahlen ist "
      << GroessterAbstand;
  ZeileBeenden(aus);
  aus << "Viele Gruesse von Quelmarn (Zerlip)";
  return ZeileBeenden(aus);
}

// Lists the primes of an accepted range and stores their gaps.
int Durchgang(const Konsole& k, std::uint32_t& Minimalwert,
              std::uint32_t Maximalwert) {
  if (k.aus.fail()) {
    return AusgabeVerloren(k, nullptr);  // before the file is truncated
  }
  Abstandsdatei Datei;
  if (!Datei.Oeffnen(k.Pfad)) {
    Melden(k, DieDatei(k, " kann nicht geoeffnet werden"),
           Datei.Fehlernummer());
    return 1;
  }
  if (!ZeileBeenden(k.aus)) {
    return AusgabeVerloren(k, &Datei);
  }
  const std::uint32_t GroessterAbstand =
      PrimzahlenSuchen(Minimalwert, Maximalwert, [&](const PrimzahlFund& Fund) {
        if (!ZeileSchreiben(k.aus, Fund)) {
          return false;
        }
        Datei.Schreiben(Fund.Abstand);
        return true;
      });
  if (k.aus.fail() ||
      !Abschliessen(k.aus, Minimalwert, Maximalwert, GroessterAbstand)) {
    return AusgabeVerloren(k, &Datei);
  }
  if (!Datei.Schliessen()) {
    Melden(k, DieDatei(k, " konnte nicht vollstaendig geschrieben werden"),
           Datei.Fehlernummer());
    return 1;
  }
  return Weiter;
}

// After a no: the end, unless the question itself could not be shown.
int Ende(const Konsole& k) {
  return k.aus.fail() ? AusgabeVerloren(k, nullptr) : 0;
}

}  // namespace

int Dialog(std::istream& ein, std::ostream& aus, std::ostream& fehler,
           const char* Pfad) {
  const Konsole k{ein, aus, fehler, Pfad};
  std::uint32_t Minimalwert = 0;
  std::uint32_t Maximalwert = 0;
  for (;;) {
    if (!ZeileBeenden(aus)) {
      return AusgabeVerloren(k, nullptr);
    }
    BannerSchreiben(aus);
    while (!BereichLesen(k, Minimalwert, Maximalwert)) {
      Beschweren(aus, Minimalwert, Maximalwert);
      if (!Fortsetzen(ein, aus)) {
        return Ende(k);
      }
    }
    if (const int Status = Durchgang(k, Minimalwert, Maximalwert);
        Status != Weiter) {
      return Status;
    }
    if (!Fortsetzen(ein, aus)) {
      return Ende(k);
    }
  }
}
