// Signals that end the program, on POSIX. A write or an open that waits is
// ended by the signal itself (caught without SA_RESTART); a watchdog ends one
// that began just after the look at the flag, where the signal was spent.
#include <signal.h>
#include <ucontext.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

#include "Abdeckung.hpp"
#include "Unterbrechung.hpp"

namespace unterbrechung {

namespace {

int Rohrbruch = 0;

// Rings again every second while the interrupt stands.
extern "C" void Wecken(int /*Signal*/) {
  if (Anfrage != 0) {
    alarm(1);
  }
}

// SIGALRM stays the caller's until an interrupt comes: a handler from the
// start would make a read at a prompt fail as end of input, and the caller's
// own alarm would no longer end the program.
void WaechterStellen(void* Kontext) {
  struct sigaction w {};
  w.sa_handler = Wecken;
  sigemptyset(&w.sa_mask);
  sigaction(SIGALRM, &w, nullptr);
  // The mask restored when the handler returns: SIGALRM gets through even
  // where the caller had blocked it.
  sigdelset(&static_cast<ucontext_t*>(Kontext)->uc_sigmask, SIGALRM);
  alarm(1);
}

extern "C" void Behandeln(int Signal, siginfo_t* /*Info*/, void* Kontext) {
  const int Fehler = errno;
  if (DurchgangIstOffen()) {
    Anfrage = Signal;
    WaechterStellen(Kontext);
  } else {
    signal(Signal, SIG_DFL);
    AbdeckungSichern();
    raise(Signal);  // delivered when this handler returns
  }
  errno = Fehler;
}

// Catches the signal unless the caller had it ignored (nohup, say). No
// SA_RESTART: a write or an open that waits returns, so the pass can stop.
void Fangen(int Signal) {
  struct sigaction Vorher {};
  sigaction(Signal, nullptr, &Vorher);
  if (Vorher.sa_handler == SIG_IGN) {
    return;
  }
  struct sigaction Neu {};
  Neu.sa_sigaction = Behandeln;
  Neu.sa_flags = SA_SIGINFO;
  sigemptyset(&Neu.sa_mask);
  sigaction(Signal, &Neu, nullptr);
}

}  // namespace

void Einrichten() {
  AbdeckungEinrichten();
  for (int Signal : {SIGINT, SIGTERM, SIGHUP}) {
    Fangen(Signal);
  }
  Rohrbruch = signal(SIGPIPE, SIG_IGN) == SIG_DFL ? SIGPIPE : 0;
  signal(SIGXFSZ, SIG_IGN);
}

int RohrbruchSignal() { return Rohrbruch; }

void Beenden(int Signal) {
  signal(Signal, SIG_DFL);
  sigset_t Menge;
  sigemptyset(&Menge);
  sigaddset(&Menge, Signal);
  sigprocmask(SIG_UNBLOCK, &Menge, nullptr);
  AbdeckungSichern();
  kill(getpid(), Signal);  // delivered before kill returns
  _exit(128 + Signal);     // only if the signal did not end the program
}

}  // namespace unterbrechung
