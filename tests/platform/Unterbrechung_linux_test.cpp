// Signals on Linux: the watchdog that ends a write which began just after
// the interrupt was spent, the mask nested handlers restore, the noted
// signal deciding the end, and the CPU limit brought forward.
#include "platform/Unterbrechung.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <initializer_list>

#include "support/Kindprozess.hpp"

namespace {

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

sigset_t Menge(std::initializer_list<int> Signale) {
  sigset_t m;
  sigemptyset(&m);
  for (const int s : Signale) {
    sigaddset(&m, s);
  }
  return m;
}

bool Gesperrt(int Signal) {
  sigset_t m;
  sigprocmask(SIG_BLOCK, nullptr, &m);
  return sigismember(&m, Signal) == 1;
}

TEST(Unterbrechung, WaechterUndEndeNachDerNotiz) {
  // Each in a child of its own: its exit status, or the signal that ended it.
  const sigset_t Alle = Menge({SIGALRM, SIGHUP, SIGTERM});
  const sigset_t HupTerm = Menge({SIGHUP, SIGTERM});
  const sigset_t Alarm = Menge({SIGALRM});
  const struct {
    const char* Name;
    std::function<int()> Tun;
    int Soll;
  } Faelle[] = {
      {"two nested handlers leave the watchdog's tick unblocked",
       [&] {
         sigprocmask(SIG_BLOCK, &Alle, nullptr);
         unterbrechung::Einrichten();
         unterbrechung::DurchgangOffen(true);
         std::raise(SIGHUP);
         std::raise(SIGTERM);
         sigprocmask(SIG_UNBLOCK, &HupTerm, nullptr);  // both handlers run
         return Gesperrt(SIGALRM) ? 1 : 0;
       },
       0},
      {"a caller's alarm after the pass ends it by the noted signal",
       [] {
         unterbrechung::Einrichten();
         unterbrechung::DurchgangOffen(true);
         std::raise(SIGTERM);
         unterbrechung::DurchgangOffen(false);
         std::raise(SIGALRM);
         return 1;
       },
       128 + SIGTERM},
      {"at the end SIGALRM is blocked again, as the caller had it",
       [&] {
         sigprocmask(SIG_BLOCK, &Alarm, nullptr);
         unterbrechung::Einrichten();
         unterbrechung::DurchgangOffen(true);
         std::raise(SIGTERM);
         const bool Frei = !Gesperrt(SIGALRM);
         unterbrechung::DurchgangOffen(false);
         unterbrechung::Ruhen();
         return Frei && Gesperrt(SIGALRM) ? 0 : 1;
       },
       0},
  };
  for (const auto& f : Faelle) {
    EXPECT_EQ(ImKind(f.Tun, std::chrono::seconds(2)), f.Soll) << f.Name;
  }
}

TEST(Unterbrechung, RechenzeitgrenzeVorgezogen) {
  // Soft equal to a finite hard limit: SIGKILL would come without SIGXCPU,
  // so the soft limit is brought a second forward where a second is left.
  enum Xcpu { Standard, Ignoriert, Blockiert };
  const rlim_t Ohne = RLIM_INFINITY;
  const struct {
    const char* Name;
    rlim_t Weich, Hart;
    Xcpu Art;
    bool Verbraucht;  // a second of CPU time is spent before
    rlim_t Soll;
  } Faelle[] = {
      {"soft = hard = 5 s", 5, 5, Standard, false, 4},
      {"soft = hard = 2 s", 2, 2, Standard, false, 1},
      {"soft = hard = 1 s", 1, 1, Standard, false, 1},
      {"soft under hard", 3, 5, Standard, false, 3},
      {"no limit", Ohne, Ohne, Standard, false, Ohne},
      {"SIGXCPU ignored", 5, 5, Ignoriert, false, 5},
      {"SIGXCPU blocked", 5, 5, Blockiert, false, 5},
      {"less than a second left", 2, 2, Standard, true, 2},
  };
  for (const auto& f : Faelle) {
    const auto Tun = [&f] {
      const rlimit Grenze{f.Weich, f.Hart};
      setrlimit(RLIMIT_CPU, &Grenze);
      std::signal(SIGXCPU, f.Art == Ignoriert ? SIG_IGN : SIG_DFL);
      const sigset_t Xcpu = Menge({SIGXCPU});
      sigprocmask(f.Art == Blockiert ? SIG_BLOCK : SIG_UNBLOCK, &Xcpu, nullptr);
      for (timespec t{}; f.Verbraucht && t.tv_sec < 1;) {
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
      }
      unterbrechung::Einrichten();
      rlimit Jetzt{};
      getrlimit(RLIMIT_CPU, &Jetzt);
      return Jetzt.rlim_cur == f.Soll && Jetzt.rlim_max == f.Hart ? 0 : 1;
    };
    EXPECT_EQ(ImKind(Tun, std::chrono::seconds(5)), 0) << f.Name;
  }
}

}  // namespace
