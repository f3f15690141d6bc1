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
// EINTR first. With `Signal` set, an interrupt is noted during the first call.
volatile std::sig_atomic_t Anfrage = 0;
struct Geraet {
  std::string Angekommen;
  std::size_t Stueck = 1000000, Platz = 1000000;
  int Fehler = ENOSPC, Unterbrechungen = 0, Aufrufe = 0;
  bool Signal = false;
} g;

long Schreiben(int /*Deskriptor*/, const char* Text, std::size_t Anzahl) {
  ++g.Aufrufe;
  Anfrage = g.Signal ? 1 : 0;
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
  void SetUp() override {
    g = Geraet{};
    Anfrage = 0;
  }
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

TEST_F(SchreiberTest, UnterbrechungImSchreiben) {
  // A signal noted during the first write: standard output (Sofort) writes
  // nothing more, not even the rest of a line cut short; the data file
  // (BeimWarten) still writes out its buffer, but gives up a write that an
  // interrupt cut off.
  using A = Schreiber::Abbruch;
  const struct {
    const char* Name;
    A Art;
    std::size_t Stueck;
    int Unterbrechungen;
    const char* Soll;
    int Fehler;
  } Faelle[] = {
      {"stdout, short write", A::Sofort, 3, 0, "Zei", EINTR},
      {"stdout, interrupted write", A::Sofort, 100, 1, "", EINTR},
      {"file, short write", A::BeimWarten, 3, 0, "Zeile\n", 0},
      {"file, interrupted write", A::BeimWarten, 100, 1, "", EINTR},
  };
  for (const auto& f : Faelle) {
    SetUp();
    g.Signal = true;
    g.Stueck = f.Stueck;
    g.Unterbrechungen = f.Unterbrechungen;
    Schreiber t(-1, Schreiben);
    t.AbbruchBeachten(&Anfrage, f.Art);
    std::ostream o(&t);
    o << "Zeile\n" << std::flush;
    EXPECT_EQ(g.Angekommen, f.Soll) << f.Name;
    EXPECT_EQ(t.Fehlernummer(), f.Fehler) << f.Name;
  }
}

}  // namespace
