// The dialogue driven in-process: prompts, complaints, reads that fail, a
// data file the pass refuses, and output that cannot be written.
#include "dialogue/Dialog.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "gaps/Abstandsdatei.hpp"
#include "platform/Fehlerausgabe.hpp"
#include "platform/Leser.hpp"
#include "platform/Plattform.hpp"
#include "platform/Schreiber.hpp"
#include "support/Datenpfad.hpp"
#include "support/Deskriptor.hpp"
#include "support/Dialogtexte.hpp"
#include "support/Frist.hpp"
#include "support/Geraet.hpp"
#include "support/Ordner.hpp"

namespace fs = std::filesystem;
using namespace text;

namespace {

class DialogTest : public testing::Test {
 protected:
  void TearDown() override {
    fs::remove_all(Ordner);
    fs::remove_all(Neben);
  }

  // Runs the dialogue on `Eingabe` with standard output `aus`; the status.
  // Standard input and error are files of the test's own (or standard error
  // is `FehlerUmleitung`).
  int Laufen(const std::string& Eingabe, Schreiber& aus) {
    const fs::path Ein = Neben / "ein", Aus = Neben / "fehler";
    DateiSchreiben(Ein, Eingabe);
    const int e = open(Ein.string().c_str(), O_RDONLY | O_BINARY);
    const int f = FehlerUmleitung >= 0
                      ? FehlerUmleitung
                      : open(Aus.string().c_str(),
                             O_WRONLY | O_CREAT | O_TRUNC | O_BINARY, 0600);
    Leser ein(e);
    const Ende Ausgang =
        Dialog(ein, aus, Fehlerausgabe(f, "primzahlabstand: "), Pfad.c_str());
    close(e);
    if (FehlerUmleitung < 0) {
      close(f);
    }
    Fehler = FehlerUmleitung < 0 ? DateiLesen(Aus) : "";
    EXPECT_EQ(Ausgang.Signal, 0);
    return Ausgang.Status;
  }

  // The data file's bytes, or nothing when there is none.
  std::optional<std::string> Daten() const {
    return fs::exists(Pfad) ? std::optional(DateiLesen(Pfad)) : std::nullopt;
  }

