// The raw gap file.
#include "Abstandsdatei.hpp"

#include <cerrno>
#include <optional>

#include "Plattform.hpp"

namespace {

// Both are regular files, and the same one.
bool GleicheDatei(const std::optional<plattform::Kennung>& a,
                  const std::optional<plattform::Kennung>& b) {
  return a && b && plattform::GleicheDatei(*a, *b);
}

}  // namespace

Oeffnung Abstandsdatei::Oeffnen(const char* Pfad, int Ausgabe) {
  const plattform::Geoeffnet g =
      plattform::Oeffnen(Pfad, Schritte_.NachDemBlick);
  if (g.Fehler == plattform::FremderWeg) {
    return Oeffnung::FremderVerweis;
  }
  if (g.Deskriptor < 0) {
    Schreiber_.Scheitern(g.Fehler);
    return Oeffnung::Gescheitert;
  }
  const Oeffnung o = Pruefen(g.Deskriptor, Ausgabe);
  if (o == Oeffnung::Offen) {
    Schreiber_.Ziel(g.Deskriptor);
  } else {
    plattform::Schliessen(g.Deskriptor);
  }
  return o;
}

bool Abstandsdatei::IstAusgabeDatei(const char* Pfad, int Ausgabe) {
  return GleicheDatei(plattform::DateiKennung(Ausgabe),
                      plattform::DateiKennung(Pfad));
}

// Only a regular file is locked and truncated: a device or a FIFO has
// nothing to truncate, and /dev/null or /dev/full refuse it.
Oeffnung Abstandsdatei::Pruefen(int d, int Ausgabe) {
  if (!plattform::IstDatei(d)) {
    return Oeffnung::Offen;
  }
  if (GleicheDatei(plattform::DateiKennung(d),
                   plattform::DateiKennung(Ausgabe))) {
    return Oeffnung::IstDieAusgabe;
  }
  if (const Oeffnung o = Sperren(d); o != Oeffnung::Offen) {
    return o;
  }
  if (plattform::Kuerzen(d) != 0) {
    Schreiber_.Scheitern(errno);
    return Oeffnung::Gescheitert;
  }
  return Oeffnung::Offen;
}

// Every kind of lock: one that another program holds refuses the pass; one
// the file system does not offer is done without.
Oeffnung Abstandsdatei::Sperren(int d) {
  for (int Art = 0; Art < plattform::Sperrarten; ++Art) {
    const int Fehler = Schritte_.Sperren != nullptr
                           ? Schritte_.Sperren(d, Art)
                           : plattform::Sperren(d, Art);
    if (Fehler == EAGAIN || Fehler == EWOULDBLOCK || Fehler == EACCES) {
      return Oeffnung::Gesperrt;
    }
    if (Fehler != 0 && Fehler != ENOLCK && Fehler != EOPNOTSUPP &&
        Fehler != EINVAL) {
      Schreiber_.Scheitern(Fehler);
      return Oeffnung::Gescheitert;
    }
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
