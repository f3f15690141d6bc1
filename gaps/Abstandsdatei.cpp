// The raw gap file.
#include "Abstandsdatei.hpp"

#include <cerrno>
#include <utility>

#include "platform/Plattform.hpp"

// A call that a signal cut short is made again while no interrupt is noted:
// a signal the program does not end by (a caller's handled one) must not fail
// the pass. Once one is noted, EINTR ends the wait.
template <class Aufrufen>
int Abstandsdatei::Wiederholt(Aufrufen Tun) const {
  for (;;) {
    const int f = Tun();
    if (f != EINTR || Abbrechen(Frage_)) {
      return f;
    }
  }
}

Oeffnung Abstandsdatei::Oeffnen(const char* Pfad, int Ausgabe,
                                int Fehlerausgabe) {
  plattform::Geoeffnet g;
  Wiederholt([&] {
    g = plattform::Oeffnen(Pfad);
    return g.Fehler;
  });
  if (g.Fehler == plattform::FremderVerweis) {
    return Oeffnung::FremderVerweis;
  }
  if (g.Deskriptor < 0) {
    Schreiber_.Scheitern(g.Fehler);
    return Oeffnung::Gescheitert;
  }
  const Oeffnung o = Pruefen(g.Deskriptor, Ausgabe, Fehlerausgabe);
  if (o == Oeffnung::Offen) {
    Schreiber_.Ziel(g.Deskriptor);
  } else {
    plattform::Schliessen(g.Deskriptor);  // nothing was written to it
  }
  return o;
}

namespace {

// An output's look. EBADF: there is none (its first write says so), which
// is no file either.
plattform::Art AusgabeArt(int Ausgabe) {
  const plattform::Art a = plattform::Beschreiben(Ausgabe);
  return a.Fehler == EBADF ? plattform::Art{} : a;
}

}  // namespace

Oeffnung Abstandsdatei::AusgabePruefen(const char* Pfad, int Ausgabe,
                                       int* Fehler, Oeffnung Ja) {
  const plattform::Art a = AusgabeArt(Ausgabe);
  *Fehler = a.Fehler;
  if (a.Fehler != 0) {
    return Oeffnung::Gescheitert;
  }
  if (!a.Regulaer) {
    return Oeffnung::Offen;
  }
  const plattform::Art p = plattform::Beschreiben(Pfad);
  if (p.Fehler == ENOENT || p.Fehler == ENOTDIR || p.Fehler == EACCES) {
    return Oeffnung::Offen;
  }
  *Fehler = p.Fehler;
  return p.Fehler != 0 ? Oeffnung::Gescheitert
         : p.Regulaer && plattform::GleicheDatei(a.Datei, p.Datei)
             ? Ja
             : Oeffnung::Offen;
}

// Only a regular file is locked and truncated: a device or a FIFO has
// nothing to truncate, and /dev/null or /dev/full refuse it.
Oeffnung Abstandsdatei::Pruefen(int d, int Ausgabe, int Fehlerausgabe) {
  const plattform::Art Offen = plattform::Beschreiben(d);
  if (Offen.Fehler != 0) {
    Schreiber_.Scheitern(Offen.Fehler);
    return Oeffnung::Gescheitert;
  }
  Regulaer_ = Offen.Regulaer;
  if (!Offen.Regulaer) {
    return Oeffnung::Offen;
  }
  const std::pair<int, Oeffnung> Ausgaben[] = {
      {Ausgabe, Oeffnung::IstDieAusgabe},
      {Fehlerausgabe, Oeffnung::IstDieFehlerausgabe}};
  for (const auto& [Deskriptor, Ja] : Ausgaben) {
    const plattform::Art Aus = AusgabeArt(Deskriptor);
    if (Aus.Fehler != 0) {
      Schreiber_.Scheitern(Aus.Fehler);
      return Oeffnung::Gescheitert;
    }
    if (Aus.Regulaer && plattform::GleicheDatei(Offen.Datei, Aus.Datei)) {
      return Ja;
    }
  }
  if (const Oeffnung o = Sperren(d); o != Oeffnung::Offen) {
    return o;
  }
  if (const int f = Wiederholt([d] { return plattform::Kuerzen(d); })) {
    Schreiber_.Scheitern(f);
    return Oeffnung::Gescheitert;
  }
  return Oeffnung::Offen;
}

// Every kind of lock: one that another program holds refuses the pass; one
// the file system does not offer is done without.
Oeffnung Abstandsdatei::Sperren(int d) {
  for (const plattform::Sperre Art : plattform::Sperrarten) {
    const int Fehler =
        Wiederholt([d, Art] { return plattform::Sperren(d, Art); });
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
  if (Schreiber_.Leeren() && Regulaer_) {
    if (const int f =
            Wiederholt([d] { return plattform::Synchronisieren(d); })) {
      Schreiber_.Scheitern(f);
    }
  }
  // Never made again: on Linux a close that says EINTR has closed, and the
  // sync before it has said whether the bytes are on the disk.
  if (const int f = plattform::Schliessen(d); f != 0 && f != EINTR) {
    Schreiber_.Scheitern(f);
  }
  Schreiber_.Ziel(-1);
  return Schreiber_.Gut();
}
