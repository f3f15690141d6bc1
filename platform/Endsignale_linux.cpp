// The ending signals of Linux: not KILL or STOP, which cannot be caught, not
// the faults (SEGV, BUS, FPE, ILL, TRAP, SYS, ABRT), and not PIPE or XFSZ,
// which the writers handle. The real-time signals as the C library reports
// them: it keeps the first two or three for its own threads.
#include <csignal>

#include "Endsignale.hpp"

namespace unterbrechung {

int Endsignal(int i) {
  static constexpr int Feste[] = {
      SIGINT,  SIGTERM,   SIGHUP,  SIGQUIT, SIGALRM, SIGUSR1,  SIGUSR2,
      SIGXCPU, SIGVTALRM, SIGPROF, SIGPOLL, SIGPWR,  SIGSTKFLT};
  constexpr int Anzahl = sizeof Feste / sizeof Feste[0];
  if (i < Anzahl) {
    return Feste[i];
  }
  const int Echtzeit = SIGRTMIN + (i - Anzahl);
  return Echtzeit <= SIGRTMAX ? Echtzeit : 0;
}

}  // namespace unterbrechung
