// The listing line: bell, tabs, numbers and the bar of asterisks.
#include "gaps/Listenzeile.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "gaps/Schreiber.hpp"

namespace {

std::string Zeile(PrimzahlFund f) {
  char Puffer[ZeilenLaengeHoechstens];
  return std::string(Puffer, ZeileFormatieren(f, Puffer));
}

TEST(Listenzeile, ZeilenVonZehnBisDreissig) {
  EXPECT_EQ(Zeile({11, 1, 1, true}), "\a11\t\t1\t1\t|\n");
  EXPECT_EQ(Zeile({13, 2, 2, true}), "\a13\t\t2\t2\t|***\n");
  EXPECT_EQ(Zeile({17, 4, 4, true}), "\a17\t\t4\t4\t|******\n");
  EXPECT_EQ(Zeile({19, 4, 2, false}), "19\t\t4\t2\t|***\n");
  EXPECT_EQ(Zeile({23, 4, 4, false}), "23\t\t4\t4\t|******\n");
  EXPECT_EQ(Zeile({29, 6, 6, true}), "\a29\t\t6\t6\t|******\n");
}

TEST(Listenzeile, AbstandNullOhneGlockeUndBalken) {
  EXPECT_EQ(Zeile({11, 0, 0, false}), "11\t\t0\t0\t|\n");
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

TEST(Listenzeile, LaengsteZeilePasstInDenPuffer) {
  const std::string z = Zeile({4294967295u, 4294967295u, 4294967295u, true});
  EXPECT_EQ(z, "\a4294967295\t\t4294967295\t4294967295\t|" +
                   std::string(93, '*') + "\n");
  EXPECT_EQ(z.size(), ZeilenLaengeHoechstens);
}

// What reached the descriptor, one entry per write.
std::vector<std::string> Geschrieben;

long Aufzeichnen(int /*Deskriptor*/, const char* Text, std::size_t Anzahl) {
  Geschrieben.emplace_back(Text, Anzahl);
  return static_cast<long>(Anzahl);
}

TEST(Listenzeile, ErreichtDieAusgabeAmStueckBevorEsWeitergeht) {
  // Each line is shown the moment its prime is found: one write, no waiting
  // in a buffer for the next line.
  Geschrieben.clear();
  Schreiber s(-1, Aufzeichnen);
  std::ostream aus(&s);
  aus << "vorher ";
  EXPECT_TRUE(ZeileSchreiben(aus, {13, 2, 2, true}));
  EXPECT_EQ(Geschrieben,
            std::vector<std::string>{"vorher \a13\t\t2\t2\t|***\n"});

  aus.setstate(std::ios::badbit);
  EXPECT_FALSE(ZeileSchreiben(aus, {17, 4, 4, true}));
}

}  // namespace
