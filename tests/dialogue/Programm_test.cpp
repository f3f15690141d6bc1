// The program's body before the dialogue: standard error that goes into the
// data file is refused before its first line can be written, silently (the
// file is the only place to say it).
#include "dialogue/Programm.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "support/Deskriptor.hpp"
#include "support/Frist.hpp"
#include "support/ImProzess.hpp"
#include "support/Ordner.hpp"

namespace fs = std::filesystem;

namespace {

TEST(Programm, FehlerausgabeInDieDatenDatei) {
  const fs::path Ordner = FrischerOrdner();
  const std::string Pfad = (Ordner / "p.dat").string();
  MitFrist(std::chrono::seconds(20), [&] {
    const struct {
      const char* Name;
      std::vector<const char*> Argumente;
    } Faelle[] = {
        {"an unknown argument", {"--unbekannt"}},
        {"the dialogue", {}},
    };
    for (const auto& f : Faelle) {
      DateiSchreiben(Pfad, "alt");
      const int Fehler = open(Pfad.c_str(), O_WRONLY | O_APPEND | O_BINARY);
      const ImProzess r =
          ProgrammLaufen(Ordner, "10 30 nein\n", Pfad, f.Argumente, Fehler);
      close(Fehler);
      EXPECT_EQ(r.e.Status, 1) << f.Name;
      EXPECT_EQ(r.Aus, "") << f.Name;
      EXPECT_EQ(DateiLesen(Pfad), "alt") << f.Name;
    }
  });
  fs::remove_all(Ordner);
}

}  // namespace
