// The scan: its reports on small hand-checked ranges, and its primality
// decisions against a sieve over whole ranges up to the top of 32 bits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "support/Funde.hpp"
#include "support/Sieb.hpp"

namespace {

using F = PrimzahlFund;
constexpr bool ja = true;
constexpr bool nein = false;

TEST(Suche, ZehnBisDreissig) {
  const auto r = Suchen(10, 30);
  const std::vector<F> Soll{{11, 1, 1, ja},   {13, 2, 2, ja},   {17, 4, 4, ja},
                            {19, 4, 2, nein}, {23, 4, 4, nein}, {29, 6, 6, ja}};
  EXPECT_EQ(r.Funde, Soll);
  EXPECT_EQ(r.GroessterAbstand, 6u);
  EXPECT_EQ(r.Minimalwert, 11u);
}

TEST(Suche, ErsterAbstandZaehltVonDerEingegebenenNull) {
  const auto r = Suchen(0, 30);
  const std::vector<F> Soll{{11, 11, 11, ja},  {13, 11, 2, nein},
                            {17, 11, 4, nein}, {19, 11, 2, nein},
                            {23, 11, 4, nein}, {29, 11, 6, nein}};
  EXPECT_EQ(r.Funde, Soll);
  EXPECT_EQ(r.GroessterAbstand, 11u);
  EXPECT_EQ(r.Minimalwert, 1u);
}

TEST(Suche, ZahlenBisAchtWerdenNieGemeldet) {
  auto r = Suchen(1, 8);
  EXPECT_TRUE(r.Funde.empty());
  EXPECT_EQ(r.GroessterAbstand, 0u);
  EXPECT_EQ(r.Minimalwert, 1u);

  r = Suchen(4, 5);
  EXPECT_TRUE(r.Funde.empty());
  EXPECT_EQ(r.GroessterAbstand, 0u);
  EXPECT_EQ(r.Minimalwert, 5u);

  r = Suchen(1, 12);
  EXPECT_EQ(r.Funde, (std::vector<F>{{11, 10, 10, ja}}));
}

TEST(Suche, ObereGrenzeGehoertDazu) {
  EXPECT_EQ(Suchen(10, 11).Funde, (std::vector<F>{{11, 1, 1, ja}}));
  EXPECT_EQ(Suchen(20, 23).Funde, (std::vector<F>{{23, 3, 3, ja}}));
}

TEST(Suche, PrimzahlAlsUntereGrenzeHatAbstandNull) {
  const auto r = Suchen(11, 20);
  const std::vector<F> Soll{
      {11, 0, 0, nein}, {13, 2, 2, ja}, {17, 4, 4, ja}, {19, 4, 2, nein}};
  EXPECT_EQ(r.Funde, Soll);
}

TEST(Suche, QuadrateKleinerPrimzahlenSindZusammengesetzt) {
  for (std::uint32_t q : {9u, 25u, 49u, 121u, 169u}) {
    EXPECT_FALSE(IstPrimzahl(q)) << q;
    EXPECT_TRUE(Suchen(q - 1, q).Funde.empty()) << q;
  }
}

TEST(Suche, GleicherAbstandIstKeinRekord) {
  // 23 -> 29 -> 31 -> 37: the gap 6 after 23 is a record, the one after 31
  // equals it and is not.
  const auto r = Suchen(23, 37);
  const std::vector<F> Soll{
      {23, 0, 0, nein}, {29, 6, 6, ja}, {31, 6, 2, nein}, {37, 6, 6, nein}};
  EXPECT_EQ(r.Funde, Soll);
}

// Every prime above 8 in the window is reported, in order, with the right
// gap and running record, and nothing else is.
template <bool (*IstPrim)(std::uint32_t) = IstPrimzahl>
void SucheMitSiebVergleichen(std::uint32_t Von, std::uint32_t Bis) {
  const Sieb s(Von, Bis);
  const auto r = Suchen<IstPrim>(Von, Bis);
  std::uint32_t Vorige = Von;
  std::uint32_t Groesster = 0;
  std::size_t i = 0;
  for (std::uint64_t n = std::max<std::uint32_t>(Von, 9); n <= Bis; ++n) {
    const auto Zahl = static_cast<std::uint32_t>(n);
    if (!s.IstPrim(Zahl)) {
      continue;
    }
    ASSERT_LT(i, r.Funde.size()) << "prime not reported: " << Zahl;
    const F& f = r.Funde[i++];
    ASSERT_EQ(f.Kandidat, Zahl);
    ASSERT_EQ(f.Abstand, Zahl - Vorige);
    ASSERT_EQ(f.Rekord, f.Abstand > Groesster);
    Groesster = std::max(Groesster, f.Abstand);
    ASSERT_EQ(f.GroessterAbstand, Groesster);
    Vorige = Zahl;
  }
  EXPECT_EQ(i, r.Funde.size()) << "extra reports";
  EXPECT_EQ(r.GroessterAbstand, Groesster);
}

TEST(SucheGegenSieb, NeunBisEineMillion) {
  SucheMitSiebVergleichen(9, 1000000);
}

TEST(SucheGegenSieb, PrimzahlenUnterEinerMillion) {
  // 78498 primes lie below 10^6; 2, 3, 5 and 7 are never reported.
  EXPECT_EQ(Suchen(0, 1000000).Funde.size(), 78498u - 4u);
}

TEST(SucheGegenSieb, UmDasQuadratVon65521) {
  SucheMitSiebVergleichen(4293001441u - 50000u, 4293001441u + 50000u);
}

TEST(SucheGegenSieb, DieLetzten100000ZahlenUnter2Hoch32) {
  // The walk must end at 4294967295 instead of wrapping to 1.
  SucheMitSiebVergleichen(4294967295u - 99999u, 4294967295u);
  const auto r = Suchen(4294967290u, 4294967295u);
  EXPECT_EQ(r.Funde, (std::vector<F>{{4294967291u, 1, 1, ja}}));
}

}  // namespace
