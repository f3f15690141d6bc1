// The writer of both outputs under writes that stop short, fail, or are
// interrupted: every byte arrives once and in order, or the first failure
// stops everything after it.
#include "gaps/Schreiber.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <ostream>
#include <string>

namespace {

// A descriptor that takes at most `Stueck` bytes per call and fails with
// `Fehler` once `Platz` bytes have arrived; `Unterbrechungen` calls fail with
// EINTR first.
struct Geraet {
  std::string Angekommen;
  std::size_t Stueck = 1000000, Platz = 1000000;
  int Fehler = ENOSPC, Unterbrechungen = 0, Aufrufe = 0;
} g;

long Schreiben(int /*Deskriptor*/, const char* Text, std::size_t Anzahl) {
  ++g.Aufrufe;
  if (g.Unterbrechungen > 0) {
    --g.Unterbrechungen;
    errno = EINTR;
    return -1;
  }
  if (g.Angekommen.size() >= g.Platz) {
    errno = g.Fehler;
    return -1;
  }
  const std::size_t n =
      std::min({Anzahl, g.Stueck, g.Platz - g.Angekommen.size()});
  g.Angekommen.append(Text, n);
  return static_cast<long>(n);
}

std::string Zaehlfolge(std::size_t n) {
  std::string s;
  for (std::size_t i = 0; i < n; ++i) {
    s += static_cast<char>('a' + i % 26);
  }
  return s;
}

class SchreiberTest : public testing::Test {
 protected:
  void SetUp() override { g = Geraet{}; }
  Schreiber s{-1, Schreiben};
  std::ostream aus{&s};
};

TEST_F(SchreiberTest, KurzeSchreibvorgaengeVerlierenUndWiederholenNichts) {
  g.Stueck = 7;
  const std::string Text = Zaehlfolge(20000);  // more than the buffer holds
  aus << Text.substr(0, 5) << Text.substr(5, 9000) << Text.substr(9005);
  ASSERT_TRUE(s.Leeren());
  EXPECT_EQ(g.Angekommen, Text);
}

TEST_F(SchreiberTest, NachDemErstenFehlerWirdNichtsMehrGeschrieben) {
  g.Stueck = 300;
  g.Platz = 1000;
  const std::string Text = Zaehlfolge(20000);
  aus << Text;
  g.Platz = 1000000;  // the device would take more now
  aus << "danach";
  s.Leeren();
  EXPECT_EQ(g.Angekommen, Text.substr(0, 1000));
  EXPECT_EQ(s.Fehlernummer(), ENOSPC);
  EXPECT_TRUE(aus.fail());
}

TEST_F(SchreiberTest, UnterbrechungOhneAbbruchWirdWiederholt) {
  g.Unterbrechungen = 2;
  aus << "Zeile\n" << std::flush;
  EXPECT_EQ(g.Angekommen, "Zeile\n");
  EXPECT_TRUE(s.Gut());
}

TEST_F(SchreiberTest, UnterbrechungMitAbbruchGibtAuf) {
  volatile std::sig_atomic_t Abbruch = 1;
  s.AbbruchBeachten(&Abbruch);
  g.Unterbrechungen = 1;
  aus << "Zeile\n" << std::flush;
  EXPECT_EQ(g.Angekommen, "");
  EXPECT_EQ(s.Fehlernummer(), EINTR);
  EXPECT_EQ(g.Aufrufe, 1);
}

}  // namespace
