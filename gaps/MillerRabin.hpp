// The strong probable-prime test (one round of Miller-Rabin) to one base.
#pragma once

#include <cstdint>

#include "Montgomery.hpp"

namespace primzahltest {

// True when the odd n > 1 is a strong probable prime to `Basis` (taken
// modulo n): with n - 1 = d * 2^s, d odd, Basis^d is 1, or one of its first
// s squares is -1. The power is formed right to left without data-dependent
// branches: the squaring chain sets the pace, one product per bit, and the
// product into the power overlaps with it.
inline bool BestehtMillerRabin(std::uint32_t n, std::uint32_t Basis) {
  const Montgomery m(n);
  std::uint32_t d = n - 1;
  int s = 0;
  for (; (d & 1u) == 0; d >>= 1) {
    ++s;
  }
  const std::uint32_t Eins = m.Eins();
  std::uint32_t q = m.Form(Basis);  // Basis^(2^i) for bit i of d
  std::uint32_t x = Eins;           // the power built so far
  for (;;) {
    const std::uint32_t Maske = 0u - (d & 1u);
    x = m.Mal(x, (q & Maske) | (Eins & ~Maske));
    d >>= 1;
    if (d == 0) {
      break;
    }
    q = m.Mal(q, q);
  }
  const std::uint32_t Minus = m.MinusEins();
  bool Gut = x == Eins || x == Minus;
  for (int r = 1; r < s; ++r) {
    x = m.Mal(x, x);
    Gut |= x == Minus;
  }
  return Gut;
}

}  // namespace primzahltest
