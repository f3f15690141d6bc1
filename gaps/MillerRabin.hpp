// The Miller-Rabin test to the bases 2, 7 and 61: exact for every odd 32-bit
// number that none of them divides.
#pragma once

#include <cstdint>

#include "Montgomery.hpp"

namespace primzahltest {

// Miller-Rabin to the bases 2, 7 and 61, which decides every odd n below
// 4759123141 that none of them divides. The three powers are formed side by
// side, right to left (the squaring chain sets the pace, one product per
// bit) and without data-dependent branches, so the chains overlap in the
// processor and no mispredicted bit costs anything.
inline bool BestehtMillerRabin(std::uint32_t n) {
  const Montgomery m(n);
  std::uint32_t d = n - 1;
  int s = 0;
  for (; (d & 1u) == 0; d >>= 1) {
    ++s;
  }
  // q: the base squared once per bit; x: the power built so far. The bases
  // are sums of Eins.
  const std::uint32_t Eins = m.Eins();
  std::uint32_t q2 = m.Plus(Eins, Eins);
  const std::uint32_t q4 = m.Plus(q2, q2);
  const std::uint32_t q8 = m.Plus(q4, q4);
  const std::uint32_t q16 = m.Plus(q8, q8);
  const std::uint32_t q32 = m.Plus(q16, q16);
  std::uint32_t q7 = m.Plus(m.Plus(q4, q2), Eins);
  std::uint32_t q61 = m.Plus(m.Plus(q32, q16), m.Plus(m.Plus(q8, q4), Eins));
  std::uint32_t x2 = Eins;
  std::uint32_t x7 = Eins;
  std::uint32_t x61 = Eins;
  for (;;) {
    const std::uint32_t Maske = 0u - (d & 1u);
    x2 = m.Mal(x2, (q2 & Maske) | (Eins & ~Maske));
    x7 = m.Mal(x7, (q7 & Maske) | (Eins & ~Maske));
    x61 = m.Mal(x61, (q61 & Maske) | (Eins & ~Maske));
    d >>= 1;
    if (d == 0) {
      break;
    }
    q2 = m.Mal(q2, q2);
    q7 = m.Mal(q7, q7);
    q61 = m.Mal(q61, q61);
  }
  // Each power must be 1, or reach -1 within s - 1 squarings. The three
  // are finished side by side too, without a branch per base.
  const std::uint32_t Minus = m.MinusEins();
  bool Gut2 = x2 == Eins || x2 == Minus;
  bool Gut7 = x7 == Eins || x7 == Minus;
  bool Gut61 = x61 == Eins || x61 == Minus;
  for (int r = 1; r < s; ++r) {
    x2 = m.Mal(x2, x2);
    x7 = m.Mal(x7, x7);
    x61 = m.Mal(x61, x61);
    Gut2 |= x2 == Minus;
    Gut7 |= x7 == Minus;
    Gut61 |= x61 == Minus;
  }
  return Gut2 && Gut7 && Gut61;
}

}  // namespace primzahltest
