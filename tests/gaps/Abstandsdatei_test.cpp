// The raw gap file: one low byte per gap, truncation, one pass at a time,
// and failures that are reported instead of swallowed.
#include "gaps/Abstandsdatei.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/Datenpfad.hpp"
#include "support/Ordner.hpp"

namespace fs = std::filesystem;

namespace {

class AbstandsdateiTest : public testing::Test {
 protected:
  void TearDown() override { fs::remove_all(Ordner); }

  fs::path Ordner = FrischerOrdner();
  std::string Pfad = (Ordner / datenpfad::Dateiname).string();
};

TEST_F(AbstandsdateiTest, HaeltDieNiedrigenBytesDesDurchgangs) {
  std::vector<std::uint32_t> Viele;
  std::string VieleBytes;
  for (std::uint32_t i = 0; i < 20000; ++i) {  // beyond the buffer
    Viele.push_back(i * 7);
    VieleBytes += static_cast<char>((i * 7) & 0xFF);
  }
  const struct {
    const char* Name;
    std::vector<std::uint32_t> Abstaende;
    std::string Soll;
  } Faelle[] = {
      {"low bytes",
       {0, 1, 10, 13, 255, 256, 300},
       std::string("\x00\x01\x0A\x0D\xFF\x00\x2C", 7)},
      {"more than the buffer", Viele, VieleBytes},
      {"no gap: empty", {}, ""},
  };
  for (const auto& f : Faelle) {
    std::ofstream(Pfad) << "alte Daten";
    Abstandsdatei d;
    ASSERT_EQ(d.Oeffnen(Pfad.c_str()), Oeffnung::Offen) << f.Name;
    for (std::uint32_t a : f.Abstaende) {
      d.Schreiben(a);
    }
    ASSERT_TRUE(d.Schliessen()) << f.Name;
    EXPECT_EQ(DateiLesen(Pfad), f.Soll) << f.Name;
  }
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
  EXPECT_EQ(DateiLesen(Pfad), "\x01\x02");
  Abstandsdatei Danach;
  EXPECT_EQ(Danach.Oeffnen(Pfad.c_str()), Oeffnung::Offen);
}

TEST_F(AbstandsdateiTest, FehlerWerdenGemeldet) {
  // A missing folder is not made; a folder at the path cannot be opened; a
  // full device takes the open, and the close reports the lost byte.
  const fs::path Fehlt = Ordner / "fehlt" / "x.dat";
  fs::create_directory(Ordner / "ordner");
  const struct {
    const char* Name;
    fs::path Pfad;
    Oeffnung Soll;
    int Fehler;  // 0: any
  } Faelle[] = {
      {"missing folder", Fehlt, Oeffnung::Gescheitert, ENOENT},
      {"folder at the path", Ordner / "ordner", Oeffnung::Gescheitert, 0},
#ifdef __linux__
      {"full device", "/dev/full", Oeffnung::Offen, ENOSPC},
#endif
  };
  for (const auto& f : Faelle) {
    Abstandsdatei d;
    EXPECT_EQ(d.Oeffnen(f.Pfad.string().c_str()), f.Soll) << f.Name;
    d.Schreiben(6);
    EXPECT_FALSE(d.Schliessen() && d.Fehlernummer() == 0) << f.Name;
    EXPECT_EQ(d.Fehlernummer() == f.Fehler, f.Fehler != 0) << f.Name;
  }
  EXPECT_FALSE(fs::exists(Ordner / "fehlt"));
}

}  // namespace
