// Runs the real program on one golden case and compares what a user gets:
// standard output byte for byte, standard error, exit status and the data
// file. A case NAME is NAME.in (standard input), NAME.out (expected standard
// output, with the escapes \a \t \\ and \xHH, exactly two hex digits) and
// NAME.case (setup and the remaining expectations, "key: value" lines):
//   needs: posix              only where POSIX devices and links exist
//   folder: no                do not make c:/temp
//   before: HEX BYTES         an old data file
//   path: folder | /dev/full  the data file's path is a folder or that link
//   stdout: /dev/full         standard output goes there instead of a file
//   status: N                 expected exit status (default 0)
//   stderr: TEXT              one line: TEXT, then a non-empty reason
//   data: HEX BYTES | empty | none | any
// Usage: runner PROGRAM CASEDIR NAME WORKDIR [--windows DRIVE_C] [--emulator
// CMD] With --windows the program is a Windows build: every newline it writes
// is expected as CR LF, "c:/temp" is DRIVE_C/temp, and POSIX-only cases are
// skipped.
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr int Uebersprungen = 77;

// A new folder BASE/NAME-XXXXXX of this run's own.
fs::path NeuerOrdner(const fs::path& Basis, const std::string& Name) {
  fs::create_directories(Basis);
  std::string Muster = (Basis / (Name + "-XXXXXX")).string();
  if (mkdtemp(Muster.data()) == nullptr) {
    std::perror("mkdtemp");
    std::exit(1);
  }
  return Muster;
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

std::string Hex(const std::string& Bytes) {
  std::istringstream ein(Bytes);
  std::string r;
  for (std::string b; ein >> b;) {
    r += static_cast<char>(std::stoi(b, nullptr, 16));
  }
  return r;
}

std::string Sichtbar(const std::string& s) {
  std::string r;
  char Puffer[8];
  for (unsigned char c : s) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      r += static_cast<char>(c);
    } else if (c == '\n') {
      r += "\\n\n";
    } else {
      std::snprintf(Puffer, sizeof Puffer, "\\x%02X", c);
      r += Puffer;
    }
  }
  return r;
}

std::map<std::string, std::string> Fall(const fs::path& p) {
  std::map<std::string, std::string> r;
  std::istringstream ein(Lesen(p));
  for (std::string z; std::getline(ein, z);) {
    const auto d = z.find(':');
    if (z.empty() || z[0] == '#' || d == std::string::npos) {
      continue;
    }
    const auto w = z.find_first_not_of(' ', d + 1);
    r[z.substr(0, d)] = w == std::string::npos ? "" : z.substr(w);
  }
  return r;
}

bool Vergleichen(const char* Was, const std::string& Soll,
                 const std::string& Ist) {
  if (Soll == Ist) {
    return true;
  }
  std::size_t i = 0;
  while (i < Soll.size() && i < Ist.size() && Soll[i] == Ist[i]) {
    ++i;
  }
  std::cerr << Was << " differs at byte " << i << "\n--- expected:\n"
            << Sichtbar(Soll) << "\n--- actual:\n"
            << Sichtbar(Ist) << "\n";
  return false;
}

struct Aufruf {
  std::string Programm, Emulator;
  fs::path Eingabe, Arbeit, Ordner;  // Ordner: where c:/temp is
  bool Windows = false;  // CR LF line ends, POSIX-only cases skipped
};

void Vorbereiten(const Aufruf& a, std::map<std::string, std::string>& f) {
  const fs::path& Ordner = a.Ordner;
  fs::remove_all(Ordner);
  if (f["folder"] != "no") {
    fs::create_directories(Ordner);
  }
  if (f.count("before")) {
    Schreiben(Ordner / "PRIMraw8bit.dat", Hex(f["before"]));
  }
  if (f["path"] == "folder") {
    fs::create_directory(Ordner / "PRIMraw8bit.dat");
  } else if (f["path"] == "/dev/full") {
    fs::create_symlink("/dev/full", Ordner / "PRIMraw8bit.dat");
  }
}

