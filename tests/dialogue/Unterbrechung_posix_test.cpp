// How an interrupt ends a pass whose standard output waits, on POSIX: the
// watchdog, for an interrupt spent just before a write begins.
#include "dialogue/Unterbrechung.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <thread>

#include "dialogue/Dialog.hpp"
#include "gaps/Schreiber.hpp"
#include "support/Kindprozess.hpp"
#include "support/Ordner.hpp"

namespace {

// A descriptor whose every write waits: nobody reads it, and it is full.
int Voll = -1;

// Standard output that meets the interrupt at the first listing line, just
// before a write that waits: the signal is spent before the write begins.
long SignalVorDemSchreiben(int /*Deskriptor*/, const char* Text,
                           std::size_t Anzahl) {
  if (std::memchr(Text, '|', Anzahl) == nullptr) {
    return static_cast<long>(Anzahl);
  }
  std::raise(SIGINT);
  return Schreiber::SystemSchreiben(Voll, Text, Anzahl);
}

// The dialogue over a long range through that output; true when the pass
// ended by the interrupt.
bool DurchgangEndet(const std::filesystem::path& Ordner) {
  unterbrechung::Einrichten();
  std::istringstream ein("0 4000000000\n");
  std::ostringstream fehler;
  Schreiber aus(-1, SignalVorDemSchreiben);
  aus.AbbruchBeachten(&unterbrechung::Anfrage, Schreiber::Abbruch::Sofort);
  const std::string Pfad = (Ordner / "PRIMraw8bit.dat").string();
  return Dialog(ein, aus, fehler, Pfad.c_str()).Signal == SIGINT;
}

TEST(Unterbrechung, WaechterBeendetEinSchreibenNachDemSignal) {
  // In a child of its own, whose signals the test may change; SIGALRM
  // blocked as a caller may leave it.
  for (const bool Gesperrt : {false, true}) {
    const std::filesystem::path Ordner = FrischerOrdner();
    const pid_t Kind = fork();
    if (Kind == 0) {
      int Rohr[2];
      if (pipe2(Rohr, O_NONBLOCK) != 0) {
        _exit(2);
      }
      while (write(Rohr[1], &Rohr, sizeof Rohr) > 0) {
      }
      fcntl(Rohr[1], F_SETFL, 0);
      Voll = Rohr[1];
      sigset_t Alarm;
      sigemptyset(&Alarm);
      sigaddset(&Alarm, SIGALRM);
      sigprocmask(Gesperrt ? SIG_BLOCK : SIG_UNBLOCK, &Alarm, nullptr);
      _exit(DurchgangEndet(Ordner) ? 0 : 1);
    }
    int Status = -1;
    for (int i = 0; i < 500 && Status < 0; ++i) {  // 5 s at most
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      Status = KindEnde(Kind, false);
    }
    if (Status < 0) {
      kill(Kind, SIGKILL);
      KindEnde(Kind);
    }
    EXPECT_EQ(Status, 0) << (Gesperrt ? "SIGALRM blocked: " : "")
                         << "the pass did not end";
    std::filesystem::remove_all(Ordner);
  }
}

}  // namespace
