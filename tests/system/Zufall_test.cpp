// Generated dialogues typed into the real program, as whole processes on
// pipes: a handful here, the thousands in-process (tests/dialogue). Output and
// data file are compared byte for byte. PRIMZAHLABSTAND_SEED=N replays one.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "support/Datenpfad.hpp"
#include "support/Ordner.hpp"
#include "support/Prozess.hpp"
#include "support/Zufallsdialog.hpp"

namespace fs = std::filesystem;

namespace {

TEST(Zufall, DialogeMitDemProgramm) {
  const fs::path Arbeit = FrischerOrdner();
  zufall::Versuchen(30, [&Arbeit](const zufall::Gespraech& d) -> std::string {
    fs::remove_all(Arbeit);
    fs::create_directories(Arbeit / datenpfad::Ordner);
    Lauf l;
    l.Programm = PRIMZAHLABSTAND_PROGRAMM;
    l.Arbeit = Arbeit;
    l.Starten();
    l.Senden(d.Eingabe);
    if (!l.Beenden(30)) {
      return "no end within 30 s";
    }
    const fs::path Datei = Arbeit / datenpfad::Datei;
    return zufall::Abweichung(
        d, l.Status, l.Text(), l.FehlerText(),
        fs::exists(Datei) ? std::optional(DateiLesen(Datei)) : std::nullopt);
  });
  fs::remove_all(Arbeit);
}

}  // namespace
