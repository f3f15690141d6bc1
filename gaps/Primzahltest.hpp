// Primality decisions for the odd candidates of the scan (odd, at least 9).
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

#include "Montgomery.hpp"

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

namespace primzahltest {

// 1 when the odd T divides k, else 0: k is a multiple of T exactly when
// k * T^-1 (mod 2^32) <= max / T. One multiplication, no division.
template <std::uint32_t T>
constexpr unsigned Teilt(std::uint32_t k) {
  std::uint32_t Inverse = T;
  for (int i = 0; i < 5; ++i) {
    Inverse *= 2 - T * Inverse;
  }
  return k * Inverse <= 0xFFFFFFFFu / T ? 1u : 0u;
}

// Tests the odd Teiler Erster, Erster + 2, ... together, without a branch.
template <std::uint32_t Erster, std::size_t... I>
constexpr bool TeiltEiner(std::uint32_t k,
                          std::index_sequence<I...> /*Stellen*/) {
  return (... | Teilt<Erster + 2 * I>(k)) != 0;
}

constexpr std::uint32_t GroessterKleinerTeiler = 61;

// Trial division by every odd Teiler from 3 to 61, in blocks so that most
// candidates leave after one branch. Only for k above 61.
inline bool HatKleinenTeiler(std::uint32_t k) {
  using Sechs = std::make_index_sequence<6>;
  using Acht = std::make_index_sequence<8>;
  return TeiltEiner<3>(k, Sechs{}) || TeiltEiner<15>(k, Acht{}) ||
         TeiltEiner<31>(k, Acht{}) || TeiltEiner<47>(k, Acht{});
}

// Strong probable-prime test to one base's power x = a^d (Montgomery form).
inline bool Besteht(const Montgomery& m, std::uint32_t x, int s) {
  if (x == m.Eins() || x == m.MinusEins()) {
    return true;
  }
  for (int r = 1; r < s; ++r) {
    x = m.Mal(x, x);
    if (x == m.MinusEins()) {
      return true;
    }
  }
  return false;
}

// Miller-Rabin to the bases 2, 7 and 61, which decides every odd n below
// 4759123141 that none of them divides. The three powers are formed side by
// side, right to left and without data-dependent branches, so the chains
// overlap in the processor and no mispredicted bit costs anything.
inline bool IstStarkePrimzahl(std::uint32_t n) {
  const Montgomery m(n);
  std::uint32_t d = n - 1;
  int s = 0;
  for (; (d & 1u) == 0; d >>= 1) {
    ++s;
  }
  // q: the base squared once per bit; x: the power built so far.
  std::uint32_t q2 = m.Hinein(2);
  std::uint32_t q7 = m.Hinein(7);
  std::uint32_t q61 = m.Hinein(61);
  const std::uint32_t Eins = m.Eins();
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
  return Besteht(m, x2, s) && Besteht(m, x7, s) && Besteht(m, x61, s);
}

}  // namespace primzahltest

// The decision the scan uses: plain trial division while the square root is
// small, then the small Teiler and an exact Miller-Rabin test.
inline bool IstPrimzahl(std::uint32_t Kandidat) {
  using namespace primzahltest;
  constexpr std::uint32_t Schwelle =
      GroessterKleinerTeiler * GroessterKleinerTeiler;
  if (Kandidat < Schwelle) {
    return IstPrimzahlDurchProbedivision(Kandidat);
  }
  return !HatKleinenTeiler(Kandidat) && IstStarkePrimzahl(Kandidat);
}
