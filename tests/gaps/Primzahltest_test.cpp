// The primality decisions against a sieve on whole windows, and Miller-Rabin
// on the composites that fool a single base.
#include "gaps/Primzahltest.hpp"

#include <gtest/gtest.h>

#include <cstdint>

#include "support/Sieb.hpp"

namespace {

// Every odd number of the window from 9 on, decided as the sieve does.
template <bool (*IstPrim)(std::uint32_t)>
void MitSiebVergleichen(std::uint32_t Von, std::uint32_t Bis) {
  const Sieb s(Von, Bis);
  for (std::uint64_t n = Von | 1u; n <= Bis; n += 2) {
    const auto k = static_cast<std::uint32_t>(n);
    if (k >= 9) {
      ASSERT_EQ(IstPrim(k), s.IstPrim(k)) << k;
    }
  }
}

constexpr std::uint32_t Million = 1000000;

TEST(SchnellerTest, NeunBisEineMillion) {
  MitSiebVergleichen<IstPrimzahl>(9, Million);
}

TEST(SchnellerTest, EineMillionUm2Hoch31) {
  MitSiebVergleichen<IstPrimzahl>(2147483648u - Million / 2,
                                  2147483648u + Million / 2);
}

TEST(SchnellerTest, EineMillionUmDasQuadratVon65521) {
  MitSiebVergleichen<IstPrimzahl>(4293001441u - Million / 2,
                                  4293001441u + Million / 2);
}

TEST(SchnellerTest, DieLetzteMillionUnter2Hoch32) {
  MitSiebVergleichen<IstPrimzahl>(4294967295u - Million + 1, 4294967295u);
  EXPECT_TRUE(IstPrimzahl(4294967291u));
  EXPECT_FALSE(IstPrimzahl(4294967295u));
}

TEST(SchnellerTest, StarkePseudoprimzahlenZurBasisZwei) {
  // Each of these passes the strong test to base 2 alone.
  for (std::uint32_t n : {2047u, 3277u, 4033u, 4681u, 8321u, 3215031751u}) {
    EXPECT_FALSE(primzahltest::IstStarkePrimzahl(n)) << n;
    EXPECT_FALSE(IstPrimzahl(n)) << n;
  }
  EXPECT_TRUE(primzahltest::IstStarkePrimzahl(4294967291u));
}

TEST(Probedivision, NeunBisEineMillion) {
  MitSiebVergleichen<IstPrimzahlDurchProbedivision>(9, Million);
}

TEST(Probedivision, DieLetzten100000Unter2Hoch32) {
  MitSiebVergleichen<IstPrimzahlDurchProbedivision>(4294967295u - 99999u,
                                                    4294967295u);
}

}  // namespace
