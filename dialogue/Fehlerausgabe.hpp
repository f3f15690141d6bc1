// Standard error: one line per report, "primzahlabstand: what: why", as
// command-line tools write them.
#pragma once

#include <string>

#include "gaps/Schreiber.hpp"

class Fehlerausgabe {
 public:
  // Once `Frage` says stop, a line is still written, but not waited for.
  explicit Fehlerausgabe(
      int Deskriptor, Abbruchfrage Frage = nullptr,
      Schreiber::Schreibfunktion Funktion = Schreiber::SystemSchreiben)
      : Deskriptor_(Deskriptor), Frage_(Frage), Funktion_(Funktion) {}

  // Writes "primzahlabstand: " `Text` and a newline whole, with one write of
  // its own (one more for each piece a short write left), so that an earlier
  // line that failed never silences this one. False when it failed.
  bool Zeile(const std::string& Text) const;
  // The same with ": " and the reason for `Nummer`.
  bool Zeile(const std::string& Was, int Nummer) const;

  int Ziel() const { return Deskriptor_; }

 private:
  int Deskriptor_;
  Abbruchfrage Frage_;
  Schreiber::Schreibfunktion Funktion_;
};
