// The program: lists the primes of a typed range with their gaps and stores
// every gap as one byte in the data file.
#include "Programm.hpp"
#include "platform/Unterbrechung.hpp"

int main(int argc, char** argv) {
  const Ende e = Programm(argc, argv, Umgebung{});
  if (e.Signal != 0) {
    unterbrechung::Beenden(e.Signal);
  }
  return e.Status;
}
