// Runs the real program on one golden case and compares what a user gets:
// standard output byte for byte, standard error line by line, the exit
// status and the data file.
//
// A case NAME is three files in the cases folder:
//   NAME.in    standard input, as it is
//   NAME.out   the expected standard output, with the escapes \a \t \\ and
//              \xHH (exactly two hex digits); any other backslash is an error
//   NAME.case  starts with a "# ..." line saying what the case checks, then
//              one "key: value" per line ("#" lines are comments):
//     data: absent | unchanged | shown | empty | HEX BYTES   (required) the
//                                data file afterwards; "unchanged": as set up
//                                before
//     args: WORDS                the program's arguments, split at spaces
//     needs: posix               only where POSIX devices and links exist
//     folder: no | file          c:/temp is missing, or a plain file
//     before: HEX BYTES          an old data file
//     path: folder | /dev/full   the data file's path is a folder or that link
//     stdout: /dev/full          standard output goes there, not compared
//     status: N | interrupted    the exit status (default 0); "interrupted":
//                                as Ctrl+C ends programs (130, or the low
//                                byte of 0xC000013A on Windows)
//     interrupt: N               Ctrl+C (SIGINT) once N listing lines have
//                                arrived; standard output is not compared,
//                                and "data: shown" means the gaps of the
//                                lines that did arrive
//     stderr: TEXT               one line of standard error, in order; none
//                                means it stays empty. A line ending in "*"
//                                stands for TEXT and then a non-empty reason;
//                                {ordner} stands for how the program names
//                                the data folder.
//     locale: NAME               LANG and LC_ALL for the program
//     terminal: yes              the program runs on a pseudo-terminal of
//                                200 x 50 (under Wine: a Windows console),
//                                locale C.UTF-8 unless given. Each line of
//                                NAME.in is typed, with CR, once the program
//                                asks for it; Ctrl+C is the byte 0x03. What
//                                the terminal shows is compared as a person
//                                reads it (support/Gegenstelle.hpp), standard
//                                error included. "data: shown": the file
//                                holds the first gaps of the pass (checked
//                                against a sieve), at least as many as lines
//                                shown and at most 200 more, since a console
//                                may drop the last lines when Ctrl+C ends
//                                the program.
// Unknown keys, malformed lines and escapes, and a word where a number
// belongs are errors: the runner stops with "file:line: why" and status 2.
//
// Usage: runner CASEDIR NAME WORKBASE [--windows DRIVE_C] -- COMMAND...
// COMMAND runs the program (under an emulator, for a Windows build). Each
// run works in a new folder under WORKBASE, removed afterwards. With
// --windows every newline the program writes is expected as CR LF, c:/temp
// is DRIVE_C/temp, and POSIX-only cases are skipped.
#include <fcntl.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/Datenpfad.hpp"
#include "support/Gegenstelle.hpp"
#include "support/Gezeigt.hpp"
#include "support/Kindprozess.hpp"
#include "support/Ordner.hpp"
#include "support/Sieb.hpp"

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Abbrechen(const std::string& Wo, const std::string& Was) {
  std::cerr << Wo << ": " << Was << "\n";
  std::exit(2);
}

// A whole number of up to nine digits, or the runner stops.
int Zahl(const std::string& Wo, const std::string& Text) {
  if (Text.empty() || Text.size() > 9 ||
      Text.find_first_not_of("0123456789") != std::string::npos) {
    Abbrechen(Wo, "not a number: \"" + Text + "\"");
  }
  return std::stoi(Text);
}

// Bytes written as hex pairs; "empty" is none.
std::string Hex(const std::string& Wo, const std::string& Text) {
  std::istringstream ein(Text == "empty" ? "" : Text);
  std::string r;
  for (std::string b; ein >> b;) {
    if (b.size() != 2 ||
        b.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
      Abbrechen(Wo, "not a hex byte: \"" + b + "\"");
    }
    r += static_cast<char>(std::stoi(b, nullptr, 16));
  }
  return r;
}

