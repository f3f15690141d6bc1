// Thousands of generated dialogues through the program's body in this
// process (tests/support/Zufallsdialog.hpp): output and data file compared
// byte for byte. All of them run in one child with a deadline, whose files
// are capped, so that a walk to 4294967295 fails within seconds.
// PRIMZAHLABSTAND_SEED=N replays one.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "support/Frist.hpp"
#include "support/ImProzess.hpp"
#include "support/Ordner.hpp"
#include "support/Zufallsdialog.hpp"

namespace fs = std::filesystem;

namespace {

TEST(Zufall, DialogeImProzess) {
  const fs::path Arbeit = FrischerOrdner();
  const fs::path Ordner = Arbeit / "temp";
  const std::string Pfad = (Ordner / "PRIMraw8bit.dat").string();
  // 20 s under the sanitizers on a quiet machine; a listing that runs away
  // meets the cap on its output file within seconds.
  MitFrist(std::chrono::seconds(120), [&] {
    zufall::Versuchen(3000, [&](const zufall::Gespraech& d) {
      fs::remove_all(Ordner);
      fs::create_directory(Ordner);
      const ImProzess r = ProgrammLaufen(Arbeit, d.Eingabe, Pfad);
      if (r.e.Signal != 0) {
        return "ended by signal " + std::to_string(r.e.Signal);
      }
      return zufall::Abweichung(
          d, r.e.Status, r.Aus, r.Fehler,
          fs::exists(Pfad) ? std::optional(DateiLesen(Pfad)) : std::nullopt);
    });
  });
  fs::remove_all(Arbeit);
}

}  // namespace
