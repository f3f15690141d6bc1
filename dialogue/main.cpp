// primzahlabstand: lists the primes of a typed range with their gaps and
// stores every gap as one byte in the data file.
#include <iostream>

#include "Dialog.hpp"
#include "gaps/Abstandsdatei.hpp"

#ifdef _WIN32

int main() { return Dialog(std::cin, std::cout, std::cerr, Datenpfad); }

#else

#include <unistd.h>

#include "Standardausgabe.hpp"

int main() {
  Standardausgabe Ausgabe(STDOUT_FILENO);
  std::streambuf* const Vorher = std::cout.rdbuf(&Ausgabe);
  const int Status = Dialog(std::cin, std::cout, std::cerr, Datenpfad);
  std::cout.rdbuf(Vorher);
  return Status;
}

#endif
