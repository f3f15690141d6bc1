// The CPU-time limit brought forward, on Linux.
#include "Rechenzeitgrenze.hpp"

#include <sys/resource.h>

#include <ctime>

#include "Plattform.hpp"

namespace unterbrechung {

void RechenzeitgrenzeVorziehen() {
  using plattform::Aufruf;
  rlimit Grenze{};
  if (plattform::Vorher(Aufruf::Grenzen) != 0 ||
      getrlimit(RLIMIT_CPU, &Grenze) != 0 || Grenze.rlim_max == RLIM_INFINITY ||
      Grenze.rlim_cur != Grenze.rlim_max || Grenze.rlim_max < 2) {
    return;
  }
  timespec Verbraucht{};
  if (plattform::Vorher(Aufruf::Grenzen) != 0 ||
      clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &Verbraucht) != 0 ||
      static_cast<rlim_t>(Verbraucht.tv_sec) > Grenze.rlim_max - 2) {
    return;
  }
  Grenze.rlim_cur = Grenze.rlim_max - 1;
  if (plattform::Vorher(Aufruf::Grenzen) == 0) {
    setrlimit(RLIMIT_CPU, &Grenze);
  }
}

}  // namespace unterbrechung
