// Standard error: one line per report, "name: what: why", as command-line
// tools write them; the caller gives the name's part.
#pragma once

#include <string>

#include "Schreiber.hpp"

class Fehlerausgabe {
 public:
  // Every line starts with `Vorsatz` ("name: "). Once `Frage` says stop, a
  // line is still written, but not waited for.
  Fehlerausgabe(
      int Deskriptor, const char* Vorsatz, Abbruchfrage Frage = nullptr,
      Schreiber::Schreibfunktion Funktion = Schreiber::SystemSchreiben)
      : Deskriptor_(Deskriptor),
        Vorsatz_(Vorsatz),
        Frage_(Frage),
        Funktion_(Funktion) {}

  // Writes the start, `Text` and a newline whole, with one write of its own
  // (one more for each piece a short write left), so that an earlier line
  // that failed never silences this one. False when it failed.
  bool Zeile(const std::string& Text) const;
  // The same with ": " and the reason for `Nummer`.
  bool Zeile(const std::string& Was, int Nummer) const;

  int Ziel() const { return Deskriptor_; }

 private:
  int Deskriptor_;
  const char* Vorsatz_;
  Abbruchfrage Frage_;
  Schreiber::Schreibfunktion Funktion_;
};
