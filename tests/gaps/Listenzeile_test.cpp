// The listing line: bell, tabs, numbers and the bar of asterisks.
#include "gaps/Listenzeile.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/Schreiber.hpp"
#include "support/Geraet.hpp"

namespace {

std::string Zeile(PrimzahlFund f) {
  char Puffer[ZeilenLaengeHoechstens];
  return std::string(Puffer, ZeileFormatieren(f, Puffer));
}

TEST(Listenzeile, GanzeZeilen) {
  const struct {
    PrimzahlFund Fund;
    std::string Soll;
  } Faelle[] = {
      // 10 to 30: a bell on each record, and only there
      {{11, 1, 1, true}, "\a11\t\t1\t1\t|\n"},
      {{13, 2, 2, true}, "\a13\t\t2\t2\t|***\n"},
      {{17, 4, 4, true}, "\a17\t\t4\t4\t|******\n"},
      {{19, 4, 2, false}, "19\t\t4\t2\t|***\n"},
      {{23, 4, 4, false}, "23\t\t4\t4\t|******\n"},
      {{29, 6, 6, true}, "\a29\t\t6\t6\t|******\n"},
      // a typed prime as the lower bound: gap 0, no bell, no bar
      {{11, 0, 0, false}, "11\t\t0\t0\t|\n"},
      // the longest line fills the buffer exactly
      {{4294967295u, 4294967295u, 4294967295u, true},
       "\a4294967295\t\t4294967295\t4294967295\t|" + std::string(93, '*') +
           "\n"},
  };
  for (const auto& f : Faelle) {
    EXPECT_EQ(Zeile(f.Fund), f.Soll) << "prime " << f.Fund.Kandidat;
  }
  EXPECT_EQ(Zeile(Faelle[7].Fund).size(), ZeilenLaengeHoechstens);
}

TEST(Listenzeile, BalkenWaechstUmDreiSterneJeVerdopplung) {
  const struct {
    std::uint32_t Abstand;
    std::size_t Sterne;
  } Tabelle[] = {{0, 0},    {1, 0},    {2, 3},    {3, 3},    {4, 6},
                 {7, 6},    {8, 9},    {15, 9},   {16, 12},  {31, 12},
                 {32, 15},  {63, 15},  {64, 18},  {127, 18}, {128, 21},
                 {255, 21}, {256, 24}, {300, 24}, {511, 24}, {512, 27}};
  for (const auto& t : Tabelle) {
    EXPECT_EQ(Zeile({101, 600, t.Abstand, false}),
              "101\t\t600\t" + std::to_string(t.Abstand) + "\t|" +
                  std::string(t.Sterne, '*') + "\n")
        << "gap " << t.Abstand;
  }
}

TEST(Listenzeile, ErreichtDieAusgabeAmStueckBevorEsWeitergeht) {
  // Each line is shown the moment its prime is found: one write, no waiting
  // in a buffer for the next line.
  g = Geraet{};
  Schreiber s(-1, GeraetSchreiben);
  std::ostream aus(&s);
  aus << "vorher ";
  EXPECT_TRUE(ZeileSchreiben(aus, {13, 2, 2, true}));
  EXPECT_EQ(g.Angekommen, "vorher \a13\t\t2\t2\t|***\n");
  EXPECT_EQ(g.Aufrufe, 1);

  aus.setstate(std::ios::badbit);
  EXPECT_FALSE(ZeileSchreiben(aus, {17, 4, 4, true}));
}

}  // namespace
