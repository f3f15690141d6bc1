// The primality decision of the scan. Its parts: Probedivision.hpp (plain
// trial division), KleineTeiler.hpp (the odd Teiler up to 421 without a
// division), MillerRabin.hpp (the strong test to one base, in Montgomery.hpp's
// arithmetic) and Basen.hpp (which base).
#pragma once

#include <cstdint>

#include "Basen.hpp"
#include "KleineTeiler.hpp"
#include "MillerRabin.hpp"
#include "Probedivision.hpp"

// True exactly when the odd Kandidat (at least 9) is prime, for every such
// number below 2^32: the answer of plain trial division, reached faster.
// Plain trial division while the square root is small (below 421^2); above,
// a small Teiler rejects most composites, and one strong test to the base
// that Basen.hpp picks for the candidate decides the rest.
inline bool IstPrimzahl(std::uint32_t Kandidat) {
  using namespace primzahltest;
  constexpr std::uint32_t Schwelle =
      GroessterKleinerTeiler * GroessterKleinerTeiler;
  if (Kandidat < Schwelle) {
    return IstPrimzahlDurchProbedivision(Kandidat);
  }
  return !HatKleinenTeiler(Kandidat) &&
         BestehtMillerRabin(Kandidat, Basis(Kandidat));
}
