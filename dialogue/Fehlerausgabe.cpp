// Standard error, line by line.
#include "Fehlerausgabe.hpp"

#include <cstring>

#include "Unterbrechung.hpp"

bool Fehlerausgabe::Zeile(const std::string& Text) const {
  const std::string Ganz = "primzahlabstand: " + Text + "\n";
  // After an interrupt the line is still written, but not waited for.
  return Schreiber::AllesSchreiben(Funktion_, Deskriptor_, Ganz.data(),
                                   Ganz.size(), &unterbrechung::Anfrage,
                                   false) == 0;
}

bool Fehlerausgabe::Zeile(const std::string& Was, int Nummer) const {
  return Zeile(Was + ": " + std::strerror(Nummer));
}
