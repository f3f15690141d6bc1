// Faults injected while the real program runs, chosen so that they hold even
// for root: the data folder or file changed between two passes, standard
// input closed, standard output a pipe nobody reads. Each case states what a
// user finds afterwards.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "support/Datenpfad.hpp"
#include "support/Dialogtexte.hpp"
#include "support/Ordner.hpp"
#include "support/Prozess.hpp"

namespace fs = std::filesystem;

namespace {

const std::string Datei = "Die Datei " + datenpfad::Datei.generic_string();

std::string Zeile(const std::string& Was, int Nummer) {
  return "primzahlabstand: " + Was + ": " + std::strerror(Nummer) + "\n";
}

bool EndetMit(const std::string& Text, const std::string& Ende) {
  return Text.size() >= Ende.size() &&
         Text.compare(Text.size() - Ende.size(), Ende.size(), Ende) == 0;
}

class StoerungTest : public testing::Test {
 protected:
  void TearDown() override { fs::remove_all(Arbeit); }

  // A run of the real program in the test's folder, with c:/temp made anew.
  void Vorbereiten(Lauf& l) const {
    fs::remove_all(Ordner());
    fs::create_directories(Ordner());
    l.Programm = PRIMZAHLABSTAND_PROGRAMM;
    l.Arbeit = Arbeit;
  }
  fs::path Ordner() const { return Arbeit / datenpfad::Ordner; }
  fs::path Pfad() const { return Ordner() / datenpfad::Dateiname; }

  fs::path Arbeit = FrischerOrdner();
};

TEST_F(StoerungTest, ZwischenZweiDurchgaengen) {
  // One full pass over 10..30 and its question; then the fault; then "ja"
  // and a second pass. Found afterwards: status 1 and one line.
  const struct {
    const char* Name;
    std::function<void(const fs::path&)> Stoeren;
    std::string Fehler, Ende;  // the line on stderr, stdout's last line
    std::function<bool(const fs::path&)> Danach;  // what stays
  } Faelle[] = {
      {"folder removed", [](const fs::path& o) { fs::remove_all(o); },
       Zeile(Datei + " kann nicht geoeffnet werden", ENOENT),
       "Bitte Maximalwert eingeben: \n",
       [](const fs::path& o) { return !fs::exists(o); }},
      {"folder replaced by a file",
       [](const fs::path& o) {
         fs::remove_all(o);
         std::ofstream(o) << "kein Ordner";
       },
       Zeile(Datei + " kann nicht geoeffnet werden", ENOTDIR),
       "Bitte Maximalwert eingeben: \n",
       [](const fs::path& o) { return fs::file_size(o) == 11; }},
      {"data file now /dev/full",
       [](const fs::path& o) {
         fs::remove(o / datenpfad::Dateiname);
         fs::create_symlink("/dev/full", o / datenpfad::Dateiname);
       },
       Zeile(Datei + " konnte nicht vollstaendig geschrieben werden", ENOSPC),
       "Viele Gruesse von Quelmarn (Zerlip)\n",  // the listing in full
       [](const fs::path&) { return true; }},
  };
  for (const auto& f : Faelle) {
    Lauf l;
    Vorbereiten(l);
    l.Starten();
    l.Senden("10 30\n");
    ASSERT_TRUE(l.Warten(text::Frage, 1)) << f.Name;
    ASSERT_EQ(DateiLesen(Pfad()), "\x01\x02\x04\x02\x04\x06") << f.Name;
    f.Stoeren(Ordner());
    l.Senden("ja\n10 30\nnein\n");
    ASSERT_TRUE(l.Beenden()) << f.Name;
    EXPECT_EQ(l.Status, 1) << f.Name;
    EXPECT_EQ(l.FehlerText(), f.Fehler) << f.Name;
    EXPECT_NE(l.Text().find(text::Frage + text::Banner), std::string::npos)
        << f.Name;
    EXPECT_TRUE(EndetMit(l.Text(), f.Ende)) << f.Name;
    EXPECT_TRUE(f.Danach(Ordner())) << f.Name;
  }
}

TEST_F(StoerungTest, EingabeGeschlossen) {
  // `<&-`: a read that fails, not the end of the input. The dialogue ends
  // at the first read with status 1 and one line; no data file.
  Lauf l;
  Vorbereiten(l);
  l.Ein = Lauf::Eingabe::Geschlossen;
  l.Starten();
  ASSERT_TRUE(l.Beenden());
  EXPECT_EQ(l.Status, 1);
  EXPECT_EQ(l.FehlerText(),
            Zeile("Die Eingabe konnte nicht gelesen werden", EBADF));
  EXPECT_EQ(l.Text(), text::Banner + "Bitte Minimalwert eingeben: \n");
  EXPECT_FALSE(fs::exists(Pfad()));
}

TEST_F(StoerungTest, LeserDerAusgabeFort) {
  // The broken-pipe signal ends the program with nothing on standard error;
  // where the caller ignores that signal (as some shells and services start
  // programs), status 1 and one line. The old data file stays either way.
  const struct {
    const char* Name;
    bool Ignoriert;
    int Status;
    std::string Fehler;
  } Faelle[] = {
      {"SIGPIPE", false, 128 + SIGPIPE, ""},
      {"SIGPIPE ignored", true, 1,
       Zeile("Die Ausgabe konnte nicht geschrieben werden", EPIPE)},
  };
  for (const auto& f : Faelle) {
    Lauf l;
    Vorbereiten(l);
    std::ofstream(Pfad(), std::ios::binary) << "alt";
    l.Aus = Lauf::Ausgabe::LeserWeg;
    l.SigpipeIgnoriert = f.Ignoriert;
    l.Starten();
    l.Senden("10 30\nnein\n");
    ASSERT_TRUE(l.Beenden()) << f.Name;
    EXPECT_EQ(l.Status, f.Status) << f.Name;
    EXPECT_EQ(l.FehlerText(), f.Fehler) << f.Name;
    EXPECT_EQ(DateiLesen(Pfad()), "alt") << f.Name;
  }
}

TEST_F(StoerungTest, AusgabeNichtSchreibbar) {
  // Standard output as the caller gave it, never opened anew: a file opened
  // read-only, or a pipe's read end, fails at the first write.
  int Rohr[2];
  ASSERT_EQ(pipe2(Rohr, O_CLOEXEC), 0);
  const fs::path Leer = Arbeit / "leer";
  std::ofstream{Leer};
  const struct {
    const char* Name;
    int Ausgabe;
  } Faelle[] = {
      {"read-only file", open(Leer.c_str(), O_RDONLY | O_CLOEXEC)},
      {"a pipe's read end", Rohr[0]},
  };
  for (const auto& f : Faelle) {
    Lauf l;
    Vorbereiten(l);
    l.Fremd = f.Ausgabe;
    l.Starten();  // no input: it ends at the banner, before it reads
    ASSERT_TRUE(l.Beenden(5)) << f.Name;
    EXPECT_EQ(l.Status, 1) << f.Name;
    EXPECT_EQ(l.FehlerText(),
              Zeile("Die Ausgabe konnte nicht geschrieben werden", EBADF))
        << f.Name;
    EXPECT_FALSE(fs::exists(Pfad())) << f.Name;
    close(f.Ausgabe);
  }
  close(Rohr[1]);
  EXPECT_EQ(fs::file_size(Leer), 0u);
}

}  // namespace
