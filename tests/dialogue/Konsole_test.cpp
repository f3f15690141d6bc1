// The UTF-8 terminal writer under writes that stop short: every letter
// arrives once, whole and in order.
#include "dialogue/Konsole.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <ostream>
#include <string>

// A Windows console is written in UTF-16 and never says EAGAIN: POSIX only.
#ifndef _WIN32
#include <unistd.h>

namespace {

// A terminal that takes at most `Stueck` bytes per call and says "full"
// (EAGAIN) on every other call.
struct Terminal {
  std::string Angekommen;
  std::size_t Stueck = 1;
  bool Voll = false;
} t;

long Nehmen(int /*Deskriptor*/, const char* Text, std::size_t Anzahl) {
  t.Voll = !t.Voll;
  if (t.Voll) {
    errno = EAGAIN;
    return -1;
  }
  const std::size_t n = std::min(Anzahl, t.Stueck);
  t.Angekommen.append(Text, n);
  return static_cast<long>(n);
}

long Utf8(int Deskriptor, const char* Text, std::size_t Anzahl) {
  return Latin1AlsUtf8Schreiben(Nehmen, Deskriptor, Text, Anzahl);
}

TEST(Konsole, Utf8OhneWiederholungOderLueckeBeiKurzenSchreibvorgaengen) {
  std::string Text;
  std::string Soll;
  for (int i = 0; i < 300; ++i) {  // more than one piece of the writer
    Text += "Abst\xE4nde \xE4";
    Soll += "Abst\xC3\xA4nde \xC3\xA4";
  }
  // The writer waits for room on the descriptor; /dev/null always has it.
  const int Null = open("/dev/null", O_WRONLY | O_CLOEXEC);
  for (std::size_t Stueck : {1u, 2u, 3u, 7u, 5000u}) {
    t = Terminal{"", Stueck};
    Schreiber s(Null, Utf8);
    std::ostream(&s) << Text << std::flush;
    EXPECT_EQ(t.Angekommen, Soll) << Stueck << " bytes per write";
  }
  close(Null);
}

}  // namespace

#endif
