// The raw gap file: one low byte per gap, truncation, one pass at a time,
// and failures that are reported instead of swallowed.
#include "gaps/Abstandsdatei.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "platform/Plattform.hpp"
#include "support/Datenpfad.hpp"
#ifndef _WIN32
#include "support/Kindprozess.hpp"
#endif
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

TEST_F(AbstandsdateiTest, AusgabeInDieDateiWirdAbgewiesen) {
  // A data file made after the program started may still be where standard
  // output goes: the pass refuses it before the lock and the truncation.
  std::ofstream(Pfad) << "alt";
  const int Ausgabe = open(Pfad.c_str(), O_WRONLY | O_APPEND);
  Abstandsdatei d;
  EXPECT_EQ(d.Oeffnen(Pfad.c_str(), Ausgabe), Oeffnung::IstDieAusgabe);
  EXPECT_EQ(DateiLesen(Pfad), "alt");
  close(Ausgabe);
}

int Sperrfehler = 0;  // what the seam answers for a lock
int Vorgegeben(plattform::Aufruf Art) {
  return Art == plattform::Aufruf::Sperren ? Sperrfehler : 0;
}

TEST_F(AbstandsdateiTest, WasEinSperrenHeisst) {
  // Another program's lock of any kind, a shared one too, refuses the pass
  // and leaves every byte on the disk. Injected answers: a lock the file
  // system lacks is done without; any other failure is a failed open.
  const struct {
    const char* Name;
    int Modus;             // the holder's open mode
    int (*Halten)(int h);  // its lock; nullptr: the step answers Fehler
    int Fehler;
    Oeffnung Soll;
  } Faelle[] = {
#ifndef _WIN32
      {"flock -s", O_RDONLY, [](int h) { return flock(h, LOCK_SH); }, 0,
       Oeffnung::Gesperrt},
      {"lockf", O_WRONLY, [](int h) { return lockf(h, F_TLOCK, 0); }, 0,
       Oeffnung::Gesperrt},
      {"fcntl, shared", O_RDONLY,
       [](int h) {
         struct flock r {};
         r.l_type = F_RDLCK;
         return fcntl(h, F_SETLK, &r);
       },
       0, Oeffnung::Gesperrt},
#endif
      {"EAGAIN", 0, nullptr, EAGAIN, Oeffnung::Gesperrt},
      {"EWOULDBLOCK", 0, nullptr, EWOULDBLOCK, Oeffnung::Gesperrt},
      {"EACCES", 0, nullptr, EACCES, Oeffnung::Gesperrt},
      {"ENOLCK", 0, nullptr, ENOLCK, Oeffnung::Offen},
      {"EOPNOTSUPP", 0, nullptr, EOPNOTSUPP, Oeffnung::Offen},
      {"EINVAL", 0, nullptr, EINVAL, Oeffnung::Offen},
      {"EIO", 0, nullptr, EIO, Oeffnung::Gescheitert},
  };
  for (const auto& f : Faelle) {
    std::ofstream(Pfad) << "alt";
    const int h = f.Halten ? open(Pfad.c_str(), f.Modus) : -1;
    ASSERT_TRUE(!f.Halten || f.Halten(h) == 0) << f.Name;
    Sperrfehler = f.Fehler;
    plattform::Eingreifen(f.Halten ? nullptr : Vorgegeben);
    Abstandsdatei d;
    EXPECT_EQ(d.Oeffnen(Pfad.c_str()), f.Soll) << f.Name;
    plattform::Eingreifen(nullptr);
    d.Schreiben(7);
    d.Schliessen();
    EXPECT_EQ(DateiLesen(Pfad), f.Soll == Oeffnung::Offen ? "\x07" : "alt")
        << f.Name;
    EXPECT_EQ(d.Fehlernummer(), f.Soll == Oeffnung::Gescheitert ? EIO : 0)
        << f.Name;
    if (h >= 0) {
      close(h);
    }
  }
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

#ifndef _WIN32
// In a child: opens the file at `Pfad`, stores the gap 9 and closes; the
// outcome of the open as the exit status, a failed one as 100 + its errno.
int EinDurchgang(const fs::path& Pfad) {
  Abstandsdatei d;
  const Oeffnung o = d.Oeffnen(Pfad.string().c_str());
  const int Fehler = d.Fehlernummer();
  d.Schreiben(9);
  d.Schliessen();
  return o == Oeffnung::Gescheitert ? 100 + std::min(Fehler, 99)
                                    : static_cast<int>(o);
}

TEST_F(AbstandsdateiTest, JederVerweisAufDemWeg) {
  // Followed one name at a time as the kernel does (a ".." after a link to a
  // folder leads up from where that link led); every link on the way must
  // be the user's or root's. As root, the code runs as user 5001 and the
  // last link of a row with an owner is handed to that one; else those rows
  // are skipped. The kernel follows 40 links and refuses 41.
  const bool Root = geteuid() == 0;
  const auto Kette = [](int Anzahl) {
    static std::vector<std::string> Namen;  // k1 ... k40, kept for the rows
    for (int i = static_cast<int>(Namen.size()) + 1; i <= 41; ++i) {
      Namen.push_back("k" + std::to_string(i));
    }
    std::vector<std::pair<const char*, const char*>> v;
    for (int i = 0; i < Anzahl; ++i) {
      v.emplace_back(
          i == 0 ? "p" : Namen[static_cast<std::size_t>(i - 1)].c_str(),
          i + 1 == Anzahl ? "x/neu"
                          : Namen[static_cast<std::size_t>(i)].c_str());
    }
    return v;
  };
  constexpr int Fremd = 5002, Wurzel = 0, Wir = -1;
  const struct {
    const char* Name;
    std::vector<std::pair<const char*, const char*>> Verweise;
    int Besitzer;  // of the last link
    Oeffnung Soll;
    const char* Ziel;  // where the pass's byte goes, else what keeps "alt"
    int Fehler = 0;    // why it failed
  } Faelle[] = {
      {"a chain",
       {{"p", "a/l"}, {"a/l", "../x/neu"}},
       Wir,
       Oeffnung::Offen,
       "x/neu"},
      {"'..' after a folder link",
       {{"p", "w/../neu"}, {"w", "x/y"}},
       Wir,
       Oeffnung::Offen,
       "x/neu"},
      {"a loop",
       {{"p", "q"}, {"q", "p"}},
       Wir,
       Oeffnung::Gescheitert,
       "x/opfer",
       ELOOP},
      {"40 links", Kette(40), Wir, Oeffnung::Offen, "x/neu"},
      {"41 links", Kette(41), Wir, Oeffnung::Gescheitert, "x/opfer", ELOOP},
      {"into a missing folder: no file of its name",
       {{"p", "fehlt/neu"}},
       Wir,
       Oeffnung::Gescheitert,
       "x/opfer",
       ENOENT},
      {"root's link in the chain",
       {{"p", "g/l"}, {"g/l", "../x/neu"}},
       Wurzel,
       Oeffnung::Offen,
       "x/neu"},
      {"another's link in the chain",
       {{"p", "g/l"}, {"g/l", "../x/opfer"}},
       Fremd,
       Oeffnung::FremderVerweis,
       "x/opfer"},
      {"another's folder link",
       {{"p", "g/f/opfer"}, {"g/f", "../x"}},
       Fremd,
       Oeffnung::FremderVerweis,
       "x/opfer"},
  };
  for (const auto& f : Faelle) {
    if (f.Besitzer != Wir && !Root) {
      std::cout << "skipped, needs root: " << f.Name << "\n";
      continue;
    }
    fs::remove_all(Ordner);
    fs::create_directories(Ordner / "x" / "y");
    fs::create_directories(Ordner / "g");
    fs::create_directories(Ordner / "a");
    std::ofstream(Ordner / "x" / "opfer") << "alt";
    for (const auto& [Verweis, Ziel] : f.Verweise) {
      fs::create_symlink(Ziel, Ordner / Verweis);
    }
    for (const auto& e : fs::recursive_directory_iterator(Ordner)) {
      EXPECT_TRUE(!Root || lchown(e.path().c_str(), 5001, 5001) == 0);
    }
    const fs::path Zuletzt = Ordner / f.Verweise.back().first;
    EXPECT_TRUE(f.Besitzer == Wir ||
                lchown(Zuletzt.c_str(), static_cast<uid_t>(f.Besitzer),
                       static_cast<gid_t>(f.Besitzer)) == 0);
    EXPECT_TRUE(!Root || chown(Ordner.c_str(), 5001, 5001) == 0);
    const auto Tun = [&] {
      const bool Wir = !Root || (setgid(5001) == 0 && setuid(5001) == 0);
      return Wir ? EinDurchgang(Ordner / "p") : 99;
    };
    EXPECT_EQ(ImKind(Tun, std::chrono::seconds(2)),
              f.Soll == Oeffnung::Gescheitert ? 100 + f.Fehler
                                              : static_cast<int>(f.Soll))
        << f.Name;
    EXPECT_EQ(DateiLesen(Ordner / f.Ziel),
              f.Soll == Oeffnung::Offen ? "\x09" : "alt")
        << f.Name;
    EXPECT_FALSE(fs::exists(Ordner / "fehlt")) << f.Name;
  }
}

std::function<void()> Eingriff;  // what happens between the look and the open
int Eingriffe = 0;               // in the child, which starts at 0
int Eingreifen(plattform::Aufruf Art) {
  if (Art == plattform::Aufruf::Oeffnen) {
    ++Eingriffe;
    Eingriff();
  }
  return 0;
}

TEST_F(AbstandsdateiTest, ZwischenBlickUndOeffnenVertauscht) {
  // Whatever is put at the path between the look and the open, nothing is
  // created, truncated or written but the file the look found or made.
  const struct {
    const char* Name;
    bool Da;  // the look finds the file
    std::function<void()> Tun;
    Oeffnung Soll;
  } Faelle[] = {
      {"a link to a FIFO nobody reads in its stead", true,
       [&] {
         fs::remove(Pfad);
         mkfifo((Ordner / "fifo").c_str(), 0600);
         fs::create_symlink(Ordner / "fifo", Pfad);
       },
       Oeffnung::FremderVerweis},
      {"another file in its stead", true,
       [&] {
         fs::rename(Pfad, Ordner / "weg");
         std::ofstream(Pfad) << "neu";
       },
       Oeffnung::FremderVerweis},
      {"made twice where nothing was", false,
       [&] {
         if (Eingriffe == 1) {
           fs::create_symlink("ziel", Pfad);
         } else {
           std::ofstream(Ordner / "ziel") << "fremd";
         }
       },
       Oeffnung::FremderVerweis},
      {"our own link made where nothing was: followed", false,
       [&] {
         if (Eingriffe == 1) {
           fs::create_symlink("ziel", Pfad);
         }
       },
       Oeffnung::Offen},
      {"made by another run meanwhile", false,
       [&] {
         if (Eingriffe == 1) {
           std::ofstream(Pfad) << "fremd";
         }
       },
       Oeffnung::Offen},
  };
  for (const auto& f : Faelle) {
    for (const char* n : {"PRIMraw8bit.dat", "weg", "ziel", "fifo"}) {
      fs::remove(Ordner / n);
    }
    if (f.Da) {
      std::ofstream(Pfad) << "alt";
    }
    Eingriff = f.Tun;
    const int Ergebnis = ImKind(  // an open that waits ends there
        [&] {
          plattform::Eingreifen(Eingreifen);
          return EinDurchgang(Pfad);
        },
        std::chrono::seconds(2));
    EXPECT_EQ(Ergebnis, static_cast<int>(f.Soll)) << f.Name;
    int Unsere = 0;  // files with the pass's byte
    for (const auto& e : fs::directory_iterator(Ordner)) {
      // Ours holds the pass's byte; every other file its own few words.
      const std::string Inhalt = e.is_fifo() ? "fifo" : DateiLesen(e.path());
      Unsere += !e.is_symlink() && Inhalt == "\x09";
      EXPECT_TRUE(e.is_symlink() || Inhalt == "\x09" || Inhalt.size() > 1)
          << f.Name << ": " << e.path();
    }
    EXPECT_EQ(Unsere, f.Soll == Oeffnung::Offen ? 1 : 0) << f.Name;
  }
}

TEST_F(AbstandsdateiTest, VerweiseWieDerKernelSieNimmt) {
  // A link into the process file system is opened as the kernel follows it,
  // never made anew from its text; a slash at the end keeps its meaning.
  std::ofstream(Ordner / "echt.dat") << "alt";
  char Muster[] = "/tmp/primzahlabstand-fd-XXXXXX";
  const int Geloescht = mkstemp(Muster);
  unlink(Muster);
  int Rohr[2];
  ASSERT_TRUE(Geloescht >= 0 && pipe(Rohr) == 0);
  const auto Fd = [](int d) { return "/proc/self/fd/" + std::to_string(d); };
  const struct {
    const char* Name;
    std::string Ziel;
    Oeffnung Soll;
    int Fehler;
    int Lesen;  // where the byte can be read back, or -1
  } Faelle[] = {
      {"an unlinked file's descriptor", Fd(Geloescht), Oeffnung::Offen, 0,
       Geloescht},
      {"a pipe's descriptor", "/dev/fd/" + std::to_string(Rohr[1]),
       Oeffnung::Offen, 0, Rohr[0]},
      {"a descriptor not open", Fd(999), Oeffnung::Gescheitert, ENOENT, -1},
      {"a file with a slash", "echt.dat/", Oeffnung::Gescheitert, EISDIR, -1},
      {"a file with a slash and a dot", "echt.dat/.", Oeffnung::Gescheitert,
       ENOTDIR, -1},
  };
  for (const auto& f : Faelle) {
    fs::remove(Pfad);
    fs::create_symlink(f.Ziel, Pfad);
    const auto Tun = [&] {  // in a child: an open that waits ends there
      Abstandsdatei d;
      const Oeffnung o = d.Oeffnen(Pfad.c_str());
      const int Fehler = d.Fehlernummer();
      d.Schreiben(9);
      d.Schliessen();
      return o == f.Soll && Fehler == f.Fehler ? 0 : 1;
    };
    EXPECT_EQ(ImKind(Tun, std::chrono::seconds(2)), 0) << f.Name;
    char Byte = 0;
    EXPECT_TRUE(f.Lesen < 0 || pread(f.Lesen, &Byte, 1, 0) == 1 ||
                read(f.Lesen, &Byte, 1) == 1)
        << f.Name;
    EXPECT_EQ(Byte, f.Lesen < 0 ? 0 : 9) << f.Name;
    EXPECT_EQ(DateiLesen(Ordner / "echt.dat"), "alt") << f.Name;
    EXPECT_EQ(std::distance(fs::directory_iterator(Ordner), {}), 2) << f.Name;
  }
  close(Geloescht);
  close(Rohr[0]);
  close(Rohr[1]);
}

#endif

}  // namespace