// NAME.out's bytes: \a \t \\ and \xHH stand for theirs, any other backslash
// stops the runner; with `CrLf` each newline is expected as CR LF.
std::string Entschluesseln(const fs::path& Datei, bool CrLf) {
  const std::string s = DateiLesen(Datei);
  std::string r;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const std::string f = s.substr(i + 1, 3);  // what follows a backslash
    if (s[i] != '\\') {
      r += s[i] == '\n' && CrLf ? "\r\n" : s.substr(i, 1);
    } else if (!f.empty() && (f[0] == 'a' || f[0] == 't' || f[0] == '\\')) {
      r += f[0] == 'a' ? '\a' : f[0] == 't' ? '\t' : '\\';
      i += 1;
    } else if (f.size() == 3 && f[0] == 'x' &&
               f.find_first_not_of("0123456789abcdefABCDEF", 1) ==
                   std::string::npos) {
      r += static_cast<char>(std::stoi(f.substr(1), nullptr, 16));
      i += 3;
    } else {
      const auto Zeile = std::count(s.begin(), s.begin() + long(i), '\n') + 1;
      Abbrechen(Datei.string() + ":" + std::to_string(Zeile),
                "\"\\" + f.substr(0, f[0] == 'x' ? 3 : 1) +
                    "\": escapes are \\a, \\t, \\\\ and \\xHH");
    }
  }
  return r;
}

// Bytes as NAME.out would write them, for messages.
std::string Sichtbar(const std::string& s) {
  std::string r;
  for (const char Zeichen : s) {
    const auto c = static_cast<unsigned char>(Zeichen);
    char Puffer[8];
    std::snprintf(Puffer, sizeof Puffer, "\\x%02X", c);
    r += c == '\n'                            ? "\\n"
         : c == '\t'                          ? "\\t"
         : c == '\a'                          ? "\\a"
         : c >= 0x20 && c < 0x7F && c != '\\' ? std::string(1, Zeichen)
                                              : Puffer;
  }
  return r;
}

struct Fall {
  std::map<std::string, std::string> Werte, Wo;  // by key: value, file:line
  std::vector<std::string> Fehlerzeilen;         // the stderr: lines

  bool Hat(const std::string& k) const { return Werte.count(k) != 0; }
  std::string operator[](const std::string& k) const {
    return Hat(k) ? Werte.at(k) : "";
  }
};

// Each key's values: words, or <hex> bytes, a <number>, any <text>.
const std::map<std::string, std::vector<std::string>> Schluessel = {
    {"data", {"absent", "unchanged", "shown", "<hex>"}},
    {"args", {"<text>"}},
    {"needs", {"posix"}},
    {"folder", {"no", "file"}},
    {"before", {"<hex>"}},
    {"path", {"folder", "/dev/full"}},
    {"stdout", {"/dev/full"}},
    {"status", {"interrupted", "<number>"}},
    {"stderr", {"<text>"}},
    {"interrupt", {"<number>"}},
    {"locale", {"<text>"}},
    {"terminal", {"yes"}}};

bool Passt(const std::string& Wo, const std::string& Art,
           const std::string& v) {
  if (Art == "<hex>") {
    Hex(Wo, v);
  } else if (Art == "<number>") {
    Zahl(Wo, v);
  }
  return Art == v || Art.front() == '<';
}

Fall FallLesen(const fs::path& p) {
  Fall f;
  std::istringstream ein(DateiLesen(p));
  int Nummer = 0;
  for (std::string z; std::getline(ein, z);) {
    const std::string Wo = p.string() + ":" + std::to_string(++Nummer);
    if (Nummer == 1 && (z.size() < 3 || z.compare(0, 2, "# ") != 0)) {
      Abbrechen(Wo, "a case starts with a \"# \" line saying what it checks");
    }
    if (z.empty() || z[0] == '#') {
      continue;
    }
    const auto d = z.find(": ");
    const std::string k = z.substr(0, d);
    const auto Arten = Schluessel.find(k);
    if (d == std::string::npos || Arten == Schluessel.end()) {
      Abbrechen(Wo, "not a \"key: value\" line with a known key: " + z);
    }
    const std::string v = z.substr(d + 2);
    if (std::none_of(Arten->second.begin(), Arten->second.end(),
                     [&](const std::string& a) { return Passt(Wo, a, v); })) {
      Abbrechen(Wo, "\"" + v + "\" is no value for " + k);
    }
    if (k == "stderr") {
      f.Fehlerzeilen.push_back(v);
    } else if (f.Hat(k)) {
      Abbrechen(Wo, k + " given twice");
    }
    f.Werte[k] = v;
    f.Wo[k] = Wo;
  }
  if (!f.Hat("data")) {
    Abbrechen(p.string(), "no data: line (absent, unchanged, shown or bytes)");
  }
  if ((f["data"] == "shown") != f.Hat("interrupt")) {
    Abbrechen(p.string(), "data: shown goes with interrupt: and only there");
  }
  if (f.Hat("terminal") && (f.Hat("stdout") || !f.Fehlerzeilen.empty())) {
    Abbrechen(p.string(), "a terminal shows standard output and error itself");
  }
  return f;
}

