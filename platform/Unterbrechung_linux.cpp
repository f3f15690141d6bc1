// Signals that end the program, on Linux. A write or an open that waits is
// ended by the signal itself (caught without SA_RESTART); a watchdog, a timer
// of the program's own, ends one that began just after the look at the flag,
// where the signal was spent.
#include <signal.h>
#include <time.h>
#include <ucontext.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "Abdeckung.hpp"
#include "Endsignale.hpp"
#include "Plattform.hpp"
#include "Rechenzeitgrenze.hpp"
#include "Unterbrechung.hpp"

namespace unterbrechung {

namespace {

int Rohrbruch = 0;
bool RohrbruchGefragt = false;  // SIGPIPE's default is asked once a process
timer_t Waechter{};
bool WaechterDa = false;
volatile std::sig_atomic_t WaechterGestellt = 0;  // ticking since a note
volatile std::sig_atomic_t AlarmGefangen = 0;  // from the start: the caller's
bool AlarmGesperrt = false;  // the caller left SIGALRM blocked

// sigaction through the seam: 0 or an errno.
int Handlung(int Signal, const struct sigaction* Neu, struct sigaction* Alt) {
  if (const int f = plattform::Vorher(plattform::Aufruf::Signale)) {
    return f;
  }
  return sigaction(Signal, Neu, Alt) == 0 ? 0 : errno;
}

// sigprocmask through the seam: 0 or an errno.
int Maske(int Wie, const sigset_t* Menge, sigset_t* Alt) {
  if (const int f = plattform::Vorher(plattform::Aufruf::Signale)) {
    return f;
  }
  return sigprocmask(Wie, Menge, Alt) == 0 ? 0 : errno;
}

sigset_t Nur(int Signal) {
  sigset_t Menge;
  sigemptyset(&Menge);
  sigaddset(&Menge, Signal);
  return Menge;
}

int Einfach(int Signal, void (*Handler)(int), struct sigaction* Alt = nullptr) {
  struct sigaction Neu {};
  Neu.sa_handler = Handler;
  sigemptyset(&Neu.sa_mask);
  return Handlung(Signal, &Neu, Alt);
}

int Takt(long Sekunden) {
  if (const int f = plattform::Vorher(plattform::Aufruf::Zeitgeber)) {
    return f;
  }
  const itimerspec t{{Sekunden, 0}, {Sekunden, 0}};
  return timer_settime(Waechter, 0, &t, nullptr) == 0 ? 0 : errno;
}

// The watchdog's tick only cuts short the call that waits. A SIGALRM from
// anywhere else (alarm, which survives exec, or kill) is the caller's.
bool VomWaechter(int Signal, const siginfo_t* Info) {
  return Signal == SIGALRM && Info != nullptr && Info->si_code == SI_TIMER &&
         Info->si_value.sival_ptr == &Waechter;
}

extern "C" void Behandeln(int Signal, siginfo_t* Info, void* Kontext);

// Our handler for `Signal`. No SA_RESTART: a write or an open that waits
// returns, so the pass can stop. 0 or an errno.
int Unseren(int Signal) {
  struct sigaction Neu {};
  Neu.sa_sigaction = Behandeln;
  Neu.sa_flags = SA_SIGINFO;
  sigemptyset(&Neu.sa_mask);
  return Handlung(Signal, &Neu, nullptr);
}

// Rings every second from now on. Where SIGALRM is the caller's to ignore,
// the handler takes it now, and still leaves the caller's alone. A failure
// here cannot be reported: the signal itself has already ended one wait.
void WaechterStellen() {
  if (AlarmGefangen == 0) {
    Unseren(SIGALRM);
  }
  WaechterGestellt = Takt(1) == 0 ? 1 : 0;
}

// Outside a pass: the program ends now, by the noted signal where a pass
// noted one (a later one, such as a caller's alarm, must not replace it).
void SofortBeenden(int Signal) {
  const int Noch = NotiertesSignal() != 0 ? NotiertesSignal() : Signal;
  Einfach(Noch, SIG_DFL);
  AbdeckungSichern();
  raise(Noch);  // at once, or when this handler returns
}

extern "C" void Behandeln(int Signal, siginfo_t* Info, void* Kontext) {
  const int Fehler = errno;
  if (VomWaechter(Signal, Info) || (Signal == SIGALRM && AlarmGefangen == 0)) {
    // the watchdog, or the caller's SIGALRM that the caller ignores
  } else if (DurchgangIstOffen()) {
    if (NotiertesSignal() == 0) {
      Notieren(Signal);
      WaechterStellen();
    }
  } else {
    SofortBeenden(Signal);
  }
  // The mask this call restores lets the watchdog's tick through, even where
  // the caller had blocked SIGALRM: in every call, since the outermost of
  // nested ones returns last.
  if (NotiertesSignal() != 0 && WaechterGestellt != 0) {
    sigdelset(&static_cast<ucontext_t*>(Kontext)->uc_sigmask, SIGALRM);
  }
  errno = Fehler;
}

// Catches the signal where the caller left it at its default (an ignored
// one stays ignored): *Gefangen then. 0 or an errno.
int Fangen(int Signal, bool* Gefangen) {
  struct sigaction Vorher {};
  if (const int f = Handlung(Signal, nullptr, &Vorher)) {
    return f;
  }
  const bool Unser =
      (Vorher.sa_flags & SA_SIGINFO) != 0 && Vorher.sa_sigaction == Behandeln;
  *Gefangen = Unser || Vorher.sa_handler == SIG_DFL;
  // Ignored stays ignored; ours again (a second run in one process) is set
  // anew.
  return *Gefangen ? Unseren(Signal) : 0;
}

// Every ending signal; SIGXCPU's limit brought forward where it is caught and
// not blocked (`Gesperrt`, the caller's mask). 0 or an errno.
int AlleFangen(const sigset_t& Gesperrt) {
  for (int i = 0; Endsignal(i) != 0; ++i) {
    const int Signal = Endsignal(i);
    bool Gefangen = false;
    if (const int f = Fangen(Signal, &Gefangen)) {
      return f;
    }
    if (Signal == SIGALRM) {
      AlarmGefangen = Gefangen ? 1 : 0;
    } else if (Signal == SIGXCPU && Gefangen &&
               sigismember(&Gesperrt, SIGXCPU) == 0) {
      RechenzeitgrenzeVorziehen();
    }
  }
  return 0;
}

int WaechterAnlegen() {
  if (WaechterDa) {
    return 0;
  }
  if (const int f = plattform::Vorher(plattform::Aufruf::Zeitgeber)) {
    return f;
  }
  sigevent Wecken{};
  Wecken.sigev_notify = SIGEV_SIGNAL;
  Wecken.sigev_signo = SIGALRM;
  Wecken.sigev_value.sival_ptr = &Waechter;
  WaechterDa = timer_create(CLOCK_MONOTONIC, &Wecken, &Waechter) == 0;
  return WaechterDa ? 0 : errno;
}

}  // namespace

int Einrichten() {
  AbdeckungEinrichten();
  Vergessen();
  WaechterGestellt = 0;
  sigset_t Gesperrt;
  if (const int f = Maske(SIG_BLOCK, nullptr, &Gesperrt)) {
    return f;
  }
  AlarmGesperrt = sigismember(&Gesperrt, SIGALRM) == 1;
  if (const int f = AlleFangen(Gesperrt)) {
    return f;
  }
  struct sigaction Vorher {};
  if (const int f = Einfach(SIGPIPE, SIG_IGN, &Vorher)) {
    return f;
  }
  if (!RohrbruchGefragt) {
    Rohrbruch = Vorher.sa_handler == SIG_DFL ? SIGPIPE : 0;
    RohrbruchGefragt = true;
  }
  if (const int f = Einfach(SIGXFSZ, SIG_IGN)) {
    return f;
  }
  return WaechterAnlegen();
}

int RohrbruchSignal() { return Rohrbruch; }

void Ruhen() {
  if (WaechterDa && plattform::Vorher(plattform::Aufruf::Zeitgeber) == 0) {
    timer_delete(Waechter);  // nothing to end any more
  }
  WaechterDa = false;
  if (WaechterGestellt != 0 && AlarmGesperrt) {
    const sigset_t Alarm = Nur(SIGALRM);
    Maske(SIG_BLOCK, &Alarm, nullptr);  // as the caller left it
  }
  WaechterGestellt = 0;
}

void Beenden(int Signal) {
  Einfach(Signal, SIG_DFL);
  const sigset_t Menge = Nur(Signal);
  Maske(SIG_UNBLOCK, &Menge, nullptr);
  AbdeckungSichern();
  kill(getpid(), Signal);  // delivered before kill returns
  _exit(128 + Signal);     // only if the signal did not end the program
}

}  // namespace unterbrechung
