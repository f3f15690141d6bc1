// The primality decisions against a sieve on whole windows, and the strong
// test on published strong pseudoprimes and on those that fool bases 2 and 7.
#include "gaps/Primzahltest.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "support/Sieb.hpp"

namespace {

TEST(Entscheidung, GegenDasSieb) {
  // Every odd number of each window from 9 on, decided as the sieve does:
  // by the fast decision, and by the plain trial division it falls back to.
  constexpr std::uint32_t M = 1000000;
  const struct {
    const char* Name;
    bool (*IstPrim)(std::uint32_t);
    std::uint32_t Von, Bis;
  } Faelle[] = {
      {"9 to 10^6", IstPrimzahl, 9, M},
      {"around 2^31", IstPrimzahl, 2147483648u - M / 2, 2147483648u + M / 2},
      {"around 65521^2", IstPrimzahl, 4293001441u - M / 2, 4293001441u + M / 2},
      {"the last 10^6 below 2^32", IstPrimzahl, 4294967295u - M + 1,
       4294967295u},
      {"trial division, 9 to 10^6", IstPrimzahlDurchProbedivision, 9, M},
      {"trial division, the last 100000", IstPrimzahlDurchProbedivision,
       4294967295u - 99999u, 4294967295u},
  };
  for (const auto& f : Faelle) {
    const Sieb s(f.Von, f.Bis);
    for (std::uint64_t n = f.Von | 1u; n <= f.Bis; n += 2) {
      const auto k = static_cast<std::uint32_t>(n);
      ASSERT_EQ(f.IstPrim(k), s.IstPrim(k)) << f.Name << ": " << k;
    }
  }
  EXPECT_TRUE(IstPrimzahl(4294967291u));
  EXPECT_FALSE(IstPrimzahl(4294967295u));
}

TEST(Entscheidung, StarkePseudoprimzahlen) {
  // Published strong pseudoprimes: to base 2 the first five, to the bases 2,
  // 3, 5 and 7 the last. The step lets them pass to those bases; the base
  // the decision picks must not.
  for (std::uint32_t n : {2047u, 3277u, 4033u, 4681u, 8321u, 3215031751u}) {
    EXPECT_TRUE(primzahltest::BestehtMillerRabin(n, 2)) << n;
    EXPECT_FALSE(primzahltest::BestehtMillerRabin(n, primzahltest::Basis(n)))
        << n;
    EXPECT_FALSE(IstPrimzahl(n)) << n;
  }
  for (std::uint32_t b : {3u, 5u, 7u}) {
    EXPECT_TRUE(primzahltest::BestehtMillerRabin(3215031751u, b)) << b;
  }
  EXPECT_TRUE(primzahltest::BestehtMillerRabin(
      4294967291u, primzahltest::Basis(4294967291u)));
}

// Composites that the decision must reject beyond its small Teiler: the
// strong pseudoprimes to both bases 2 and 7 whose factors all lie above 421
// (as listed by bench/pseudoprimes), each with its factors. A hash of the
// bases computed in 32 bits lets 7 of them through.
struct Pseudoprimzahl {
  std::uint32_t n;
  std::vector<std::uint32_t> Faktoren;
};
const Pseudoprimzahl StarkZuDenBasenZweiUndSieben[] = {
    {2269093u, {953u, 2381u}},        {2284453u, {1069u, 2137u}},
    {3539101u, {941u, 3761u}},        {5489641u, {1657u, 3313u}},
    {6386993u, {653u, 9781u}},        {15188557u, {1949u, 7793u}},
    {19328653u, {3109u, 6217u}},      {36307981u, {4261u, 8521u}},
    {51302353u, {1987u, 25819u}},     {60581401u, {601u, 100801u}},
    {69885649u, {3739u, 18691u}},     {79417801u, {2971u, 26731u}},
    {99115297u, {3319u, 29863u}},     {116090081u, {6221u, 18661u}},
    {134767153u, {8209u, 16417u}},    {143168581u, {8461u, 16921u}},
    {157405249u, {3137u, 50177u}},    {240785047u, {7759u, 31033u}},
    {257590661u, {2477u, 103993u}},   {284736091u, {4219u, 67489u}},
    {315351521u, {10253u, 30757u}},   {329153653u, {12829u, 25657u}},
    {348989101u, {9341u, 37361u}},    {359394751u, {6703u, 53617u}},
    {414368641u, {3347u, 123803u}},   {415476343u, {7207u, 57649u}},
    {417779909u, {12517u, 33377u}},   {418226581u, {14461u, 28921u}},
    {483029821u, {15541u, 31081u}},   {579956653u, {17029u, 34057u}},
    {599135767u, {12239u, 48953u}},   {682528687u, {13063u, 52249u}},
    {746331041u, {15773u, 47317u}},   {751705597u, {13709u, 54833u}},
    {756205633u, {15877u, 47629u}},   {773131927u, {13903u, 55609u}},
    {878940833u, {17117u, 51349u}},   {910202509u, {27541u, 33049u}},
    {932148253u, {21589u, 43177u}},   {1009140161u, {18341u, 55021u}},
    {1084444481u, {19013u, 57037u}},  {1168256953u, {24169u, 48337u}},
    {1414154827u, {18803u, 75209u}},  {1464568381u, {27061u, 54121u}},
    {1574362441u, {28057u, 56113u}},  {1617921667u, {35977u, 44971u}},
    {1638294661u, {28621u, 57241u}},  {1650682153u, {28729u, 57457u}},
    {1792442737u, {21169u, 84673u}},  {1856689453u, {30469u, 60937u}},
    {1914303841u, {25261u, 75781u}},  {2101744837u, {12253u, 171529u}},
    {2141340833u, {26717u, 80149u}},  {2352371251u, {24251u, 97001u}},
    {2385574201u, {34537u, 69073u}},  {2433791593u, {22063u, 110311u}},
    {2448039497u, {16493u, 148429u}}, {2597294701u, {36037u, 72073u}},
    {2766006253u, {37189u, 74377u}},  {2840871041u, {30773u, 92317u}},
    {2957320351u, {27191u, 108761u}}, {3014101261u, {38821u, 77641u}},
    {3172658653u, {39829u, 79657u}},  {3296403601u, {21701u, 151901u}},
    {3306957593u, {8573u, 385741u}},  {3320669437u, {28813u, 115249u}},
    {3586833253u, {42349u, 84697u}},  {3594110081u, {34613u, 103837u}},
    {4005660961u, {36541u, 109621u}}, {4079665633u, {36877u, 110629u}},
    {4157008813u, {55837u, 74449u}},  {4186561633u, {37357u, 112069u}},
    {4187360341u, {45757u, 91513u}},  {4206295433u, {48341u, 87013u}},
};

TEST(Entscheidung, KeinePseudoprimzahlZuDenBasenZweiUndSieben) {
  for (const auto& [n, Faktoren] : StarkZuDenBasenZweiUndSieben) {
    std::uint64_t Produkt = 1;
    for (std::uint32_t p : Faktoren) {
      ASSERT_GT(p, 421u) << n;
      ASSERT_TRUE(Sieb(p, p).IstPrim(p)) << p << " in " << n;
      Produkt *= p;
    }
    ASSERT_EQ(Produkt, n);
    EXPECT_FALSE(IstPrimzahl(n)) << n;
  }
}

}  // namespace
