// Trial division by every odd Teiler up to 421 at once, with no division:
// the step of the decision that rejects most composites cheaply.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

#include "Inverse.hpp"

namespace primzahltest {

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

}  // namespace primzahltest
