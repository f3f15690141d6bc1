// primzahlabstand: lists the primes of a typed range with their gaps and
// stores every gap as one byte in the data file.
#include <iostream>

#include "Dialog.hpp"
#include "Unterbrechung.hpp"
#include "gaps/Abstandsdatei.hpp"
#include "gaps/Schreiber.hpp"

int main() {
  unterbrechung::Einrichten();
  // Standard output through our own writer: one write per flushed line, and
  // the first failure's reason kept. A write that waits gives up when an
  // interrupt is noted.
  Schreiber Ausgabe(1);
  Ausgabe.AbbruchBeachten(&unterbrechung::Anfrage);
  std::streambuf* const Vorher = std::cout.rdbuf(&Ausgabe);
  const Ende e = Dialog(std::cin, std::cout, std::cerr, Datenpfad);
  std::cout.rdbuf(Vorher);
  if (e.Signal != 0) {
    unterbrechung::Beenden(e.Signal);
  }
  return e.Status;
}
