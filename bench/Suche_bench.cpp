// The scan with the fast decision against plain trial division, on the same
// ranges, same receiver and same flags.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <utility>

#include "gaps/Primzahlabstand.hpp"

namespace {

struct Zahlen {
  std::uint64_t Anzahl = 0;
  std::uint32_t GroessterAbstand = 0;
};

template <bool (*IstPrim)(std::uint32_t)>
Zahlen Suchen(std::uint32_t Von, std::uint32_t Bis) {
  Zahlen z;
  std::uint32_t Minimalwert = Von;
  z.GroessterAbstand =
      PrimzahlenSuchen<IstPrim>(Minimalwert, Bis, [&z](const PrimzahlFund& f) {
        ++z.Anzahl;
        benchmark::DoNotOptimize(f);
        return true;
      });
  return z;
}

// The reference's figures, computed once per range.
const Zahlen& Referenz(std::uint32_t Von, std::uint32_t Bis) {
  static std::map<std::pair<std::uint32_t, std::uint32_t>, Zahlen> Cache;
  auto [it, neu] = Cache.try_emplace({Von, Bis});
  if (neu) {
    it->second = Suchen<IstPrimzahlDurchProbedivision>(Von, Bis);
  }
  return it->second;
}

template <bool (*IstPrim)(std::uint32_t)>
void Suche(benchmark::State& state) {
  const auto Von = static_cast<std::uint32_t>(state.range(0));
  const auto Bis = static_cast<std::uint32_t>(state.range(1));
  const Zahlen& Soll = Referenz(Von, Bis);
  for (auto _ : state) {
    Zahlen z = Suchen<IstPrim>(Von, Bis);
    benchmark::DoNotOptimize(z.Anzahl);
    benchmark::DoNotOptimize(z.GroessterAbstand);
    if (z.Anzahl != Soll.Anzahl ||
        z.GroessterAbstand != Soll.GroessterAbstand) {
      state.SkipWithError("figures differ from the reference");
      break;
    }
  }
  state.counters["primes"] = static_cast<double>(Soll.Anzahl);
  state.counters["largest_gap"] = Soll.GroessterAbstand;
}

void Bereiche(benchmark::internal::Benchmark* b) {
  b->Args({0, 1000000})->Args({4290000000, 4291000000});
  b->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(Suche<IstPrimzahl>)->Name("fast")->Apply(Bereiche);
BENCHMARK(Suche<IstPrimzahlDurchProbedivision>)
    ->Name("reference")
    ->Apply(Bereiche);

BENCHMARK_MAIN();
