// How the real program ends in the middle of a listing: by a signal, by a
// reader that goes away, by a file-size limit. Whatever ends it, the data
// file holds the gaps of exactly the listing lines that were shown.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>

#include "support/Datenpfad.hpp"
#include "support/Gezeigt.hpp"
#include "support/Ordner.hpp"
#include "support/Prozess.hpp"
#include "support/Sieb.hpp"

namespace fs = std::filesystem;

namespace {

class AbbruchTest : public testing::Test {
 protected:
  void SetUp() override {
    l.Programm = PRIMZAHLABSTAND_PROGRAMM;
    l.Arbeit = FrischerOrdner();
    fs::create_directories(l.Arbeit / datenpfad::Ordner);
  }
  void TearDown() override { fs::remove_all(l.Arbeit); }

  std::string Daten() const { return DateiLesen(l.Arbeit / datenpfad::Datei); }

  // A pass long enough never to end by itself within a test.
  void LangerDurchgang(int Zeilen) {
    l.Starten();
    l.Senden("0 4000000000\n");
    ASSERT_TRUE(l.Warten("\t|", Zeilen));
  }

  Lauf l;
};

class Signal : public AbbruchTest, public testing::WithParamInterface<int> {};

TEST_P(Signal, ImDurchgangHaeltDieDateiDieGezeigtenZeilen) {
  const int Nummer = GetParam();
  LangerDurchgang(1000);
  kill(l.Kind, Nummer);
  ASSERT_TRUE(l.Beenden());
  EXPECT_EQ(l.Status, 128 + Nummer);
  EXPECT_EQ(l.FehlerText(), "");
  const std::string Gezeigt = GezeigteAbstaende(l.Text());
  EXPECT_GE(Gezeigt.size(), 1000u);
  EXPECT_EQ(Daten(), Gezeigt);
}

// Ctrl+C, kill, a closed terminal, and some of the others whose default ends
// a program: an alarm, a user's signal, a CPU-time limit, real-time ones to
// the last.
INSTANTIATE_TEST_SUITE_P(Endsignale, Signal,
                         testing::Values(SIGINT, SIGTERM, SIGHUP, SIGALRM,
                                         SIGUSR1, SIGXCPU, SIGRTMIN + 3,
                                         SIGRTMAX));

class PromptSignal : public Signal {};

TEST_P(PromptSignal, BeendetDasProgrammSofort) {
  // No file is open: the program ends by the signal itself, not by a read
  // that failed (which would complain about 0 and 0 and end with 0), at the
  // first prompt and at the question after a pass, whose file is closed.
  const int Nummer = GetParam();
  const struct {
    const char *Name, *Eingabe, *Prompt;
  } Faelle[] = {
      {"the first prompt", "", "Bitte Minimalwert eingeben: \n"},
      {"the question after a pass", "10 30\n", "Neue Eingabe? ja/nein\n"},
  };
  for (const auto& f : Faelle) {
    Lauf k;
    k.Programm = l.Programm;
    k.Arbeit = l.Arbeit;
    k.Starten();
    k.Senden(f.Eingabe);
    ASSERT_TRUE(k.Warten(f.Prompt, 1)) << f.Name;
    kill(k.Kind, Nummer);
    ASSERT_TRUE(k.EndeAbwarten(std::chrono::seconds(5)))
        << f.Name << ": still running";
    EXPECT_EQ(k.Status, 128 + Nummer) << f.Name;
  }
}

INSTANTIATE_TEST_SUITE_P(SigintSigtermSighupSigalrm, PromptSignal,
                         testing::Values(SIGINT, SIGTERM, SIGHUP, SIGALRM));

TEST_F(AbbruchTest, SighupBleibtIgnoriertWieBeiNohup) {
  l.SighupIgnoriert = true;
  l.Starten();
  ASSERT_TRUE(l.Warten("Bitte Minimalwert eingeben: \n", 1));
  kill(l.Kind, SIGHUP);
  l.Senden("10 30\nnein\n");
  ASSERT_TRUE(l.Beenden(5));
  EXPECT_EQ(l.Status, 0);
}

TEST_F(AbbruchTest, SignalBeendetEinSchreibenDasWartet) {
  // Standard output a socket nobody reads: the program waits in its write,
  // and the signal itself ends that write at once.
  l.Aus = Lauf::Ausgabe::Sockel;
  LangerDurchgang(1);
  ASSERT_TRUE(l.WartenBisEsWartet(false));
  kill(l.Kind, SIGTERM);
  ASSERT_TRUE(l.EndeAbwarten(std::chrono::milliseconds(500)))
      << "still waiting in its write";
  ASSERT_TRUE(l.Beenden());
  EXPECT_EQ(l.Status, 128 + SIGTERM);
  EXPECT_EQ(Daten(), GezeigteAbstaende(l.Text()));
}

TEST_F(AbbruchTest, SignalBeiDatenDateiOhneLeser) {
  // The data file a FIFO nobody opens for reading: the open waits, and an
  // interrupt ends it; not one listing line is shown.
  const fs::path Fifo = l.Arbeit / datenpfad::Datei;
  ASSERT_EQ(mkfifo(Fifo.c_str(), 0600), 0);
  l.Starten();
  l.Senden("0 4000000000\n");
  ASSERT_TRUE(l.WartenBisEsWartet(true));
  kill(l.Kind, SIGINT);
  ASSERT_TRUE(l.EndeAbwarten(std::chrono::seconds(5))) << "still opening";
  ASSERT_TRUE(l.Beenden());
  EXPECT_EQ(l.Status, 128 + SIGINT);
  EXPECT_EQ(l.Text().find('|'), std::string::npos);
}

TEST_F(AbbruchTest, LeserGehtMittenInDerListe) {
  // Lines still in the pipe when the reader went had been written, so they
  // count as shown: the file holds at least the lines received, and every
  // byte of it is right.
  LangerDurchgang(12);
  l.Ausgabe_.Schliessen();
  ASSERT_TRUE(l.Beenden());
  EXPECT_EQ(l.Status, 128 + SIGPIPE);
  EXPECT_EQ(l.FehlerText(), "");
  const std::string Gezeigt = GezeigteAbstaende(l.Text());
  const std::string d = Daten();
  ASSERT_GE(d.size(), Gezeigt.size());
  EXPECT_EQ(d, ErsteAbstaende(0, d.size()));
}

TEST_F(AbbruchTest, DateigroessenGrenzeWieVolleDisk) {
  // The limit cuts a write of the file short at byte 1000: reported like a
  // full disk, and the file holds exactly the bytes that fit.
  l.Dateigroesse = 1000;
  l.Starten();
  l.Senden("0 100000\nnein\n");
  ASSERT_TRUE(l.Beenden());
  EXPECT_EQ(l.Status, 1);
  EXPECT_EQ(l.FehlerText(),
            "primzahlabstand: Die Datei " + datenpfad::Datei.generic_string() +
                " konnte nicht vollstaendig geschrieben werden: " +
                std::strerror(EFBIG) + "\n");
  EXPECT_EQ(Daten(), GezeigteAbstaende(l.Text()).substr(0, 1000));
}

#if defined(__SANITIZE_ADDRESS__)
#define MIT_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MIT_SANITIZER 1
#endif
#endif

TEST_F(AbbruchTest, LangeAntwortKostetKeinenSpeicher) {
#ifdef MIT_SANITIZER
  GTEST_SKIP() << "the sanitizers' shadow memory hides the program's own";
#endif
  l.Starten();
  l.Senden("10 30\n");
  const std::string Block(1 << 20, 'j');
  for (int i = 0; i < 32; ++i) {
    l.Senden(Block);
  }
  ASSERT_TRUE(l.Beenden(60));
  EXPECT_EQ(l.Status, 0);
  EXPECT_LT(l.Verbrauch.ru_maxrss, 4096) << "KiB at peak";
}

}  // namespace
