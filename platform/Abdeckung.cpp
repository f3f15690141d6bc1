// The coverage build's hooks: built only with PRIMZAHLABSTAND_ABDECKUNG.
#include "Abdeckung.hpp"

#include <sys/resource.h>

#include <cstdlib>

extern "C" void __gcov_dump();  // NOLINT: gcov's own name

namespace {

// Counts cut short by a file-size limit would spoil every later run's: the
// limit is lifted before they are written.
void GrenzeAufheben() {
  rlimit Grenze{};
  getrlimit(RLIMIT_FSIZE, &Grenze);
  Grenze.rlim_cur = Grenze.rlim_max;
  setrlimit(RLIMIT_FSIZE, &Grenze);
}

}  // namespace

void AbdeckungEinrichten() { std::atexit(GrenzeAufheben); }

// A program that a signal ends writes no counts by itself.
void AbdeckungSichern() {
  GrenzeAufheben();
  __gcov_dump();
}
