// The dialogue driven in-process: prompts, complaints, reads that fail, and
// what happens when the output or the data file cannot be written.
#include "dialogue/Dialog.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>

#include "gaps/Abstandsdatei.hpp"
#include "gaps/Schreiber.hpp"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "support/Datenpfad.hpp"
#include "support/Ordner.hpp"

namespace fs = std::filesystem;

namespace {

const std::string Banner =
    "\n"
    "Dieses Programm berechnet Primzahlen und deren Abstand voneinander. \n"
    "Die Abst\xE4"
    "nde zwischen den Primzahlen werden in folgender Datei gespeichert: \n"
    "c:/temp/PRIMraw8bit.dat \n"
    " \n";
const std::string Bereich =
    "Bitte Minimalwert eingeben: \nBitte Maximalwert eingeben: \n";
const std::string Frage = "Neue Eingabe? ja/nein\n";

std::string Beschwerde(const char* Min, const char* Max) {
  return std::string("Falsche Eingabe! \a \nSie haben ") + Min + " und " + Max +
         " eingegeben. \n";
}

std::string Schluss(const char* Min, const char* Max, const char* Groesster) {
  return std::string("sind Primzahlen von ") + Min + " bis " + Max +
         "\nDer groesste Abstand zwischen zwei Primzahlen ist " + Groesster +
         "\nViele Gruesse von Quelmarn (Zerlip)\n";
}

const std::string ZehnBisDreissig =
    "\n"
    "\a11\t\t1\t1\t|\n"
    "\a13\t\t2\t2\t|***\n"
    "\a17\t\t4\t4\t|******\n"
    "19\t\t4\t2\t|***\n"
    "23\t\t4\t4\t|******\n"
    "\a29\t\t6\t6\t|******\n";

// Standard output that takes a fixed number of bytes, then fails like a full
// disk, through the program's own writer.
std::string Angekommen;
std::size_t Platz = 0;

long VollSchreiben(int /*Deskriptor*/, const char* Text, std::size_t Anzahl) {
  if (Angekommen.size() == Platz) {
    errno = ENOSPC;
    return -1;
  }
  const std::size_t n = std::min(Anzahl, Platz - Angekommen.size());
  Angekommen.append(Text, n);
  return static_cast<long>(n);
}

struct VolleAusgabe {
  explicit VolleAusgabe(std::size_t Bytes) {
    Angekommen.clear();
    Platz = Bytes;
  }
  Schreiber Puffer{-1, VollSchreiben};
  std::ostream aus{&Puffer};
};

class DialogTest : public testing::Test {
 protected:
  void SetUp() override {
    Ordner = FrischerOrdner();
    Pfad = (Ordner / datenpfad::Dateiname).string();
  }
  void TearDown() override { fs::remove_all(Ordner); }

  int Laufen(const std::string& Eingabe, std::ostream& aus) {
    std::istringstream ein(Eingabe);
    ein.tie(&aus);  // as standard input is tied to standard output
    const Ende e = Dialog(ein, aus, Fehler, Pfad.c_str());
    EXPECT_EQ(e.Signal, 0);
    return e.Status;
  }

  std::string Laufen(const std::string& Eingabe, int Status = 0) {
    std::ostringstream aus;
    EXPECT_EQ(Laufen(Eingabe, aus), Status);
    return aus.str();
  }

  std::string Daten() const { return DateiLesen(Pfad); }

