// The program's body run in this process as main runs it, on files of the
// test's own: standard input read from a file, standard output and error
// written into files, the data file wherever the test says.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "Deskriptor.hpp"
#include "Ordner.hpp"
#include "dialogue/Programm.hpp"

struct ImProzess {
  Ende e;
  std::string Aus, Fehler;  // what standard output and error got
};

// Runs it with `Argumente` after the program's name; `Ordner` gets the files
// ein, aus and fehler. `Fehlerausgabe`: standard error's descriptor instead
// of the file fehler (then Fehler stays empty).
inline ImProzess ProgrammLaufen(const std::filesystem::path& Ordner,
                                const std::string& Eingabe,
                                const std::string& Pfad,
                                std::vector<const char*> Argumente = {},
                                int Fehlerausgabe = -1) {
  const auto Oeffnen = [&Ordner](const char* Name, int Art) {
    return open((Ordner / Name).string().c_str(), Art | O_BINARY, 0600);
  };
  DateiSchreiben(Ordner / "ein", Eingabe);
  const int Ein = Oeffnen("ein", O_RDONLY);
  const int Aus = Oeffnen("aus", O_WRONLY | O_CREAT | O_TRUNC);
  const int Fehler = Fehlerausgabe >= 0
                         ? Fehlerausgabe
                         : Oeffnen("fehler", O_WRONLY | O_CREAT | O_TRUNC);
  Argumente.insert(Argumente.begin(), "primzahlabstand");
  Argumente.push_back(nullptr);
  const Ende e = Programm(static_cast<int>(Argumente.size() - 1),
                          Argumente.data(), {Ein, Aus, Fehler, Pfad.c_str()});
  close(Ein);
  close(Aus);
  if (Fehlerausgabe < 0) {
    close(Fehler);
  }
  return {e, DateiLesen(Ordner / "aus"),
          Fehlerausgabe < 0 ? DateiLesen(Ordner / "fehler") : std::string()};
}
