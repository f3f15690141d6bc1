// Runs the real program on one golden case and compares what a user gets:
// standard output byte for byte, standard error line by line, the exit
// status and the data file.
//
// A case NAME is three files in the cases folder:
//   NAME.in    standard input, as it is
//   NAME.out   the expected standard output, with the escapes \a \t \\ and
//              \xHH (exactly two hex digits)
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
//                                reads it (support/Terminal.hpp), standard
//                                error included. "data: shown": the file
//                                holds the first gaps of the pass (checked
//                                against a sieve), at least as many as lines
//                                shown and at most 200 more, since a console
//                                may drop the last lines when Ctrl+C ends
//                                the program.
// Unknown keys and malformed lines are errors, reported with file and line.
//
// Usage: runner CASEDIR NAME WORKBASE [--windows DRIVE_C] -- COMMAND...
// COMMAND runs the program (under an emulator, for a Windows build). Each
// run works in a new folder under WORKBASE, removed afterwards. With
// --windows every newline the program writes is expected as CR LF, c:/temp
// is DRIVE_C/temp, and POSIX-only cases are skipped.
#include <fcntl.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/Datenpfad.hpp"
#include "support/Gezeigt.hpp"
#include "support/Kindprozess.hpp"
#include "support/Sieb.hpp"
#include "support/Terminal.hpp"

namespace fs = std::filesystem;

namespace {

constexpr int Uebersprungen = 77;

[[noreturn]] void Abbrechen(const std::string& Wo, const std::string& Was) {
  std::cerr << Wo << ": " << Was << "\n";
  std::exit(2);
}

std::string Lesen(const fs::path& p) {
  std::ifstream ein(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(ein), {}};
}

void Schreiben(const fs::path& p, const std::string& Inhalt) {
  std::ofstream(p, std::ios::binary) << Inhalt;
}

std::string Entschluesseln(const std::string& s, bool CrLf) {
  std::string r;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\n' && CrLf) {
      r += '\r';
    }
    if (s[i] != '\\' || i + 1 == s.size()) {
      r += s[i];
      continue;
    }
    const char c = s[++i];
    if (c == 'a') {
      r += '\a';
    } else if (c == 't') {
      r += '\t';
    } else if (c == 'x') {
      r += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      r += c;
    }
  }
  return r;
}

// Bytes written as hex pairs; "empty" is none.
std::string Hex(const std::string& Wo, const std::string& Text) {
  std::istringstream ein(Text);
  std::string r;
  for (std::string b; ein >> b;) {
    if (b == "empty" && Text == "empty") {
      break;
    }
    if (b.size() != 2 ||
        b.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
      Abbrechen(Wo, "not a hex byte: \"" + b + "\"");
    }
    r += static_cast<char>(std::stoi(b, nullptr, 16));
  }
  return r;
}

std::string Sichtbar(const std::string& s) {
  std::string r;
  char Puffer[8];
  for (const char Zeichen : s) {
    const auto c = static_cast<unsigned char>(Zeichen);
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      r += static_cast<char>(c);
    } else if (c == '\n') {
      r += "\\n";
    } else if (c == '\t') {
      r += "\\t";
    } else if (c == '\a') {
      r += "\\a";
    } else {
      std::snprintf(Puffer, sizeof Puffer, "\\x%02X", c);
      r += Puffer;
    }
  }
  return r;
}

struct Fall {
  std::map<std::string, std::string> Werte;
  std::map<std::string, std::string> Wo;  // key -> "file:line"
  std::vector<std::string> Fehlerzeilen;  // stderr lines, in order

  bool Hat(const std::string& k) const { return Werte.count(k) != 0; }
  std::string operator[](const std::string& k) const {
    return Hat(k) ? Werte.at(k) : "";
  }
};

