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

// T^-1 modulo 2^32 for odd T: right to 3 bits, each step doubles them.
constexpr std::uint32_t Inverse(std::uint32_t T) {
  std::uint32_t x = T;
  for (int i = 0; i < 5; ++i) {
    x *= 2 - T * x;
  }
  return x;
}

// 1 when the odd T divides k, else 0: k is a multiple of T exactly when
// k * T^-1 (mod 2^32) <= max / T. One multiplication, no division.
template <std::uint32_t T>
constexpr unsigned Teilt(std::uint32_t k) {
  constexpr std::uint32_t Inv = Inverse(T);
  return k * Inv <= 0xFFFFFFFFu / T ? 1u : 0u;
}

// The i-th odd Teiler from 11 on that neither 3, 5 nor 7 divides: a
// multiple of those cannot divide a number they do not divide.
constexpr std::uint32_t RadTeiler(std::size_t i) {
  std::uint32_t t = 11;
  for (std::size_t j = 0; j < i;) {
    t += 2;
    if (t % 3 != 0 && t % 5 != 0 && t % 7 != 0) {
      ++j;
    }
  }
  return t;
}

// Tests eight Teiler together, without a branch.
template <std::size_t Erster, std::size_t... I>
constexpr bool TeiltEiner(std::uint32_t k,
                          std::index_sequence<I...> /*Stellen*/) {
  return (... | Teilt<RadTeiler(Erster + I)>(k)) != 0;
}

template <std::size_t... Block>
constexpr bool TeiltEinerDerBloecke(std::uint32_t k,
                                    std::index_sequence<Block...> /*Stellen*/) {
  return (... || TeiltEiner<8 * Block>(k, std::make_index_sequence<8>{}));
}

constexpr std::size_t Bloecke = 12;
constexpr std::uint32_t GroessterKleinerTeiler = RadTeiler(8 * Bloecke - 1);
static_assert(GroessterKleinerTeiler == 421);

// Trial division by 3, 5 and 7, each in a branch of its own (along the walk
// over odd numbers each repeats with a short period that the processor
// learns), then by the next 96 odd Teiler that 3, 5 and 7 leave, up to 421,
// in blocks of eight without a branch inside. Only for k above 421.
inline bool HatKleinenTeiler(std::uint32_t k) {
  return Teilt<3>(k) != 0 || Teilt<5>(k) != 0 || Teilt<7>(k) != 0 ||
         TeiltEinerDerBloecke(k, std::make_index_sequence<Bloecke>{});
}

// Miller-Rabin to the bases 2, 7 and 61, which decides every odd n below
// 4759123141 that none of them divides. The three powers are formed side by
// side, right to left (the squaring chain sets the pace, one product per
// bit) and without data-dependent branches, so the chains overlap in the
// processor and no mispredicted bit costs anything.
inline bool IstStarkePrimzahl(std::uint32_t n) {
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

// The decision the scan uses: plain trial division while the square root is
// small (below 421^2), then the small Teiler and an exact Miller-Rabin test.
inline bool IstPrimzahl(std::uint32_t Kandidat) {
  using namespace primzahltest;
  constexpr std::uint32_t Schwelle =
      GroessterKleinerTeiler * GroessterKleinerTeiler;
  if (Kandidat < Schwelle) {
    return IstPrimzahlDurchProbedivision(Kandidat);
  }
  return !HatKleinenTeiler(Kandidat) && IstStarkePrimzahl(Kandidat);
}