struct Aufruf {
  std::vector<std::string> Befehl;
  fs::path Eingabe, Arbeit, Ordner;  // Ordner: where c:/temp is
  bool Windows = false;  // CR LF line ends, POSIX-only cases skipped
};

// What stands at the data file's path, to tell whether it changed.
std::string Zustand(const fs::path& p) {
  const auto s = fs::symlink_status(p);
  return fs::is_symlink(s)     ? "link to " + fs::read_symlink(p).string()
         : fs::is_directory(s) ? "a folder"
         : fs::exists(s)       ? "file " + Sichtbar(DateiLesen(p))
                               : "absent";
}

void Vorbereiten(const Aufruf& a, const Fall& f) {
  fs::remove_all(a.Ordner);
  fs::create_directories(a.Ordner.parent_path());
  if (f["folder"] == "file") {
    DateiSchreiben(a.Ordner, "kein Ordner");
  } else if (f["folder"] != "no") {
    fs::create_directories(a.Ordner);
  }
  const fs::path Datei = a.Ordner / datenpfad::Dateiname;
  if (f.Hat("before")) {
    DateiSchreiben(Datei, Hex(f.Wo.at("before"), f["before"]));
  }
  if (f["path"] == "folder") {
    fs::create_directory(Datei);
  } else if (f["path"] == "/dev/full") {
    fs::create_symlink("/dev/full", Datei);
  }
}

// The program's own questions, as a terminal shows them.
int Fragen(const std::string& Text) {
  int n = 0;
  for (const char* Frage : {"eingeben:", "ja/nein"}) {
    for (auto p = Text.find(Frage); p != std::string::npos;
         p = Text.find(Frage, p + 1)) {
      ++n;
    }
  }
  return n;
}

// Reads what the program shows on `Ende` (a terminal or a pipe), types each
// line of the input when the program asks for it (on a terminal) and the
// interrupt once the lines asked for are shown; what was shown goes into
// the work folder as "stdout".
int Zusehen(const Aufruf& a, const Fall& f, pid_t Kind, int Ende) {
  Gegenstelle t(Ende);
  std::istringstream Eingabe(f.Hat("terminal") ? DateiLesen(a.Eingabe) : "");
  int Zeile = 0;
  for (std::string z; std::getline(Eingabe, z); ++Zeile) {
    if (!t.WartenBis([Zeile](const std::string& s) {
          return Fragen(WieGezeigt(s)) > Zeile;
        })) {
      Abbrechen(a.Eingabe.string(), "the program never asked for line " +
                                        std::to_string(Zeile + 1));
    }
    t.Tippen(z + "\r");
  }
  if (f.Hat("interrupt")) {
    const auto Zeilen = static_cast<std::size_t>(std::stoi(f["interrupt"]));
    t.WartenBis([Zeilen](const std::string& s) {
      return GezeigteAbstaende(WieGezeigt(s)).size() >= Zeilen;
    });
    if (f.Hat("terminal")) {
      t.Tippen("\x03");
    } else {
      kill(Kind, SIGINT);
    }
  }
  t.BisZumEnde();
  DateiSchreiben(a.Arbeit / "stdout",
                 f.Hat("terminal") ? WieGezeigt(t.Roh()) : t.Roh());
  return KindEnde(Kind);
}

