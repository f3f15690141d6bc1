// The writer of both outputs under writes that stop short, fail, or are
// interrupted: every byte arrives once and in order, or the first failure
// stops everything after it.
#include "platform/Schreiber.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>
#include <ostream>
#include <string>

#include "support/Geraet.hpp"

namespace {

TEST(Schreiber, WasAnkommt) {
  // The text goes in pieces of 5 and 9000 bytes (more than the buffer);
  // then the device takes everything again and "danach" follows. A signal
  // is noted during every write of the rows that say so.
  std::string Lang;
  for (std::size_t i = 0; i < 20000; ++i) {
    Lang += static_cast<char>('a' + i % 26);
  }
  using A = Schreiber::Abbruch;
  const std::size_t Alles = 1u << 30;
  const struct {
    const char* Name;
    std::size_t Stueck, Platz;
    int Unterbrechungen;
    std::optional<A> Art;  // with a signal, and how it stops the writer
    std::string Text, Soll;
    int Fehler, Aufrufe;  // Aufrufe 0: any number of writes
  } Faelle[] = {
      {"short writes", 7, Alles, 0, {}, Lang, Lang + "danach", 0, 0},
      {"device full at 1000",
       300,
       1000,
       0,
       {},
       Lang,
       Lang.substr(0, 1000),
       ENOSPC,
       0},
      {"EINTR, no stop asked",
       Alles,
       Alles,
       2,
       {},
       "Zeile\n",
       "Zeile\ndanach",
       0,
       0},
      {"stdout, short write", 3, Alles, 0, A::Sofort, "Zeile\n", "Zei", EINTR,
       0},
      {"stdout, EINTR", Alles, Alles, 1, A::Sofort, "Zeile\n", "", EINTR, 1},
      {"file, short write", 3, Alles, 0, A::BeimWarten, "Zeile\n",
       "Zeile\ndanach", 0, 0},
      {"file, EINTR", Alles, Alles, 1, A::BeimWarten, "Zeile\n", "", EINTR, 1},
  };
  for (const auto& f : Faelle) {
    g = Geraet{"", f.Stueck, f.Platz, ENOSPC, f.Unterbrechungen};
    g.Signal = f.Art.has_value();
    Halt = 0;
    Schreiber s(-1, GeraetSchreiben);
    if (f.Art) {
      s.AbbruchBeachten(HaltGesagt, *f.Art);
    }
    std::ostream aus(&s);
    for (std::size_t a = 0, e; a < f.Text.size(); a = e) {
      e = a == 0 ? 5 : a + 9000;
      aus << f.Text.substr(a, e - a);
    }
    g.Platz = Alles;
    aus << "danach" << std::flush;
    EXPECT_EQ(g.Angekommen, f.Soll) << f.Name;
    EXPECT_EQ(s.Fehlernummer(), f.Fehler) << f.Name;
    EXPECT_EQ(aus.fail(), f.Fehler != 0) << f.Name;
    if (f.Aufrufe != 0) {
      EXPECT_EQ(g.Aufrufe, f.Aufrufe) << f.Name;
    }
  }
}

}  // namespace