  fs::path Ordner = FrischerOrdner();
  fs::path Neben = FrischerOrdner();  // standard input and error
  std::string Pfad = (Ordner / datenpfad::Dateiname).string();
  std::string Fehler;        // what standard error got
  int FehlerUmleitung = -1;  // set: standard error, else a file
};

TEST_F(DialogTest, Gespraeche) {
  MitFrist(std::chrono::seconds(20), [&] {
    const struct {
      const char* Name;
      std::string Eingabe, Ausgabe;
      std::optional<std::string> Daten;
    } Faelle[] = {
        {"one pass", "10\n30\nnein\n",
         Banner + Bitten + ZehnBisDreissig + Schluss("11", "30", "6") + Frage,
         "\x01\x02\x04\x02\x04\x06"},
        {"no banner after ja to a complaint", "5 5 ja 20 10 ja 10 30 ja 1 8",
         Banner + Bitten + Beschwerde("5", "5") + Frage + Bitten +
             Beschwerde("20", "10") + Frage + Bitten + ZehnBisDreissig +
             Schluss("11", "30", "6") + Frage + Banner + Bitten + "\n" +
             Schluss("1", "8", "0") + Frage,
         ""},
        {"nein left over fails as a number",
         "20 10\nja nein\n",
         Banner + Bitten + Beschwerde("20", "10") + Frage + Bitten +
             Beschwerde("0", "0") + Frage,
         {}},
        {"lower bound beyond 32 bits",
         "4294967296 5\n",
         Banner + Bitten + Beschwerde("0", "0") + Frage,
         {}},
        {"upper bound beyond 32 bits",
         "7 4294967296\n",
         Banner + Bitten + Beschwerde("7", "0") + Frage,
         {}},
        {"letters",
         "12 x30\nja\n",
         Banner + Bitten + Beschwerde("12", "0") + Frage,
         {}},
        {"minus sign",
         "-5 7\n",
         Banner + Bitten + Beschwerde("4294967291", "7") + Frage,
         {}},
        {"plus sign", "+7 12\n",
         Banner + Bitten + "\n\a11\t\t4\t4\t|******\n" +
             Schluss("7", "12", "4") + Frage,
         "\x04"},
    };
    for (const auto& f : Faelle) {
      fs::remove(Pfad);
      g = Geraet{};
      Schreiber aus(-1, GeraetSchreiben);
      EXPECT_EQ(Laufen(f.Eingabe, aus), 0) << f.Name;
      EXPECT_EQ(g.Angekommen, f.Ausgabe) << f.Name;
      EXPECT_EQ(Fehler, "") << f.Name;
      EXPECT_EQ(Daten(), f.Daten) << f.Name;
    }
  });
}

TEST_F(DialogTest, DatenDateiBleibtUnberuehrt) {
  MitFrist(std::chrono::seconds(20), [&] {
    // The pass refuses the data file before it truncates or writes a byte of
    // it: one line says why, and the program ends with status 1.
    std::optional<Abstandsdatei> Halter;  // another pass, writing the file
    int Umleitung = -1;                   // the shell's "> datafile"
    const std::string Datei = "Die Datei " + Pfad;
    const struct {
      const char* Name;
      std::function<bool()> Vorbereiten;  // false: not possible here
      std::string Meldung;
      std::optional<std::string> Daten;
    } Faelle[] = {
        {"no folder",
         [&] { return fs::remove_all(Ordner) > 0; },
         Datei + " kann nicht geoeffnet werden: " + std::strerror(ENOENT),
         {}},
        {"another pass writes it",
         [&] {
           Halter.emplace();
           Halter->Oeffnen(Pfad.c_str());
           Halter->Schreiben(1);
           return true;
         },
         Datei + " wird gerade von einem anderen Programm benutzt", "\x01"},
        {"standard output appended to a hard link of it",  // before the banner
         [&] {
           std::ofstream(Pfad) << "alt";
           fs::create_hard_link(Pfad, Ordner / "hl");
           Umleitung = open((Ordner / "hl").string().c_str(),
                            O_WRONLY | O_APPEND | O_BINARY);
           return Umleitung >= 0;
         },
         "Die Ausgabe geht in die Datei " + Pfad +
             " selbst; sie wird nicht geschrieben",
         "alt"},
        {"standard error appended to it: no line, the file is the only place",
         [&] {
           std::ofstream(Pfad) << "alt";
           FehlerUmleitung = open(Pfad.c_str(), O_WRONLY | O_APPEND | O_BINARY);
           return FehlerUmleitung >= 0;
         },
         "", "alt"},
#ifndef _WIN32
        {"another user's link",
         [&] {
           std::ofstream(Ordner / "unsere") << "alt";
           fs::create_symlink(Ordner / "unsere", Pfad);
           return lchown(Pfad.c_str(), 65534, 65534) == 0 && geteuid() != 65534;
         },
         Datei + " ist ein Verweis eines anderen Benutzers und wird nicht "
                 "geschrieben",
         "alt"},
#endif
    };
    for (const auto& f : Faelle) {
      fs::remove_all(Ordner);
      fs::create_directory(Ordner);
      if (!f.Vorbereiten()) {
        std::cout << "skipped, needs root: " << f.Name << "\n";
        continue;
      }
      g = Geraet{};
      Schreiber aus(Umleitung, Umleitung >= 0 ? Schreiber::SystemSchreiben
                                              : GeraetSchreiben);
      EXPECT_EQ(Laufen("10 30 nein\n", aus), 1) << f.Name;
      Halter.reset();
      if (Umleitung >= 0) {
        close(Umleitung);
        Umleitung = -1;
      } else {
        EXPECT_EQ(g.Angekommen, Banner + Bitten) << f.Name;
      }
      if (FehlerUmleitung >= 0) {
        close(FehlerUmleitung);
        FehlerUmleitung = -1;
      }
      EXPECT_EQ(Fehler,
                f.Meldung.empty() ? "" : "primzahlabstand: " + f.Meldung + "\n")
          << f.Name;
      EXPECT_EQ(Daten(), f.Daten) << f.Name;
    }
  });
}

int Synchronisieren(plattform::Aufruf Art) {
  return Art == plattform::Aufruf::Synchronisieren ? EIO : 0;
}

TEST_F(DialogTest, AusgabeGehtVerloren) {
  MitFrist(std::chrono::seconds(20), [&] {
    // Standard output takes as many bytes as `Gezeigt` holds, then fails like
    // a full disk: status 1, one line, and the data file holds the gaps of
    // exactly the lines shown. Output lost before the pass leaves an old file
    // as it was: nobody can see the listing it would be the record of. A file
    // not fully written is said too, first.
    const struct {
      const char* Name;
      std::string Gezeigt;
      std::optional<std::string> Vorher, Daten;
      bool SyncScheitert;
    } Faelle[] = {
        {"in the listing",
         Banner + Bitten +
             ZehnBisDreissig.substr(0, ZehnBisDreissig.find("19")),
         {},
         "\x01\x02\x04",
         false},
        {"in the listing, the file's sync failing too",
         Banner + Bitten +
             ZehnBisDreissig.substr(0, ZehnBisDreissig.find("19")),
         {},
         "\x01\x02\x04",
         true},
        {"after the banner", Banner, "alt", "alt", false},
        {"from the start", "", {}, {}, false},
    };
    for (const auto& f : Faelle) {
      fs::remove(Pfad);
      if (f.Vorher) {
        std::ofstream(Pfad, std::ios::binary) << *f.Vorher;
      }
      g = Geraet{"", 1u << 30, f.Gezeigt.size()};
      Schreiber Voll(-1, GeraetSchreiben);
      plattform::Eingreifen(f.SyncScheitert ? Synchronisieren : nullptr);
      EXPECT_EQ(Laufen("10 30 nein\n", Voll), 1) << f.Name;
      plattform::Eingreifen(nullptr);
      EXPECT_EQ(g.Angekommen, f.Gezeigt) << f.Name;
      EXPECT_EQ(Daten(), f.Daten) << f.Name;
      // One strerror per statement: on Windows each call reuses one buffer.
      const std::string Datei = "primzahlabstand: Die Datei " + Pfad +
                                " konnte nicht vollstaendig geschrieben "
                                "werden: " +
                                std::strerror(EIO) + "\n";
      const std::string Ausgabe =
          std::string(
              "primzahlabstand: Die Ausgabe konnte nicht geschrieben "
              "werden: ") +
          std::strerror(ENOSPC) + "\n";
      EXPECT_EQ(Fehler, (f.SyncScheitert ? Datei : "") + Ausgabe) << f.Name;
    }
  });
}

}  // namespace