int Ausfuehren(const Aufruf& a, const Fall& f) {
  Kindstart k;
  k.Befehl = a.Befehl;
  std::istringstream Woerter(f["args"]);
  for (std::string w; Woerter >> w;) {
    k.Befehl.push_back(w);
  }
  k.Ordner = a.Arbeit.string();
  const std::string Sprache = f.Hat("locale")     ? f["locale"]
                              : f.Hat("terminal") ? "C.UTF-8"
                                                  : "";
  if (!Sprache.empty()) {
    k.Umgebung = {"LANG=" + Sprache, "LC_ALL=" + Sprache};
  }
  int Ende[2] = {-1, -1};  // the terminal's or the pipe's
  if (f.Hat("terminal")) {
    k.Terminal = &Ende[0];
    k.Roh = a.Windows;
  } else {
    const std::string Aus =
        f.Hat("stdout") ? f["stdout"] : (a.Arbeit / "stdout").string();
    k.Ein = open(a.Eingabe.c_str(), O_RDONLY | O_CLOEXEC);
    k.Aus =
        f.Hat("interrupt") && pipe2(Ende, O_CLOEXEC) == 0
            ? Ende[1]
            : open(Aus.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    k.Fehler = open((a.Arbeit / "stderr").c_str(),
                    O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (k.Ein < 0 || k.Aus < 0 || k.Fehler < 0) {
      Abbrechen(a.Arbeit.string(), "cannot set up standard input and output");
    }
  }
  const pid_t Kind = KindStarten(k);
  for (int fd : {k.Ein, k.Aus, k.Fehler}) {
    close(fd);
  }
  if (Kind < 0) {
    return -1;
  }
  return Ende[0] >= 0 ? Zusehen(a, f, Kind, Ende[0]) : KindEnde(Kind);
}

// The first differing byte, with some context on either side.
bool Vergleichen(const char* Was, const std::string& Soll,
                 const std::string& Ist) {
  const auto i = static_cast<std::size_t>(
      std::mismatch(Soll.begin(), Soll.end(), Ist.begin(), Ist.end()).first -
      Soll.begin());
  if (Soll == Ist) {
    return true;
  }
  const std::size_t Von = i < 60 ? 0 : i - 60;
  const auto Stelle = [&](const std::string& s) {
    return Sichtbar(s.substr(Von, i - Von)) + "[" +
           (i < s.size() ? Sichtbar(s.substr(i, 40)) : "<end>") + "]";
  };
  std::cerr << Was << " differs at byte " << i << " (expected " << Soll.size()
            << " bytes, got " << Ist.size()
            << "); the first difference in []:\n  expected: ..." << Stelle(Soll)
            << "\n  actual:   ..." << Stelle(Ist) << "\n";
  return false;
}

bool FehlerPruefen(const Aufruf& a, const Fall& f) {
  const std::string Ende = a.Windows ? "\r\n" : "\n";
  const std::string Ordner =
      a.Windows ? datenpfad::Ordner.generic_string()
                : datenpfad::Ordner.generic_string() + " (" +
                      (a.Arbeit / datenpfad::Ordner).string() + ")";
  const std::string Ist = DateiLesen(a.Arbeit / "stderr");
  std::string Soll;
  for (std::string z : f.Fehlerzeilen) {
    for (auto p = z.find("{ordner}"); p != std::string::npos;
         p = z.find("{ordner}")) {
      z.replace(p, 8, Ordner);
    }
    if (!z.empty() && z.back() == '*') {
      // The text, then whatever non-empty reason the actual line gives.
      z.pop_back();
      const auto Grund = Ist.find(Ende, Soll.size());
      z = Ist.compare(Soll.size(), z.size(), z) == 0 &&
                  Grund != std::string::npos && Grund > Soll.size() + z.size()
              ? Ist.substr(Soll.size(), Grund - Soll.size())
              : z + "<reason>";
    }
    Soll += z + Ende;
  }
  return Vergleichen("stderr", Soll, Ist);
}

bool DatenPruefen(const Aufruf& a, const Fall& f, const std::string& Vorher) {
  const fs::path Datei = a.Ordner / datenpfad::Dateiname;
  const std::string Soll = f["data"];
  const std::string Zu = Zustand(Datei);  // a device is never read
  const std::string Ist =
      Zu.compare(0, 5, "file ") == 0 ? DateiLesen(Datei) : "";
  const std::string Gezeigt =
      GezeigteAbstaende(DateiLesen(a.Arbeit / "stdout"));
  if (Soll == "shown" && f.Hat("terminal")) {
    // The first gaps of the pass, and some lines a console may have lost.
    std::istringstream Eingabe(DateiLesen(a.Eingabe));
    std::string Von;
    Eingabe >> Von;
    const auto Erste = ErsteAbstaende(
        static_cast<std::uint32_t>(Zahl(a.Eingabe.string() + ":1", Von)),
        Ist.size());
    if (Ist.size() < Gezeigt.size() || Ist.size() > Gezeigt.size() + 200) {
      std::cerr << "data file: " << Ist.size() << " gaps for " << Gezeigt.size()
                << " lines shown\n";
      return false;
    }
    return Vergleichen("data file", Erste, Ist);
  }
  if (Soll == "shown") {
    return Vergleichen("data file", Gezeigt, Ist);
  }
  const std::string Erwartet = Soll == "absent"      ? "absent"
                               : Soll == "unchanged" ? Vorher
                                                     : "a file";
  if (Erwartet != "a file" || Zu.compare(0, 5, "file ") != 0) {
    if (Zu != Erwartet) {
      std::cerr << "data file: expected " << Erwartet << ", found " << Zu
                << "\n";
    }
    return Zu == Erwartet;
  }
  return Vergleichen("data file", Hex(f.Wo.at("data"), Soll), Ist);
}

}  // namespace

int main(int argc, char** argv) {
  int Trenner = 1;
  while (Trenner < argc && std::string(argv[Trenner]) != "--") {
    ++Trenner;
  }
  if (Trenner < 4 || Trenner + 1 >= argc) {
    std::cerr << "usage: runner CASEDIR NAME WORKBASE [--windows DRIVE_C] -- "
                 "COMMAND...\n";
    return 2;
  }
  Aufruf a;
  a.Befehl.assign(argv + Trenner + 1, argv + argc);
  const fs::path Basis = fs::absolute(fs::path(argv[1]) / argv[2]);
  const Fall f = FallLesen(fs::path(Basis).concat(".case"));
  a.Eingabe = fs::path(Basis).concat(".in");
  a.Windows = Trenner == 6 && std::string(argv[4]) == "--windows";
  if (f["needs"] == "posix" && a.Windows) {
    return 77;  // skipped
  }
  // All that the case expects is read before anything runs.
  const bool Terminal = f.Hat("terminal");
  const bool Vergleichbar = !f.Hat("stdout") && !f.Hat("interrupt");
  const std::string Soll =
      Entschluesseln(fs::path(Basis).concat(".out"), a.Windows && !Terminal);
  const int SollStatus =
      f["status"] == "interrupted" ? (a.Windows ? 0xC000013A & 0xFF : 130)
      : f.Hat("status")            ? Zahl(f.Wo.at("status"), f["status"])
                                   : 0;
  a.Arbeit = FrischerOrdner(fs::absolute(argv[3]), argv[2]);
  a.Ordner = a.Windows ? fs::absolute(argv[5]) / datenpfad::OrdnerAufLaufwerkC
                       : a.Arbeit / datenpfad::Ordner;
  Vorbereiten(a, f);
  const std::string Vorher = Zustand(a.Ordner / datenpfad::Dateiname);
  const int Status = Ausfuehren(a, f);
  const std::string Ist = DateiLesen(a.Arbeit / "stdout");
  bool Gut = !Vergleichbar ||
             (Terminal ? Vergleichen("terminal", WieGezeigt(Soll), Ist)
                       : Vergleichen("stdout", Soll, Ist));
  Gut &= Terminal || FehlerPruefen(a, f);
  Gut &= DatenPruefen(a, f, Vorher);
  if (Status != SollStatus) {
    std::cerr << "exit status " << Status << ", expected " << SollStatus
              << "\n";
    Gut = false;
  }
  fs::remove_all(a.Arbeit);
  return Gut ? 0 : 1;
}