  fs::path Ordner;
  std::string Pfad;
  std::ostringstream Fehler;
};

TEST_F(DialogTest, EinDurchgang) {
  EXPECT_EQ(Laufen("10\n30\nnein\n"), Banner + Bereich + ZehnBisDreissig +
                                          Schluss("11", "30", "6") + Frage);
  EXPECT_EQ(Daten(), "\x01\x02\x04\x02\x04\x06");
  EXPECT_EQ(Fehler.str(), "");
}

TEST_F(DialogTest, NachJaAufDieBeschwerdeKommtKeinBanner) {
  EXPECT_EQ(Laufen("5 5 ja 20 10 ja 10 30 ja 1 8"),
            Banner + Bereich + Beschwerde("5", "5") + Frage + Bereich +
                Beschwerde("20", "10") + Frage + Bereich + ZehnBisDreissig +
                Schluss("11", "30", "6") + Frage + Banner + Bereich + "\n" +
                Schluss("1", "8", "0") + Frage);
  EXPECT_EQ(Daten(), "");
}

TEST_F(DialogTest, GescheiterteLesungGiltAlsNull) {
  // "nein" is left over from the answer and fails as a number.
  EXPECT_EQ(Laufen("20 10\nja nein\n"),
            Banner + Bereich + Beschwerde("20", "10") + Frage + Bereich +
                Beschwerde("0", "0") + Frage);
  EXPECT_EQ(Laufen("4294967296 5\n"),
            Banner + Bereich + Beschwerde("0", "0") + Frage);
  EXPECT_EQ(Laufen("7 4294967296\n"),
            Banner + Bereich + Beschwerde("7", "0") + Frage);
  EXPECT_EQ(Laufen("12 x30\nja\n"),
            Banner + Bereich + Beschwerde("12", "0") + Frage);
  EXPECT_FALSE(fs::exists(Pfad));
}

TEST_F(DialogTest, VorzeichenWerdenAngenommen) {
  EXPECT_EQ(Laufen("-5 7\n"),
            Banner + Bereich + Beschwerde("4294967291", "7") + Frage);
  EXPECT_EQ(Laufen("+7 12\n"), Banner + Bereich + "\n\a11\t\t4\t4\t|******\n" +
                                   Schluss("7", "12", "4") + Frage);
  EXPECT_EQ(Daten(), "\x04");
}

#ifndef O_BINARY
#define O_BINARY 0
#endif

TEST_F(DialogTest, DatenDateiBleibtUnberuehrt) {
  // The pass refuses the data file before it truncates or writes a byte of
  // it: one line says why, and the program ends with status 1.
  std::optional<Abstandsdatei> Halter;  // another pass, writing the file
  int Umleitung = -1;                   // the shell's "> datafile"
  const std::string Pfad_ = "Die Datei " + Pfad;
  const struct {
    const char* Name;
    std::function<bool()> Vorbereiten;  // false: not possible here
    std::string Meldung;
    std::string Daten;
  } Faelle[] = {
      {"no folder", [&] { return fs::remove_all(Ordner) > 0; },
       Pfad_ + " kann nicht geoeffnet werden: " + std::strerror(ENOENT), ""},
      {"another pass writes it",
       [&] {
         Halter.emplace();
         Halter->Oeffnen(Pfad.c_str());
         Halter->Schreiben(1);
         return true;
       },
       Pfad_ + " wird gerade von einem anderen Durchgang geschrieben", "\x01"},
      {"standard output goes into it",
       [&] {
         Umleitung =
             open(Pfad.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_BINARY, 0644);
         return Umleitung >= 0;
       },
       "Die Ausgabe geht in die Datei " + Pfad +
           " selbst; sie wird nicht geschrieben",
       Banner + Bereich},
#ifndef _WIN32
      {"another user's link",
       [&] {
         std::ofstream(Ordner / "unsere") << "alt";
         fs::create_symlink(Ordner / "unsere", Pfad);
         return lchown(Pfad.c_str(), 65534, 65534) == 0 && geteuid() != 65534;
       },
       Pfad_ + " ist ein Verweis eines anderen Benutzers und wird nicht "
               "geschrieben",
       "alt"},
#endif
  };
  for (const auto& f : Faelle) {
    fs::remove_all(Ordner);
    fs::create_directory(Ordner);
    Fehler.str("");
    if (!f.Vorbereiten()) {
      std::cout << "skipped, needs root: " << f.Name << "\n";
      continue;
    }
    std::ostringstream Text;
    Schreiber InDieDatei(Umleitung);
    std::ostream aus(Umleitung >= 0 ? static_cast<std::streambuf*>(&InDieDatei)
                                    : Text.rdbuf());
    EXPECT_EQ(Laufen("10 30 nein\n", aus), 1) << f.Name;
    aus.flush();
    Halter.reset();
    if (Umleitung >= 0) {
      close(Umleitung);
      Umleitung = -1;
    }
    EXPECT_EQ(Fehler.str(), "primzahlabstand: " + f.Meldung + "\n") << f.Name;
    EXPECT_EQ(Daten(), f.Daten) << f.Name;
    if (f.Daten != Banner + Bereich) {
      EXPECT_EQ(Text.str(), Banner + Bereich) << f.Name;
    }
  }
}

TEST_F(DialogTest, AusgabeBrichtMittenInDerListeAb) {
  // Room for the header and three listing lines: the file keeps exactly the
  // gaps of the lines that were shown.
  const std::string Gezeigt = Banner + Bereich +
                              "\n\a11\t\t1\t1\t|\n"
                              "\a13\t\t2\t2\t|***\n\a17\t\t4\t4\t|******\n";
  VolleAusgabe Voll(Gezeigt.size());
  EXPECT_EQ(Laufen("10 30 nein\n", Voll.aus), 1);
  EXPECT_EQ(Angekommen, Gezeigt);
  EXPECT_EQ(Daten(), "\x01\x02\x04");
  EXPECT_EQ(Fehler.str(),
            std::string("primzahlabstand: Die Ausgabe konnte nicht "
                        "geschrieben werden: ") +
                std::strerror(ENOSPC) + "\n");
}

TEST_F(DialogTest, AusgabeVerlorenVorDemDurchgangLaesstDieDateiStehen) {
  // The banner is shown, the prompts are not: the pass must not truncate the
  // old data file for a listing nobody can see.
  std::ofstream(Pfad, std::ios::binary) << "alt";
  VolleAusgabe Voll(Banner.size());
  EXPECT_EQ(Laufen("10 30 nein\n", Voll.aus), 1);
  EXPECT_EQ(Angekommen, Banner);
  EXPECT_EQ(Daten(), "alt");
}

TEST_F(DialogTest, AusgabeFehltVonAnfangAn) {
  VolleAusgabe Voll(0);
  EXPECT_EQ(Laufen("10 30 nein\n", Voll.aus), 1);
  EXPECT_FALSE(fs::exists(Pfad));
  EXPECT_NE(Fehler.str().find("Die Ausgabe konnte nicht"), std::string::npos);
}

}  // namespace