Fall FallLesen(const fs::path& p) {
  static const std::map<std::string, std::vector<std::string>> Schluessel = {
      {"data", {}},
      {"args", {}},
      {"needs", {"posix"}},
      {"folder", {"no", "file"}},
      {"before", {}},
      {"path", {"folder", "/dev/full"}},
      {"stdout", {"/dev/full"}},
      {"status", {}},
      {"stderr", {}},
      {"interrupt", {}},
      {"locale", {}},
      {"terminal", {"yes"}}};
  Fall f;
  std::istringstream ein(Lesen(p));
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
    if (d == std::string::npos || Schluessel.count(k) == 0) {
      Abbrechen(Wo, "not a \"key: value\" line with a known key: " + z);
    }
    const std::string v = z.substr(d + 2);
    const auto& Erlaubt = Schluessel.at(k);
    if (!Erlaubt.empty() &&
        std::find(Erlaubt.begin(), Erlaubt.end(), v) == Erlaubt.end()) {
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
    Abbrechen(p.string(), "no data: line (absent, unchanged, empty or bytes)");
  }
  if (f["data"] != "absent" && f["data"] != "unchanged" &&
      f["data"] != "shown") {
    Hex(f.Wo["data"], f["data"]);
  }
  if (f.Hat("before")) {
    Hex(f.Wo["before"], f["before"]);
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

// A new folder BASE/NAME-XXXXXX of this run's own.
fs::path NeuerOrdner(const fs::path& Basis, const std::string& Name) {
  fs::create_directories(Basis);
  std::string Muster = (Basis / (Name + "-XXXXXX")).string();
  if (mkdtemp(Muster.data()) == nullptr) {
    Abbrechen(Muster, "mkdtemp failed");
  }
  return Muster;
}

// What stands at the data file's path, to tell whether it changed.
std::string Zustand(const fs::path& p) {
  const auto s = fs::symlink_status(p);
  if (fs::is_symlink(s)) {
    return "link to " + fs::read_symlink(p).string();
  }
  if (fs::is_directory(s)) {
    return "a folder";
  }
  return fs::exists(s) ? "file " + Sichtbar(Lesen(p)) : "absent";
}

void Vorbereiten(const Aufruf& a, const Fall& f) {
  fs::remove_all(a.Ordner);
  if (f["folder"] == "file") {
    fs::create_directories(a.Ordner.parent_path());
    Schreiben(a.Ordner, "kein Ordner");
  } else if (f["folder"] != "no") {
    fs::create_directories(a.Ordner);
  }
  const fs::path Datei = a.Ordner / datenpfad::Dateiname;
  if (f.Hat("before")) {
    Schreiben(Datei, Hex(f.Wo.at("before"), f["before"]));
  }
  if (f["path"] == "folder") {
    fs::create_directory(Datei);
  } else if (f["path"] == "/dev/full") {
    fs::create_symlink("/dev/full", Datei);
  }
}

// Reads the child's standard output from `Rohr` into `Ziel`, and sends it
// SIGINT once `Zeilen` listing lines have arrived.
void Unterbrechen(pid_t Kind, int Rohr, int Zeilen, const fs::path& Ziel) {
  std::string Text;
  char Puffer[65536];
  bool Gesendet = false;
  for (ssize_t n; (n = read(Rohr, Puffer, sizeof Puffer)) > 0;) {
    Text.append(Puffer, static_cast<std::size_t>(n));
    if (!Gesendet &&
        GezeigteAbstaende(Text).size() >= static_cast<std::size_t>(Zeilen)) {
      kill(Kind, SIGINT);
      Gesendet = true;
    }
  }
  close(Rohr);
  Schreiben(Ziel, Text);
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

// On a pseudo-terminal: types each input line once the program asks for it,
// Ctrl+C when asked to, and keeps what the terminal showed as stdout.
int AmTerminal(const Aufruf& a, const Fall& f, Kindstart& k) {
  int Herr = -1;
  k.Terminal = &Herr;
  k.Roh = a.Windows;
  const pid_t Kind = KindStarten(k);
  if (Kind < 0) {
    return -1;
  }
  Terminal t(Herr);
  std::istringstream Eingabe(Lesen(a.Eingabe));
  int Zeile = 0;
  for (std::string z; std::getline(Eingabe, z); ++Zeile) {
    if (!t.WartenBis(
            [Zeile](const std::string& s) { return Fragen(s) > Zeile; })) {
      Abbrechen(a.Eingabe.string(), "the program never asked for line " +
                                        std::to_string(Zeile + 1));
    }
    t.Tippen(z + "\r");
  }
  if (f.Hat("interrupt")) {
    const auto Zeilen = static_cast<std::size_t>(std::stoi(f["interrupt"]));
    t.WartenBis([Zeilen](const std::string& s) {
      return GezeigteAbstaende(s).size() >= Zeilen;
    });
    t.Tippen("\x03");
  }
  t.BisZumEnde();
  Schreiben(a.Arbeit / "stdout", WieGezeigt(t.Roh()));
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
  if (f.Hat("terminal")) {
    return AmTerminal(a, f, k);
  }
  const std::string Aus =
      f.Hat("stdout") ? f["stdout"] : (a.Arbeit / "stdout").string();
  k.Ein = open(a.Eingabe.c_str(), O_RDONLY | O_CLOEXEC);
  k.Aus = open(Aus.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  k.Fehler = open((a.Arbeit / "stderr").c_str(),
                  O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (k.Ein < 0 || k.Aus < 0 || k.Fehler < 0) {
    Abbrechen(a.Arbeit.string(), "cannot set up standard input and output");
  }
  int Rohr[2] = {-1, -1};
  if (f.Hat("interrupt") && pipe2(Rohr, O_CLOEXEC) == 0) {
    close(k.Aus);
    k.Aus = Rohr[1];
  }
  const pid_t Kind = KindStarten(k);
  for (int fd : {k.Ein, k.Aus, k.Fehler}) {
    close(fd);
  }
  if (Kind < 0) {
    return -1;
  }
  if (Rohr[0] >= 0) {
    Unterbrechen(Kind, Rohr[0], std::stoi(f["interrupt"]), a.Arbeit / "stdout");
  }
  return KindEnde(Kind);
}

// The first differing byte, with some context on either side.
bool Vergleichen(const char* Was, const std::string& Soll,
                 const std::string& Ist) {
  if (Soll == Ist) {
    return true;
  }
  std::size_t i = 0;
  while (i < Soll.size() && i < Ist.size() && Soll[i] == Ist[i]) {
    ++i;
  }
  const std::size_t Von = i < 60 ? 0 : i - 60;
  const auto Stelle = [&](const std::string& s) {
    const std::string Vor = Sichtbar(s.substr(Von, i - Von));
    return Vor + "[" + (i < s.size() ? Sichtbar(s.substr(i, 40)) : "<end>") +
           "]";
  };
  std::cerr << Was << " differs at byte " << i << " (expected " << Soll.size()
            << " bytes, got " << Ist.size()
            << "); the first difference in []:\n"
            << "  expected: ..." << Stelle(Soll) << "\n"
            << "  actual:   ..." << Stelle(Ist) << "\n";
  return false;
}

bool FehlerPruefen(const Aufruf& a, const Fall& f) {
  const std::string Ende = a.Windows ? "\r\n" : "\n";
  const std::string Ordner =
      a.Windows ? datenpfad::Ordner.generic_string()
                : datenpfad::Ordner.generic_string() + " (" +
                      (a.Arbeit / datenpfad::Ordner).string() + ")";
  const std::string Ist = Lesen(a.Arbeit / "stderr");
  std::vector<std::string> IstZeilen;
  for (std::size_t p = 0, e; (e = Ist.find(Ende, p)) != std::string::npos;
       p = e + Ende.size()) {
    IstZeilen.push_back(Ist.substr(p, e - p));
  }
  std::string Soll;
  for (std::size_t i = 0; i < f.Fehlerzeilen.size(); ++i) {
    std::string z = f.Fehlerzeilen[i];
    for (auto p = z.find("{ordner}"); p != std::string::npos;
         p = z.find("{ordner}")) {
      z.replace(p, 8, Ordner);
    }
    if (!z.empty() && z.back() == '*') {
      // The text, then whatever non-empty reason the actual line gives.
      z.pop_back();
      const bool Grund = i < IstZeilen.size() &&
                         IstZeilen[i].size() > z.size() &&
                         IstZeilen[i].compare(0, z.size(), z) == 0;
      z = Grund ? IstZeilen[i] : z + "<reason>";
    }
    Soll += z + Ende;
  }
  return Vergleichen("stderr", Soll, Ist);
}

bool DatenPruefen(const Aufruf& a, const Fall& f, const std::string& Vorher) {
  const fs::path Datei = a.Ordner / datenpfad::Dateiname;
  const std::string Soll = f["data"];
  const std::string Gezeigt = GezeigteAbstaende(Lesen(a.Arbeit / "stdout"));
  if (Soll == "shown" && f.Hat("terminal")) {
    const std::string Ist = Lesen(Datei);
    const auto Von = static_cast<std::uint32_t>(std::stoul(Lesen(a.Eingabe)));
    const bool Gut = Ist.size() >= Gezeigt.size() &&
                     Ist.size() <= Gezeigt.size() + 200 &&
                     Ist.compare(0, Gezeigt.size(), Gezeigt) == 0;
    if (!Gut) {
      std::cerr << "data file: " << Ist.size() << " gaps for " << Gezeigt.size()
                << " lines shown\n";
    }
    return Vergleichen("data file", ErsteAbstaende(Von, Ist.size()), Ist) &&
           Gut;
  }
  if (Soll == "shown") {
    return Vergleichen("data file", Gezeigt, Lesen(Datei));
  }
  if (Soll == "unchanged" || Soll == "absent") {
    const std::string Ist = Zustand(Datei);
    const std::string Erwartet = Soll == "absent" ? "absent" : Vorher;
    if (Ist != Erwartet) {
      std::cerr << "data file: expected " << Erwartet << ", found " << Ist
                << "\n";
    }
    return Ist == Erwartet;
  }
  if (!fs::is_regular_file(Datei)) {
    std::cerr << "data file: expected a file, found " << Zustand(Datei) << "\n";
    return false;
  }
  return Vergleichen("data file", Hex(f.Wo.at("data"), Soll), Lesen(Datei));
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
  const fs::path Basis = fs::path(argv[1]) / argv[2];
  const Fall f = FallLesen(fs::path(Basis).concat(".case"));
  a.Eingabe = fs::absolute(Basis).concat(".in");
  a.Arbeit = NeuerOrdner(fs::absolute(argv[3]), argv[2]);
  a.Ordner = a.Arbeit / datenpfad::Ordner;
  if (Trenner == 6 && std::string(argv[4]) == "--windows") {
    a.Windows = true;
    a.Ordner = fs::absolute(argv[5]) / datenpfad::OrdnerAufLaufwerkC;
  }
  if (f["needs"] == "posix" && a.Windows) {
    fs::remove_all(a.Arbeit);
    return Uebersprungen;
  }
  Vorbereiten(a, f);
  const std::string Vorher = Zustand(a.Ordner / datenpfad::Dateiname);
  const int Status = Ausfuehren(a, f);
  bool Gut = true;
  const std::string Soll = Lesen(fs::path(Basis).concat(".out"));
  if (f.Hat("terminal") && !f.Hat("interrupt")) {
    Gut &= Vergleichen("terminal", WieGezeigt(Entschluesseln(Soll, false)),
                       Lesen(a.Arbeit / "stdout"));
  } else if (!f.Hat("stdout") && !f.Hat("interrupt")) {
    Gut &= Vergleichen("stdout", Entschluesseln(Soll, a.Windows),
                       Lesen(a.Arbeit / "stdout"));
  }
  if (!f.Hat("terminal")) {
    Gut &= FehlerPruefen(a, f);
  }
  Gut &= DatenPruefen(a, f, Vorher);
  const int Unterbrochen = a.Windows ? 0xC000013A & 0xFF : 128 + SIGINT;
  const int SollStatus = f["status"] == "interrupted" ? Unterbrochen
                         : f.Hat("status")            ? std::stoi(f["status"])
                                                      : 0;
  if (Status != SollStatus) {
    std::cerr << "exit status " << Status << ", expected " << SollStatus
              << "\n";
    Gut = false;
  }
  fs::remove_all(a.Arbeit);
  return Gut ? 0 : 1;
}
