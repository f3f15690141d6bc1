// The UTF-8 terminal writer under writes that stop short: every letter
// arrives once, whole and in order.
#include "platform/Konsole.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "support/Geraet.hpp"

namespace {

TEST(Konsole, Utf8AmNamenErkannt) {
  // LC_ALL, LC_CTYPE, LANG: the first set and not empty decides.
  const struct {
    const char *LcAll, *LcCtype, *Lang;
    bool Utf8;
  } Faelle[] = {
      {nullptr, nullptr, "de_DE.UTF-8", true},
      {nullptr, nullptr, "de_DE.utf8", true},
      {nullptr, "UTF-8", nullptr, true},  // as some ssh clients send it
      {"", "", "de_DE.UTF-8@euro", true},
      {nullptr, nullptr, "de_DE.ISO-8859-1", false},
      {nullptr, nullptr, "de_DE@UTF-8", false},
      {"C", nullptr, "de_DE.UTF-8", false},
      {nullptr, nullptr, nullptr, false},
  };
  for (const auto& f : Faelle) {
    EXPECT_EQ(Utf8Genannt(f.LcAll, f.LcCtype, f.Lang), f.Utf8)
        << (f.LcAll ? f.LcAll : "-") << " " << (f.LcCtype ? f.LcCtype : "-")
        << " " << (f.Lang ? f.Lang : "-");
  }
}

}  // namespace

// A Windows console is written in UTF-16 and never says EAGAIN: POSIX only.
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

namespace {

long Utf8(int Deskriptor, const char* Text, std::size_t Anzahl) {
  return Latin1AlsUtf8Schreiben(GeraetSchreiben, nullptr, Deskriptor, Text,
                                Anzahl);
}

TEST(Konsole, Utf8OhneWiederholungOderLueckeBeiKurzenSchreibvorgaengen) {
  // The terminal takes a few bytes per write and is full every other time,
  // so writes end inside letters and the writer waits between them.
  std::string Text;
  std::string Soll;
  for (int i = 0; i < 300; ++i) {  // more than one piece of the writer
    Text += "Abst\xE4nde \xE4";
    Soll += "Abst\xC3\xA4nde \xC3\xA4";
  }
  // The writer waits for room on the descriptor; /dev/null always has it.
  const int Null = open("/dev/null", O_WRONLY | O_CLOEXEC);
  for (std::size_t Stueck : {1u, 2u, 3u, 7u, 5000u}) {
    g = Geraet{"", Stueck};
    g.Voll = true;
    Schreiber s(Null, Utf8);
    std::ostream(&s) << Text << std::flush;
    EXPECT_EQ(g.Angekommen, Soll) << Stueck << " bytes per write";
  }
  close(Null);
}

TEST(Konsole, GeteilterBuchstabeNurOhneHaltVollendet) {
  // One byte per write, and full at the second: the letter the first write
  // split is finished after the wait, unless the stop question says yes.
  const int Null = open("/dev/null", O_WRONLY | O_CLOEXEC);
  for (const bool Halten : {false, true}) {
    g = Geraet{"", 1};
    g.Voll = true;
    g.Aufrufe = 1;  // the first call writes, the second finds it full
    g.Signal = Halten;
    const long n =
        Latin1AlsUtf8Schreiben(GeraetSchreiben, HaltGesagt, Null, "\xE4", 1);
    EXPECT_EQ(n, Halten ? -1 : 1) << Halten;
    if (Halten) {
      EXPECT_EQ(errno, EINTR);
    }
    EXPECT_EQ(g.Angekommen, Halten ? "\xC3" : "\xC3\xA4") << Halten;
  }
  close(Null);
}

}  // namespace

#endif
