// primzahlabstand: lists the primes of a typed range with their gaps and
// stores every gap as one byte in the data file.
#include <iostream>

#include "Aufruf.hpp"
#include "Dialog.hpp"
#include "Konsole.hpp"
#include "Unterbrechung.hpp"
#include "gaps/Abstandsdatei.hpp"
#include "gaps/Schreiber.hpp"

int main(int argc, char** argv) {
  // Standard output, the descriptor the caller gave, through our own writer:
  // one write per flushed line, the first failure's reason kept, and the
  // banner's letter as the console shows it. Once an interrupt is noted it
  // writes nothing more.
  Schreiber Ausgabe(1, KonsolenSchreibfunktion(1));
  Ausgabe.AbbruchBeachten(&unterbrechung::Anfrage, Schreiber::Abbruch::Sofort);
  Ende e;
  if (const auto Status = Optionen(argc, argv, Ausgabe, std::cerr)) {
    e.Status = *Status;
  } else {
    unterbrechung::Einrichten();
    OrdnerPruefen(Datenpfad, std::cerr);
    e = Dialog(std::cin, Ausgabe, std::cerr, Datenpfad);
  }
  if (e.Signal != 0) {
    unterbrechung::Beenden(e.Signal);
  }
  return e.Status;
}
