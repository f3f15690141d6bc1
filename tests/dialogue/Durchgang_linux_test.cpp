// How an interrupt ends a pass whose standard output waits, on Linux: the
// watchdog, for an interrupt spent just before a write begins.
#include "dialogue/Durchgang.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

#include "dialogue/Dialog.hpp"
#include "platform/Fehlerausgabe.hpp"
#include "platform/Leser.hpp"
#include "platform/Schreiber.hpp"
#include "platform/Unterbrechung.hpp"
#include "support/Kindprozess.hpp"

namespace {

// Standard output that meets the interrupt at the first listing line, just
// before a write that waits: the signal is spent before the write begins.
long SignalVorDemSchreiben(int Voll, const char* Text, std::size_t Anzahl) {
  if (std::memchr(Text, '|', Anzahl) == nullptr) {
    return static_cast<long>(Anzahl);
  }
  std::raise(SIGINT);
  return Schreiber::SystemSchreiben(Voll, Text, Anzahl);
}

// In the child: the dialogue over a long range, its standard output a pipe
// that nobody reads and that is full; 0 when the pass ended by the interrupt.
int DurchgangImKind(bool AlarmGesperrt) {
  int Rohr[2];
  if (pipe2(Rohr, O_NONBLOCK) != 0) {
    return 2;
  }
  while (write(Rohr[1], &Rohr, sizeof Rohr) > 0) {
  }
  fcntl(Rohr[1], F_SETFL, 0);
  sigset_t Alarm;
  sigemptyset(&Alarm);
  sigaddset(&Alarm, SIGALRM);
  sigprocmask(AlarmGesperrt ? SIG_BLOCK : SIG_UNBLOCK, &Alarm, nullptr);
  unterbrechung::Einrichten();
  int Eingabe[2];
  if (pipe(Eingabe) != 0 || write(Eingabe[1], "0 4000000000\n", 13) != 13) {
    return 2;
  }
  close(Eingabe[1]);
  Leser ein(Eingabe[0]);
  Schreiber aus(Rohr[1], SignalVorDemSchreiben);
  aus.AbbruchBeachten(unterbrechung::Unterbrochen, Schreiber::Abbruch::Sofort);
  return Dialog(ein, aus, Fehlerausgabe(-1, "primzahlabstand: "), "/dev/null")
                     .Signal == SIGINT
             ? 0
             : 1;
}

TEST(Unterbrechung, WaechterBeendetEinSchreibenNachDemSignal) {
  // In a child of its own, whose signals the test may change; SIGALRM
  // also blocked, as a caller may leave it.
  for (const bool Gesperrt : {false, true}) {
    EXPECT_EQ(ImKind([=] { return DurchgangImKind(Gesperrt); },
                     std::chrono::seconds(5)),
              0)
        << (Gesperrt ? "SIGALRM blocked: " : "") << "the pass did not end";
  }
}

}  // namespace
