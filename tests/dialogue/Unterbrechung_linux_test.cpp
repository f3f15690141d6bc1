// How an interrupt ends a pass whose standard output waits, on Linux: the
// watchdog, for an interrupt spent just before a write begins.
#include "dialogue/Unterbrechung.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

#include "dialogue/Dialog.hpp"
#include "dialogue/Fehlerausgabe.hpp"
#include "dialogue/Leser.hpp"
#include "gaps/Schreiber.hpp"
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
  return Dialog(ein, aus, Fehlerausgabe(-1), "/dev/null").Signal == SIGINT ? 0
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

TEST(Unterbrechung, WaechterRingtWiederBisDasEndeKommt) {
  // The watchdog's first ring may come while nothing waits (spent); a write
  // that begins to wait after it is still ended by the next ring.
  const auto Tun = [] {
    int Rohr[2];
    if (pipe2(Rohr, O_NONBLOCK) != 0 || unterbrechung::Einrichten() != 0) {
      return 2;
    }
    while (write(Rohr[1], &Rohr, sizeof Rohr) > 0) {
    }
    fcntl(Rohr[1], F_SETFL, 0);
    unterbrechung::DurchgangOffen(true);
    std::raise(SIGINT);  // noted; the watchdog rings in 1 s, then again
    const auto Danach =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(1300);
    while (std::chrono::steady_clock::now() < Danach) {
    }
    return write(Rohr[1], "x", 1) < 0 && errno == EINTR ? 0 : 1;
  };
  EXPECT_EQ(ImKind(Tun, std::chrono::seconds(4)), 0)
      << "a write that began after the first ring was never ended";
}

}  // namespace
