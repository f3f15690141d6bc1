// Standard error, line by line.
#include "Fehlerausgabe.hpp"

#include <cstring>

bool Fehlerausgabe::Zeile(const std::string& Text) const {
  const std::string Ganz = Vorsatz_ + Text + "\n";
  return Schreiber::AllesSchreiben(Funktion_, Deskriptor_, Ganz.data(),
                                   Ganz.size(), Frage_, false) == 0;
}

bool Fehlerausgabe::Zeile(const std::string& Was, int Nummer) const {
  return Zeile(Was + ": " + std::strerror(Nummer));
}
