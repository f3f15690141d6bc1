// The inverse of an odd number modulo 2^w, w the width of its type: what
// lets a multiplication stand in for a division (Montgomery products, tests
// for a divisor).
#pragma once

#include <limits>

// n^-1 modulo 2^w for odd n: (3n) xor 2 is right to 5 bits, and each Newton
// step x(2 - nx) doubles the right bits.
template <class Zahl>
constexpr Zahl Inverse(Zahl n) {
  Zahl x = static_cast<Zahl>((3 * n) ^ 2);
  for (int Bits = 5; Bits < std::numeric_limits<Zahl>::digits; Bits *= 2) {
    x = static_cast<Zahl>(x * (2 - n * x));
  }
  return x;
}
