// Plain trial division: the decision for small candidates, and the reference
// that the benchmarks measure the fast decision against.
#pragma once

#include <cstdint>

// Trial division by the odd Teiler 3, 5, 7, ... up to the square root. The
// square is taken in 64 bits so that it cannot wrap near 2^32.
inline bool IstPrimzahlDurchProbedivision(std::uint32_t Kandidat) {
  if (Kandidat % 3u == 0) {
    return false;
  }
  for (std::uint32_t Teiler = 5; std::uint64_t{Teiler} * Teiler <= Kandidat;
       Teiler += 2) {
    if (Kandidat % Teiler == 0) {
      return false;
    }
  }
  return true;
}
