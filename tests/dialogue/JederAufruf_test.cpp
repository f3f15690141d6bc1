// Every system call made to fail in turn: a few short dialogues run in-process
// once to count their calls through the seam, then once per call and errno
// with that call failing. Each run must keep the promises: status 0 only for
// the fault-free transcript; otherwise status 1 and one line that says why
// (none when that line's own write failed), or the interrupt's ending;
// standard output a prefix of the transcript; the data file as it was, or
// exactly the gaps shown (a prefix when a write failed).
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "platform/Plattform.hpp"
#include "platform/Unterbrechung.hpp"
#include "support/Dialogtexte.hpp"
#include "support/Frist.hpp"
#include "support/Gezeigt.hpp"
#include "support/ImProzess.hpp"
#include "support/Ordner.hpp"

namespace fs = std::filesystem;
using plattform::Aufruf;
using namespace text;

namespace {

// The seam of a run: counts the calls, fails the one numbered `Opfer` with
// `Nummer`, notes an interrupt during the third write made after the data
// file's open where asked, and logs the kinds.
struct Stand {
  int Aufrufe = 0, Opfer = -1, Nummer = 0;
  bool Unterbrechen = false, Offen = false;
  bool OpferUnterbrochen = false;  // the failed call came after the note
  int SchreibenSeitOeffnen = 0;
  std::vector<Aufruf> Folge;
};
Stand s;

int Eingriff(Aufruf Art) {
  s.Folge.push_back(Art);
  if (s.Aufrufe++ == s.Opfer) {
    s.OpferUnterbrochen = unterbrechung::Unterbrochen();
    return s.Nummer;
  }
  if (Art == Aufruf::Oeffnen) {
    s.Offen = true;
  } else if (Art == Aufruf::Schreiben && s.Offen && s.Unterbrechen &&
             ++s.SchreibenSeitOeffnen == 3) {
    unterbrechung::Notieren(SIGINT);
  }
  return 0;
}

struct Gespraech {
  const char* Name;
  std::string Eingabe;
  std::optional<std::string> Vorher;  // the data file before, if any
  bool Verweis, OhneOrdner, Unterbrechen;
  std::string Aus, Daten;  // fault-free: standard output, the data file
};

struct Ergebnis {
  Ende e;
  std::string Aus, Fehler;
  std::optional<std::string> Daten;
};

class JederAufruf : public testing::Test {
 protected:
  void TearDown() override { fs::remove_all(Ordner); }

  Ergebnis Laufen(const Gespraech& g, int Opfer, int Nummer) {
    fs::remove_all(Ordner / "temp");
    if (!g.OhneOrdner) {
      fs::create_directory(Ordner / "temp");
    }
    const fs::path Ziel = Ordner / "temp" / (g.Verweis ? "echt" : "p.dat");
#ifndef _WIN32
    if (g.Verweis) {
      fs::create_symlink("echt", Pfad);
    }
#endif
    if (g.Vorher) {
      DateiSchreiben(Ziel, *g.Vorher);
    }
    s = Stand{};
    s.Opfer = Opfer;
    s.Nummer = Nummer;
    s.Unterbrechen = g.Unterbrechen;
    plattform::Eingreifen(Eingriff);
    const ImProzess r = ProgrammLaufen(Ordner, g.Eingabe, Pfad);
    plattform::Eingreifen(nullptr);
    return {r.e, r.Aus, r.Fehler,
            fs::exists(Ziel) ? std::optional(DateiLesen(Ziel)) : std::nullopt};
  }

  void DerReiheNachScheitern();

