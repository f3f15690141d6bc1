// primzahlabstand: lists the primes of a typed range with their gaps and
// stores every gap as one byte in the data file.
#include <iostream>

#include "Dialog.hpp"
#include "gaps/Abstandsdatei.hpp"

int main() { return Dialog(std::cin, std::cout, std::cerr, Datenpfad); }
