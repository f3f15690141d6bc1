// The raw gap file.
#include "Abstandsdatei.hpp"

#include <cerrno>

#include "Plattform.hpp"

Oeffnung Abstandsdatei::Oeffnen(const char* Pfad, int Ausgabe) {
  // Someone else's link is not even opened: opening a device or a FIFO
  // already does something.
  if (!plattform::Erlaubt(Pfad, -1)) {
    return Oeffnung::FremderVerweis;
  }
  const int d = plattform::Oeffnen(Pfad);
  if (d < 0) {
    Schreiber_.Scheitern(errno);
    return Oeffnung::Gescheitert;
  }
  const Oeffnung o = Pruefen(Pfad, d, Ausgabe);
  if (o == Oeffnung::Offen) {
    Schreiber_.Ziel(d);
  } else {
    plattform::Schliessen(d);
  }
  return o;
}

// Only a regular file is locked and truncated: a device or a FIFO has
// nothing to truncate, and /dev/null or /dev/full refuse it.
Oeffnung Abstandsdatei::Pruefen(const char* Pfad, int d, int Ausgabe) {
  if (!plattform::Erlaubt(Pfad, d)) {
    return Oeffnung::FremderVerweis;
  }
  if (!plattform::IstDatei(d)) {
    return Oeffnung::Offen;
  }
  if (Ausgabe >= 0 && plattform::IstDatei(Ausgabe) &&
      plattform::GleicheDatei(d, Ausgabe)) {
    return Oeffnung::IstDieAusgabe;
  }
  if (!plattform::Sperren(d)) {
    return Oeffnung::Gesperrt;
  }
  if (plattform::Kuerzen(d) != 0) {
    Schreiber_.Scheitern(errno);
    return Oeffnung::Gescheitert;
  }
  return Oeffnung::Offen;
}

bool Abstandsdatei::Schliessen() {
  const int d = Schreiber_.Ziel();
  if (d < 0) {
    return Schreiber_.Gut();
  }
  // A device or a pipe is not synced: there is no disk to put the bytes on,
  // and a pass that stored nothing must not fail on /dev/full.
  if (Schreiber_.Leeren() && plattform::IstDatei(d) &&
      plattform::Synchronisieren(d) != 0) {
    Schreiber_.Scheitern(errno);
  }
  if (plattform::Schliessen(d) != 0) {
    Schreiber_.Scheitern(errno);
  }
  Schreiber_.Ziel(-1);
  return Schreiber_.Gut();
}
