// Signals and console events that end the program.
#include "Unterbrechung.hpp"

#include <initializer_list>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#ifdef PRIMZAHLABSTAND_ABDECKUNG
#include <sys/resource.h>

#include <cstdlib>

extern "C" void __gcov_dump();  // NOLINT: gcov's own name
#endif

namespace unterbrechung {

volatile std::sig_atomic_t Anfrage = 0;

namespace {

volatile std::sig_atomic_t Offen = 0;
int Rohrbruch = 0;

}  // namespace

void DurchgangOffen(bool Offen_) { Offen = Offen_ ? 1 : 0; }

int RohrbruchSignal() { return Rohrbruch; }

#ifdef _WIN32

namespace {

BOOL WINAPI Behandeln(DWORD Ereignis) {
  if (Ereignis != CTRL_C_EVENT && Ereignis != CTRL_BREAK_EVENT &&
      Ereignis != CTRL_CLOSE_EVENT) {
    return FALSE;
  }
  if (Offen == 0) {
    return FALSE;  // the usual handler ends the program at once
  }
  // This runs in a thread of its own: the pass notices, closes its file and
  // ends the program. Should it hang in a console write that waits, the
  // usual handler ends the program after all.
  Anfrage = SIGINT;
  Sleep(3000);
  return FALSE;
}

}  // namespace

void Einrichten() { SetConsoleCtrlHandler(Behandeln, TRUE); }

void Beenden(int /*Signal*/) {
  ExitProcess(static_cast<UINT>(STATUS_CONTROL_C_EXIT));
}

#else

namespace {

#ifdef PRIMZAHLABSTAND_ABDECKUNG
// Coverage counts cut short by a file-size limit (a test sets one) would
// spoil every later run's: the limit is lifted before they are written.
void GrenzeAufheben() {
  rlimit Grenze{};
  getrlimit(RLIMIT_FSIZE, &Grenze);
  Grenze.rlim_cur = Grenze.rlim_max;
  setrlimit(RLIMIT_FSIZE, &Grenze);
}
#endif

// A program that a signal ends writes no coverage counts by itself.
void AbdeckungSichern() {
#ifdef PRIMZAHLABSTAND_ABDECKUNG
  GrenzeAufheben();
  __gcov_dump();
#endif
}

extern "C" void Behandeln(int Signal) {
  if (Offen == 0) {
    signal(Signal, SIG_DFL);
    AbdeckungSichern();
    raise(Signal);  // delivered when this handler returns
    return;
  }
  Anfrage = Signal;
}

// Catches the signal unless the caller had it ignored (nohup, say). No
// SA_RESTART: a write that waits returns, so the pass can stop.
void Fangen(int Signal) {
  struct sigaction Vorher {};
  sigaction(Signal, nullptr, &Vorher);
  if (Vorher.sa_handler == SIG_IGN) {
    return;
  }
  struct sigaction Neu {};
  Neu.sa_handler = Behandeln;
  sigemptyset(&Neu.sa_mask);
  sigaction(Signal, &Neu, nullptr);
}

}  // namespace

void Einrichten() {
#ifdef PRIMZAHLABSTAND_ABDECKUNG
  std::atexit(GrenzeAufheben);  // before gcov writes at the exit
#endif
  for (int Signal : {SIGINT, SIGTERM, SIGHUP}) {
    Fangen(Signal);
  }
  Rohrbruch = signal(SIGPIPE, SIG_IGN) == SIG_DFL ? SIGPIPE : 0;
  signal(SIGXFSZ, SIG_IGN);
}

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

#endif

}  // namespace unterbrechung
