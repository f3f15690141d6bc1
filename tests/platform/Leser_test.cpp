// Standard input's reader, and the writer beside it, on a descriptor that
// its owner made non-blocking: each waits for it, in its own direction,
// instead of failing with EAGAIN.
#include "platform/Leser.hpp"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <istream>
#include <thread>

#include "platform/Schreiber.hpp"
#include "support/Kindprozess.hpp"

namespace {

TEST(Warten, NichtBlockierendeEinUndAusgabe) {
  // A non-blocking pipe with no room (a full one) or nothing to read (an
  // empty one); its other end reads or writes 0.1 s later. Waiting in the
  // other direction would never end.
  for (const bool Schreibend : {true, false}) {
    const auto Tun = [Schreibend] {
      int Rohr[2];
      if (pipe2(Rohr, O_NONBLOCK) != 0) {
        return 2;
      }
      char Block[65536] = {};
      while (Schreibend && write(Rohr[1], Block, sizeof Block) > 0) {
      }
      std::thread Gegenseite([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const long n = Schreibend ? read(Rohr[0], Block, sizeof Block)
                                  : write(Rohr[1], "42\n", 3);
        (void)n;
      });
      int Ergebnis = 0;
      if (Schreibend) {
        Ergebnis = Schreiber::AllesSchreiben(Schreiber::SystemSchreiben,
                                             Rohr[1], "x", 1, nullptr, false);
      } else {
        Leser l(Rohr[0]);
        std::istream ein(&l);
        unsigned Zahl = 0;
        ein >> Zahl;
        Ergebnis = Zahl == 42 && l.Fehlernummer() == 0 ? 0 : 1;
      }
      Gegenseite.join();
      return Ergebnis;
    };
    EXPECT_EQ(ImKind(Tun, std::chrono::seconds(2)), 0)
        << (Schreibend ? "the writer, for room" : "the reader, for input");
  }
}

}  // namespace
#endif
