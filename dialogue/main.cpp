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
  // Standard output through our own writer: one write per flushed line, the
  // first failure's reason kept, and the banner's letter as the console
  // shows it. Once an interrupt is noted it writes nothing more, and a wait
  // for room (a stopped terminal, a full pipe) ends.
  Schreiber Ausgabe(WartefreierDeskriptor(1), KonsolenSchreibfunktion(1));
  Ausgabe.AbbruchBeachten(&unterbrechung::Anfrage, Schreiber::Abbruch::Sofort);
  std::streambuf* const Vorher = std::cout.rdbuf(&Ausgabe);
  Ende e;
  if (const auto Status = Optionen(argc, argv, std::cout, std::cerr)) {
    e.Status = *Status;
  } else {
    unterbrechung::Einrichten();
    OrdnerPruefen(Datenpfad, std::cerr);
    e = Dialog(std::cin, std::cout, std::cerr, Datenpfad);
  }
  std::cout.rdbuf(Vorher);
  if (e.Signal != 0) {
    unterbrechung::Beenden(e.Signal);
  }
  return e.Status;
}