  fs::path Ordner = FrischerOrdner();
  std::string Pfad = (Ordner / "temp" / "p.dat").string();
};

bool Anfang(const std::string& Text, const std::string& Von) {
  return Von.compare(0, Text.size(), Text) == 0 && Text.size() <= Von.size();
}

// The errnos a call of this kind is made to fail with.
std::vector<int> Fehlernummern(Aufruf Art) {
  std::vector<int> n{EIO, EINTR};
  if (Art == Aufruf::Schreiben || Art == Aufruf::Synchronisieren) {
    n.push_back(ENOSPC);
  } else if (Art == Aufruf::Oeffnen || Art == Aufruf::Nachsehen) {
    n.insert(n.end(), {EACCES, EMFILE});
  } else if (Art == Aufruf::Sperren) {
    n.insert(n.end(), {ENOLCK, EAGAIN});
  }
  return n;
}

// Failures that may pass unseen: an EINTR is made again, a look's descriptor
// holds nothing, the terminal's look, the stopped watchdog, the CPU limit and
// the data folder's notice are advisory, and a lock the file system lacks is
// done without.
bool Harmlos(Aufruf Art, int Nummer) {
  return Nummer == EINTR || Art == Aufruf::Loslassen ||
         Art == Aufruf::Terminal || Art == Aufruf::Zeitgeber ||
         Art == Aufruf::Grenzen || Art == Aufruf::Hinweis ||
         (Art == Aufruf::Sperren && Nummer == ENOLCK);
}

// Calls that a signal the program does not end by can cut short: made again
// (a close is not, it has closed), so such an EINTR changes nothing at all.
bool Wiederholbar(Aufruf Art) {
  switch (Art) {
    case Aufruf::Nachsehen:
    case Aufruf::Oeffnen:
    case Aufruf::Lesen:
    case Aufruf::Schreiben:
    case Aufruf::Warten:
    case Aufruf::Sperren:
    case Aufruf::Kuerzen:
    case Aufruf::Synchronisieren:
    case Aufruf::Schliessen:
    case Aufruf::Loslassen:
      return true;
    default:
      return false;
  }
}

// Each pass over a regular file syncs it before the question that follows.
void SyncVorJederFrage(const std::vector<Aufruf>& Folge, const char* Name) {
  bool Offen = false, Synchron = false;
  for (const Aufruf a : Folge) {
    if (a == Aufruf::Oeffnen) {
      Offen = true;
      Synchron = false;
    } else if (a == Aufruf::Synchronisieren) {
      Synchron = true;
    } else if (a == Aufruf::Lesen && Offen) {
      EXPECT_TRUE(Synchron) << Name << ": a question before the sync";
      Offen = false;
    }
  }
}

// What the data file may hold after the last pass shown: the gaps it showed,
// or what the file held before it (the pass before's gaps, or the old file).
struct Paesse {
  std::string Gezeigt;
  std::optional<std::string> Vorher;
};
Paesse Letzte(const std::string& Aus, std::optional<std::string> Alt) {
  Paesse p{"", std::move(Alt)};
  for (std::size_t a = 0; (a = Aus.find(Banner, a)) != std::string::npos;
       a += Banner.size()) {
    const std::size_t e = Aus.find(Banner, a + Banner.size());
    const std::string Gezeigt = GezeigteAbstaende(Aus.substr(a, e - a));
    if (e != std::string::npos) {
      p.Vorher = Gezeigt;
    } else {
      p.Gezeigt = Gezeigt;
    }
  }
  return p;
}

std::string ElfBisZwanzig() {
  return "\n11\t\t0\t0\t|\n\a13\t\t2\t2\t|***\n\a17\t\t4\t4\t|******\n"
         "19\t\t4\t2\t|***\n";
}

TEST_F(JederAufruf, ScheitertDerReiheNach) {
  MitFrist(std::chrono::seconds(60), [this] { DerReiheNachScheitern(); });
}

void JederAufruf::DerReiheNachScheitern() {
  const std::string Eins = Banner + Bitten;
  const Gespraech Gespraeche[] = {
      {"two passes", "10 30 ja 11 20 nein", std::nullopt, false, false, false,
       Eins + ZehnBisDreissig + Schluss("11", "30", "6") + Frage + Eins +
           ElfBisZwanzig() + Schluss("11", "20", "4") + Frage,
       std::string("\x00\x02\x04\x02", 4)},
      {"an old data file", "10 30 nein", "alt", false, false, false,
       Eins + ZehnBisDreissig + Schluss("11", "30", "6") + Frage,
       "\x01\x02\x04\x02\x04\x06"},
#ifndef _WIN32
      {"our own link", "10 30 nein", "alt", true, false, false,
       Eins + ZehnBisDreissig + Schluss("11", "30", "6") + Frage,
       "\x01\x02\x04\x02\x04\x06"},
#endif
      {"a pass interrupted", "10 30 nein", "alt", false, false, true,
       Eins + "\n\a11\t\t1\t1\t|\n\a13\t\t2\t2\t|***\n", "\x01\x02"},
      {"no folder", "10 30 nein", std::nullopt, false, true, false, Eins, ""},
  };
  int Gescheitert = 0;
  for (const auto& g : Gespraeche) {
    const Ergebnis Frei = Laufen(g, -1, 0);
    const std::vector<Aufruf> Folge = s.Folge;
    EXPECT_EQ(Frei.Aus, g.Aus) << g.Name;
    EXPECT_EQ(Frei.e.Signal, g.Unterbrechen ? SIGINT : 0) << g.Name;
    EXPECT_EQ(Frei.e.Status, g.OhneOrdner ? 1 : 0) << g.Name;
    if (!g.OhneOrdner) {
      EXPECT_EQ(Frei.Fehler, "") << g.Name;
      EXPECT_EQ(Frei.Daten, g.Daten) << g.Name;
      SyncVorJederFrage(s.Folge, g.Name);
    }
    for (int Opfer = 0; Opfer < static_cast<int>(Folge.size()); ++Opfer) {
      const Aufruf Art = Folge[static_cast<std::size_t>(Opfer)];
      for (const int Nummer : Fehlernummern(Art)) {
        const Ergebnis r = Laufen(g, Opfer, Nummer);
        ++Gescheitert;
        const std::string Wo =
            std::string(g.Name) + ", call " + std::to_string(Opfer) + " (" +
            plattform::Name(Art) + ") failing with " + std::to_string(Nummer);
        const bool WieFrei = r.Aus == Frei.Aus && r.e.Status == Frei.e.Status &&
                             r.e.Signal == Frei.e.Signal &&
                             r.Daten == Frei.Daten && r.Fehler == Frei.Fehler;
        if (Nummer == EINTR && Wiederholbar(Art) && !s.OpferUnterbrochen) {
          EXPECT_TRUE(WieFrei) << Wo << ": " << r.Fehler;
          continue;
        }
        if (WieFrei && Harmlos(Art, Nummer)) {
          continue;
        }
        EXPECT_TRUE(Anfang(r.Aus, Frei.Aus)) << Wo;
        EXPECT_TRUE(r.e.Status == 1 || (g.Unterbrechen && r.e.Signal == SIGINT))
            << Wo;
        // A line says why, also before an interrupt's ending; only a failed
        // write may have been that line's own.
        EXPECT_TRUE(Art == Aufruf::Schreiben ||
                    (!r.Fehler.empty() && r.Fehler.back() == '\n' &&
                     r.Fehler.rfind("primzahlabstand: ", 0) == 0))
            << Wo << ": " << r.Fehler;
        const Paesse p = Letzte(r.Aus, g.Vorher);
        EXPECT_TRUE(r.Daten == p.Vorher || r.Daten == p.Gezeigt ||
                    (Art == Aufruf::Schreiben && r.Daten &&
                     Anfang(*r.Daten, p.Gezeigt)))
            << Wo << ": " << testing::PrintToString(r.Daten) << " for "
            << testing::PrintToString(p.Gezeigt);
      }
    }
  }
  std::cout << "failed " << Gescheitert << " calls in turn\n";
}

}  // namespace
