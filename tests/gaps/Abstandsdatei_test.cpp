// The raw gap file: one low byte per gap, truncation, and failures that are
// reported instead of swallowed.
#include "gaps/Abstandsdatei.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/Datenpfad.hpp"
#include "support/Ordner.hpp"

namespace fs = std::filesystem;

namespace {

class AbstandsdateiTest : public testing::Test {
 protected:
  void SetUp() override {
    Ordner = FrischerOrdner();
    Pfad = (Ordner / datenpfad::Dateiname).string();
  }
  void TearDown() override { fs::remove_all(Ordner); }

  std::string Inhalt() const { return DateiLesen(Pfad); }

  fs::path Ordner;
  std::string Pfad;
};

TEST_F(AbstandsdateiTest, SpeichertDasNiedrigeByteJedesAbstands) {
  Abstandsdatei d;
  ASSERT_EQ(d.Oeffnen(Pfad.c_str()), Oeffnung::Offen);
  for (std::uint32_t a : {0u, 1u, 10u, 13u, 255u, 256u, 300u}) {
    d.Schreiben(a);
  }
  ASSERT_TRUE(d.Schliessen());
  EXPECT_EQ(Inhalt(), std::string("\x00\x01\x0A\x0D\xFF\x00\x2C", 7));
}

TEST_F(AbstandsdateiTest, UeberschreibtAlteDatenUndBleibtLeerOhneFund) {
  std::ofstream(Pfad) << "alte Daten";
  Abstandsdatei d;
  ASSERT_EQ(d.Oeffnen(Pfad.c_str()), Oeffnung::Offen);
  ASSERT_TRUE(d.Schliessen());
  EXPECT_EQ(fs::file_size(Pfad), 0u);
}

TEST_F(AbstandsdateiTest, VieleBytesUeberDenPufferHinaus) {
  std::string Soll;
  Abstandsdatei d;
  ASSERT_EQ(d.Oeffnen(Pfad.c_str()), Oeffnung::Offen);
  for (std::uint32_t i = 0; i < 20000; ++i) {
    d.Schreiben(i * 7);
    Soll.push_back(static_cast<char>((i * 7) & 0xFF));
  }
  ASSERT_TRUE(d.Schliessen());
  EXPECT_EQ(Inhalt(), Soll);
}

TEST_F(AbstandsdateiTest, ZweiterDurchgangAufDieselbeDateiWirdAbgewiesen) {
  // Two runs at once: the second must neither truncate nor write the file of
  // the first, which holds its lock until it closes; then it is free again.
  Abstandsdatei Erster;
  ASSERT_EQ(Erster.Oeffnen(Pfad.c_str()), Oeffnung::Offen);
  Erster.Schreiben(1);
  Erster.Schreiben(2);
  {
    Abstandsdatei Zweiter;
    EXPECT_EQ(Zweiter.Oeffnen(Pfad.c_str()), Oeffnung::Gesperrt);
    Zweiter.Schreiben(6);
  }
  ASSERT_TRUE(Erster.Schliessen());
  EXPECT_EQ(Inhalt(), "\x01\x02");
  Abstandsdatei Danach;
  EXPECT_EQ(Danach.Oeffnen(Pfad.c_str()), Oeffnung::Offen);
}

TEST_F(AbstandsdateiTest, FehlenderOrdnerWirdNichtAngelegt) {
  const std::string Fehlt = (Ordner / "fehlt" / "x.dat").string();
  Abstandsdatei d;
  EXPECT_EQ(d.Oeffnen(Fehlt.c_str()), Oeffnung::Gescheitert);
  EXPECT_EQ(d.Fehlernummer(), ENOENT);
  EXPECT_FALSE(fs::exists(Ordner / "fehlt"));
}

TEST_F(AbstandsdateiTest, OrdnerAnStelleDerDatei) {
  fs::create_directory(Pfad);
  Abstandsdatei d;
  EXPECT_EQ(d.Oeffnen(Pfad.c_str()), Oeffnung::Gescheitert);
  EXPECT_NE(d.Fehlernummer(), 0);
}

#ifdef __linux__
TEST_F(AbstandsdateiTest, VolleDiskWirdGemeldet) {
  fs::create_symlink("/dev/full", Pfad);
  Abstandsdatei d;
  ASSERT_EQ(d.Oeffnen(Pfad.c_str()), Oeffnung::Offen);
  d.Schreiben(6);
  EXPECT_FALSE(d.Schliessen());
  EXPECT_EQ(d.Fehlernummer(), ENOSPC);
}
#endif

}  // namespace