int Ausfuehren(const Aufruf& a, std::map<std::string, std::string>& f) {
  const std::string Ausgabe =
      f["stdout"].empty() ? (a.Arbeit / "stdout").string() : f["stdout"];
  const std::string Befehl = "cd '" + a.Arbeit.string() + "' && " + a.Emulator +
                             " '" + a.Programm + "' < '" + a.Eingabe.string() +
                             "' > '" + Ausgabe + "' 2> '" +
                             (a.Arbeit / "stderr").string() + "'";
  const int s = std::system(Befehl.c_str());
  return WIFEXITED(s) ? WEXITSTATUS(s) : 128 + WTERMSIG(s);
}

bool FehlerPruefen(const Aufruf& a, std::map<std::string, std::string>& f) {
  std::string Ist = Lesen(a.Arbeit / "stderr");
  if (!f.count("stderr")) {
    return Vergleichen("stderr", "", Ist);
  }
  const std::string Soll = f["stderr"];
  const std::string Ende = a.Windows ? "\r\n" : "\n";
  const bool Gut =
      Ist.size() > Soll.size() + Ende.size() &&
      Ist.compare(0, Soll.size(), Soll) == 0 &&
      Ist.find('\n') == Ist.size() - 1 &&
      Ist.compare(Ist.size() - Ende.size(), Ende.size(), Ende) == 0;
  if (!Gut) {
    std::cerr << "stderr should be one line \"" << Soll << "<reason>\", is:\n"
              << Sichtbar(Ist) << "\n";
  }
  return Gut;
}

bool DatenPruefen(const Aufruf& a, std::map<std::string, std::string>& f) {
  const fs::path Datei = a.Ordner / "PRIMraw8bit.dat";
  const std::string& Soll = f["data"];
  if (Soll == "any") {
    return true;
  }
  if (Soll == "none") {
    if (fs::exists(Datei)) {
      std::cerr << "the data file should not exist\n";
      return false;
    }
    return true;
  }
  if (!fs::is_regular_file(Datei)) {
    std::cerr << "the data file is missing\n";
    return false;
  }
  return Vergleichen("data file", Soll == "empty" ? "" : Hex(Soll),
                     Lesen(Datei));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::cerr << "usage: runner PROGRAM CASEDIR NAME WORKDIR "
                 "[--windows DRIVE_C] [--emulator CMD]\n";
    return 2;
  }
  Aufruf a;
  a.Programm = fs::absolute(argv[1]).string();
  const fs::path Basis = fs::path(argv[2]) / argv[3];
  a.Eingabe = fs::absolute(Basis).concat(".in");
  a.Arbeit = NeuerOrdner(fs::absolute(argv[4]), argv[3]);
  a.Ordner = a.Arbeit / "c:" / "temp";
  for (int i = 5; i < argc; ++i) {
    const std::string o = argv[i];
    if (o == "--windows" && i + 1 < argc) {
      a.Windows = true;
      a.Ordner = fs::absolute(argv[++i]) / "temp";
    } else if (o == "--emulator" && i + 1 < argc) {
      a.Emulator = argv[++i];
    }
  }
  auto f = Fall(fs::path(Basis).concat(".case"));
  if (f["needs"] == "posix" && a.Windows) {
    return Uebersprungen;
  }
  Vorbereiten(a, f);
  const int Status = Ausfuehren(a, f);
  bool Gut = true;
  if (f["stdout"].empty()) {
    Gut &= Vergleichen(
        "stdout",
        Entschluesseln(Lesen(fs::path(Basis).concat(".out")), a.Windows),
        Lesen(a.Arbeit / "stdout"));
  }
  Gut &= FehlerPruefen(a, f);
  Gut &= DatenPruefen(a, f);
  const int SollStatus = f.count("status") ? std::stoi(f["status"]) : 0;
  if (Status != SollStatus) {
    std::cerr << "exit status " << Status << ", expected " << SollStatus
              << "\n";
    Gut = false;
  }
  fs::remove_all(a.Arbeit);
  return Gut ? 0 : 1;
}
