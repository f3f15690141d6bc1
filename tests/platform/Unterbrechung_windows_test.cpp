// How an interrupt ends a pass whose standard output waits, on Windows: the
// console handler cancels the write.
#include "platform/Unterbrechung_windows.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <io.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <thread>

#include "platform/Konsole.hpp"
#include "platform/Schreiber.hpp"
#include "platform/Unterbrechung.hpp"

namespace {

TEST(Unterbrechung, KonsolenereignisBeendetEinSchreibenDasWartet) {
  // A pipe that nobody reads, made the Windows way; Ctrl+C comes 300 ms
  // after the write began to wait.
  HANDLE Lesen = nullptr;
  HANDLE Schreiben = nullptr;
  ASSERT_TRUE(CreatePipe(&Lesen, &Schreiben, nullptr, 4096));
  const int d = _open_osfhandle(reinterpret_cast<intptr_t>(Schreiben), 0);
  unterbrechung::Einrichten();
  unterbrechung::DurchgangOffen(true);
  Schreiber aus(d, KonsolenSchreibfunktion(d, unterbrechung::Unterbrochen));
  aus.AbbruchBeachten(unterbrechung::Unterbrochen, Schreiber::Abbruch::Sofort);
  HANDLE Haupt = OpenThread(THREAD_TERMINATE, FALSE, GetCurrentThreadId());
  std::thread Konsole([Haupt] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    unterbrechung::Konsolenereignis(CTRL_C_EVENT);
    CancelSynchronousIo(Haupt);  // the write ends after all, and the test
  });
  const auto Beginn = std::chrono::steady_clock::now();
  aus.sputn(std::string(1 << 20, 'x').data(), 1 << 20);
  const auto Dauer = std::chrono::steady_clock::now() - Beginn;
  Konsole.join();
  EXPECT_EQ(aus.Fehlernummer(), EINTR);
  EXPECT_LT(Dauer, std::chrono::seconds(2)) << "the write was not cancelled";
  unterbrechung::DurchgangOffen(false);
  _close(d);
  CloseHandle(Lesen);
  CloseHandle(Haupt);
}

}  // namespace
