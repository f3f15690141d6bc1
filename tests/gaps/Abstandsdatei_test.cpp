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
  ASSERT_TRUE(d.Oeffnen(Pfad.c_str()));
  for (std::uint32_t a : {0u, 1u, 10u, 13u, 255u, 256u, 300u}) {
    d.Schreiben(a);
  }
  ASSERT_TRUE(d.Schliessen());
  EXPECT_EQ(Inhalt(), std::string("\x00\x01\x0A\x0D\xFF\x00\x2C", 7));
}

TEST_F(AbstandsdateiTest, UeberschreibtAlteDatenUndBleibtLeerOhneFund) {
  std::ofstream(Pfad) << "alte Daten";
  Abstandsdatei d;
  ASSERT_TRUE(d.Oeffnen(Pfad.c_str()));
  ASSERT_TRUE(d.Schliessen());
  EXPECT_EQ(fs::file_size(Pfad), 0u);
}

TEST_F(AbstandsdateiTest, VieleBytesUeberDenPufferHinaus) {
  std::string Soll;
  Abstandsdatei d;
  ASSERT_TRUE(d.Oeffnen(Pfad.c_str()));
  for (std::uint32_t i = 0; i < 20000; ++i) {
    d.Schreiben(i * 7);
    Soll.push_back(static_cast<char>((i * 7) & 0xFF));
  }
  ASSERT_TRUE(d.Schliessen());
  EXPECT_EQ(Inhalt(), Soll);
}

TEST_F(AbstandsdateiTest, FehlenderOrdnerWirdNichtAngelegt) {
  const std::string Fehlt = (Ordner / "fehlt" / "x.dat").string();
  Abstandsdatei d;
  EXPECT_FALSE(d.Oeffnen(Fehlt.c_str()));
  EXPECT_EQ(d.Fehlernummer(), ENOENT);
  EXPECT_FALSE(fs::exists(Ordner / "fehlt"));
}

TEST_F(AbstandsdateiTest, OrdnerAnStelleDerDatei) {
  fs::create_directory(Pfad);
  Abstandsdatei d;
  EXPECT_FALSE(d.Oeffnen(Pfad.c_str()));
  EXPECT_NE(d.Fehlernummer(), 0);
}

#ifdef __linux__
TEST_F(AbstandsdateiTest, VolleDiskWirdGemeldet) {
  fs::create_symlink("/dev/full", Pfad);
  Abstandsdatei d;
  ASSERT_TRUE(d.Oeffnen(Pfad.c_str()));
  d.Schreiben(6);
  EXPECT_FALSE(d.Schliessen());
  EXPECT_EQ(d.Fehlernummer(), ENOSPC);
}
#endif

}  // namespace
