// The scan: its reports on small hand-checked ranges, and its primality
// decisions against a sieve over whole ranges up to the top of 32 bits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "support/Funde.hpp"
#include "support/Sieb.hpp"

namespace {

using F = PrimzahlFund;
constexpr bool ja = true;
constexpr bool nein = false;

TEST(Suche, KleineBereiche) {
  const struct {
    const char* Name;
    std::uint32_t Von, Bis;
    std::vector<F> Funde;
    std::uint32_t Groesster, Minimalwert;
  } Faelle[] = {
      {"10 to 30",
       10,
       30,
       {{11, 1, 1, ja},
        {13, 2, 2, ja},
        {17, 4, 4, ja},
        {19, 4, 2, nein},
        {23, 4, 4, nein},
        {29, 6, 6, ja}},
       6,
       11},
      {"first gap from the typed 0",
       0,
       30,
       {{11, 11, 11, ja},
        {13, 11, 2, nein},
        {17, 11, 4, nein},
        {19, 11, 2, nein},
        {23, 11, 4, nein},
        {29, 11, 6, nein}},
       11,
       1},
      {"nothing up to 8", 1, 8, {}, 0, 1},
      {"4 to 5", 4, 5, {}, 0, 5},
      {"1 to 12", 1, 12, {{11, 10, 10, ja}}, 10, 1},
      {"upper bound included", 10, 11, {{11, 1, 1, ja}}, 1, 11},
      {"20 to 23", 20, 23, {{23, 3, 3, ja}}, 3, 21},
      {"a prime lower bound has gap 0",
       11,
       20,
       {{11, 0, 0, nein}, {13, 2, 2, ja}, {17, 4, 4, ja}, {19, 4, 2, nein}},
       4,
       11},
      {"an equal gap is no record",
       23,
       37,
       {{23, 0, 0, nein}, {29, 6, 6, ja}, {31, 6, 2, nein}, {37, 6, 6, nein}},
       6,
       23},
      {"9", 8, 9, {}, 0, 9},
      {"25", 24, 25, {}, 0, 25},
      {"49", 48, 49, {}, 0, 49},
      {"121", 120, 121, {}, 0, 121},
      {"169", 168, 169, {}, 0, 169},
      {"the walk ends at 2^32 - 1",
       4294967290u,
       4294967295u,
       {{4294967291u, 1, 1, ja}},
       1,
       4294967291u},
  };
  for (const auto& f : Faelle) {
    const auto r = Suchen(f.Von, f.Bis);
    EXPECT_EQ(r.Funde, f.Funde) << f.Name;
    EXPECT_EQ(r.GroessterAbstand, f.Groesster) << f.Name;
    EXPECT_EQ(r.Minimalwert, f.Minimalwert) << f.Name;
  }
}

TEST(Suche, QuadrateKleinerPrimzahlenSindZusammengesetzt) {
  for (std::uint32_t q : {9u, 25u, 49u, 121u, 169u}) {
    EXPECT_FALSE(IstPrimzahl(q)) << q;
  }
}

TEST(Suche, GegenDasSieb) {
  // Every prime above 8 in the window is reported, in order, with the right
  // gap and running record, and nothing else is; the walk must end at
  // 4294967295 instead of wrapping to 1.
  const struct {
    const char* Name;
    std::uint32_t Von, Bis;
  } Faelle[] = {
      {"9 to 10^6", 9, 1000000},
      {"around 65521^2", 4293001441u - 50000u, 4293001441u + 50000u},
      {"the last 100000 below 2^32", 4294967295u - 99999u, 4294967295u},
  };
  for (const auto& f : Faelle) {
    const Sieb s(f.Von, f.Bis);
    const auto r = Suchen(f.Von, f.Bis);
    std::vector<F> Soll;
    std::uint32_t Vorige = f.Von, Groesster = 0;
    for (std::uint64_t n = std::max<std::uint32_t>(f.Von, 9); n <= f.Bis; ++n) {
      if (s.IstPrim(static_cast<std::uint32_t>(n))) {
        const auto k = static_cast<std::uint32_t>(n);
        Soll.push_back({k, std::max(k - Vorige, Groesster), k - Vorige,
                        k - Vorige > Groesster});
        Groesster = Soll.back().GroessterAbstand;
        Vorige = k;
      }
    }
    EXPECT_TRUE(r.Funde == Soll) << f.Name;  // too long to print
    EXPECT_EQ(r.GroessterAbstand, Groesster) << f.Name;
  }
  // 78498 primes lie below 10^6; 2, 3, 5 and 7 are never reported.
  EXPECT_EQ(Suchen(0, 1000000).Funde.size(), 78498u - 4u);
}

}  // namespace
