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
#include "Unterbrechung.hpp"
#include "gaps/Plattform.hpp"

namespace unterbrechung {

namespace {

int Rohrbruch = 0;
bool RohrbruchGefragt = false;  // SIGPIPE's default is asked once a process
timer_t Waechter{};
bool WaechterDa = false;
volatile std::sig_atomic_t AlarmGefangen = 0;  // from the start: the caller's

// sigaction through the seam: 0 or an errno.
int Handlung(int Signal, const struct sigaction* Neu, struct sigaction* Alt) {
  if (const int f = plattform::Vorher(plattform::Aufruf::Signale)) {
    return f;
  }
  return sigaction(Signal, Neu, Alt) == 0 ? 0 : errno;
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

// Rings every second from now on. Where SIGALRM is the caller's to ignore,
// the handler takes it now, and still leaves the caller's alone. A failure
// here cannot be reported: the signal itself has already ended one wait.
void WaechterStellen(void* Kontext) {
  if (AlarmGefangen == 0) {
    struct sigaction w {};
    w.sa_sigaction = Behandeln;
    w.sa_flags = SA_SIGINFO;
    sigemptyset(&w.sa_mask);
    Handlung(SIGALRM, &w, nullptr);
  }
  // The mask restored when the handler returns: SIGALRM gets through even
  // where the caller had blocked it.
  sigdelset(&static_cast<ucontext_t*>(Kontext)->uc_sigmask, SIGALRM);
  Takt(1);
}

extern "C" void Behandeln(int Signal, siginfo_t* Info, void* Kontext) {
  const int Fehler = errno;
  if (VomWaechter(Signal, Info) || (Signal == SIGALRM && AlarmGefangen == 0)) {
    // the watchdog, or the caller's SIGALRM that the caller ignores
  } else if (DurchgangIstOffen()) {
    if (NotiertesSignal() == 0) {
      Notieren(Signal);
      WaechterStellen(Kontext);
    }
  } else {
    Einfach(Signal, SIG_DFL);
    AbdeckungSichern();
    raise(Signal);  // delivered when this handler returns
  }
  errno = Fehler;
}

// Catches the signal where the caller left it at its default (an ignored
// one stays ignored). No SA_RESTART: a write or an open that waits returns,
// so the pass can stop. 0 or an errno.
int Fangen(int Signal) {
  struct sigaction Vorher {};
  if (const int f = Handlung(Signal, nullptr, &Vorher)) {
    return f;
  }
  const bool Unser =
      (Vorher.sa_flags & SA_SIGINFO) != 0 && Vorher.sa_sigaction == Behandeln;
  if (Signal == SIGALRM) {
    AlarmGefangen = Unser || Vorher.sa_handler == SIG_DFL ? 1 : 0;
  }
  if (!Unser && Vorher.sa_handler != SIG_DFL) {
    return 0;  // ignored; ours again (a second run in one process) is set anew
  }
  struct sigaction Neu {};
  Neu.sa_sigaction = Behandeln;
  Neu.sa_flags = SA_SIGINFO;
  sigemptyset(&Neu.sa_mask);
  return Handlung(Signal, &Neu, nullptr);
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
  for (int i = 0; Endsignal(i) != 0; ++i) {
    if (const int f = Fangen(Endsignal(i))) {
      return f;
    }
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
}

void Beenden(int Signal) {
  Einfach(Signal, SIG_DFL);
  sigset_t Menge;
  sigemptyset(&Menge);
  sigaddset(&Menge, Signal);
  if (plattform::Vorher(plattform::Aufruf::Signale) == 0) {
    sigprocmask(SIG_UNBLOCK, &Menge, nullptr);
  }
  AbdeckungSichern();
  kill(getpid(), Signal);  // delivered before kill returns
  _exit(128 + Signal);     // only if the signal did not end the program
}

}  // namespace unterbrechung
