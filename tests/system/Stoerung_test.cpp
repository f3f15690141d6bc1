// Faults injected while the real program runs, chosen so that they hold even
// for root: the data folder or file changed between two passes, standard
// input closed, standard output a pipe nobody reads. Each test states what a
// user finds afterwards.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/Datenpfad.hpp"
#include "support/Ordner.hpp"
#include "support/Prozess.hpp"

namespace fs = std::filesystem;

namespace {

const std::string Frage = "Neue Eingabe? ja/nein\n";
const std::string ZehnBisDreissig = "\x01\x02\x04\x02\x04\x06";

bool EndetMit(const std::string& Text, const std::string& Ende) {
  return Text.size() >= Ende.size() &&
         Text.compare(Text.size() - Ende.size(), Ende.size(), Ende) == 0;
}

class StoerungTest : public testing::Test {
 protected:
  void SetUp() override {
    l.Programm = PRIMZAHLABSTAND_PROGRAMM;
    l.Arbeit = FrischerOrdner();
    fs::create_directories(Ordner());
  }
  void TearDown() override { fs::remove_all(l.Arbeit); }

  fs::path Ordner() const { return l.Arbeit / datenpfad::Ordner; }
  fs::path Datei() const { return Ordner() / datenpfad::Dateiname; }
  std::string Daten() const { return DateiLesen(Datei()); }

  // One full pass over 10..30; returns once the question is shown.
  void ErsterDurchgang() {
    l.Starten();
    l.Senden("10 30\n");
    ASSERT_TRUE(l.Warten(Frage, 1));
    ASSERT_EQ(Daten(), ZehnBisDreissig);
  }

  void ZweiterDurchgang() {
    l.Senden("ja\n10 30\nnein\n");
    ASSERT_TRUE(l.Beenden());
  }

  void FehlerzeileErwarten(const std::string& Anfang, int Nummer) {
    EXPECT_EQ(l.FehlerText, "primzahlabstand: " + Anfang + ": " +
                                std::strerror(Nummer) + "\n");
  }

  Lauf l;
};

TEST_F(StoerungTest, OrdnerZwischenZweiDurchgaengenEntfernt) {
  // Found afterwards: status 1, one line naming the file, no folder.
  ErsterDurchgang();
  fs::remove_all(Ordner());
  ZweiterDurchgang();
  EXPECT_EQ(l.Status, 1);
  FehlerzeileErwarten(
      "Die Datei c:/temp/PRIMraw8bit.dat kann nicht "
      "geoeffnet werden",
      ENOENT);
  EXPECT_FALSE(fs::exists(Ordner()));
  EXPECT_NE(l.Text.find(Frage + "\nDieses Programm"), std::string::npos);
  EXPECT_TRUE(EndetMit(l.Text, "Bitte Maximalwert eingeben: \n"));
}

TEST_F(StoerungTest, OrdnerZwischenZweiDurchgaengenDurchDateiErsetzt) {
  // Found afterwards: status 1, the reason "Not a directory", the plain file
  // untouched.
  ErsterDurchgang();
  fs::remove_all(Ordner());
  std::ofstream(Ordner()) << "kein Ordner";
  ZweiterDurchgang();
  EXPECT_EQ(l.Status, 1);
  FehlerzeileErwarten(
      "Die Datei c:/temp/PRIMraw8bit.dat kann nicht "
      "geoeffnet werden",
      ENOTDIR);
  EXPECT_EQ(fs::file_size(Ordner()), 11u);
}

TEST_F(StoerungTest, DateiImZweitenDurchgangVoll) {
  // Found afterwards: the second pass listed in full, then status 1 and one
  // line after the farewell, no second question.
  ErsterDurchgang();
  fs::remove(Datei());
  fs::create_symlink("/dev/full", Datei());
  ZweiterDurchgang();
  EXPECT_EQ(l.Status, 1);
  FehlerzeileErwarten(
      "Die Datei c:/temp/PRIMraw8bit.dat konnte nicht "
      "vollstaendig geschrieben werden",
      ENOSPC);
  EXPECT_TRUE(EndetMit(l.Text, "Viele Gruesse von Quelmarn (Zerlip)\n"));
  EXPECT_EQ(l.Text.find(Frage), l.Text.rfind(Frage));
}

TEST_F(StoerungTest, EingabeGeschlossen) {
  // Found afterwards: the complaint about 0 and 0, the question, status 0,
  // no data file.
  l.Ein = Lauf::Eingabe::Geschlossen;
  l.Starten();
  ASSERT_TRUE(l.Beenden());
  EXPECT_EQ(l.Status, 0);
  EXPECT_EQ(l.FehlerText, "");
  EXPECT_TRUE(EndetMit(
      l.Text,
      "Falsche Eingabe! \a \nSie haben 0 und 0 eingegeben. \n" + Frage));
  EXPECT_FALSE(fs::exists(Datei()));
}

TEST_F(StoerungTest, LeserDerAusgabeFort) {
  // Found afterwards: the broken-pipe signal ended the program, nothing on
  // standard error, the old data file untouched.
  std::ofstream(Datei(), std::ios::binary) << "alt";
  l.Aus = Lauf::Ausgabe::LeserWeg;
  l.Starten();
  l.Senden("10 30\nnein\n");
  ASSERT_TRUE(l.Beenden());
  EXPECT_EQ(l.Status, 128 + SIGPIPE);
  EXPECT_EQ(l.FehlerText, "");
  EXPECT_EQ(Daten(), "alt");
}

TEST_F(StoerungTest, LeserDerAusgabeFortUndSignalIgnoriert) {
  // With the signal ignored (as some shells and services start programs):
  // status 1 and one line with the reason, the old data file untouched.
  std::ofstream(Datei(), std::ios::binary) << "alt";
  l.Aus = Lauf::Ausgabe::LeserWeg;
  l.SigpipeIgnoriert = true;
  l.Starten();
  l.Senden("10 30\nnein\n");
  ASSERT_TRUE(l.Beenden());
  EXPECT_EQ(l.Status, 1);
  FehlerzeileErwarten("Die Ausgabe konnte nicht geschrieben werden", EPIPE);
  EXPECT_EQ(Daten(), "alt");
}

}  // namespace
