// Checks the primality decision against a segmented sieve of Eratosthenes on
// every odd number from 421^2 = 177241 (below it the decision is plain trial
// division) to 2^32 - 1, split across the cores. Prints the counts and every
// mismatch; exits 1 if there is one. Built once with each Montgomery product.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <thread>
#include <vector>

#include "gaps/Primzahltest.hpp"

namespace {

using u64 = std::uint64_t;

constexpr u64 Von = 177241, Bis = u64{1} << 32;  // [Von, Bis)
constexpr u64 Segment = u64{1} << 22;            // numbers per segment

struct Zaehler {
  std::atomic<u64> Naechstes{Von};
  std::atomic<u64> Zahlen{0}, Primzahlen{0}, Fehler{0};
};

// The odd primes below 2^16, by trial division: enough to sieve up to 2^32.
std::vector<u64> KleinePrimzahlen() {
  std::vector<u64> p;
  for (u64 k = 3; k < 65536; k += 2) {
    if (std::none_of(p.begin(), p.end(), [k](u64 q) { return k % q == 0; })) {
      p.push_back(k);
    }
  }
  return p;
}

// One segment [a, a + Segment) within [Von, Bis): sieve its odd numbers, then
// ask the decision about each.
void Pruefen(u64 a, const std::vector<u64>& Teiler, std::vector<char>& Prim,
             Zaehler& z) {
  const u64 Ende = std::min(a + Segment, Bis);
  a = std::max(a, Von) | 1;
  const u64 Anzahl = (Ende - a + 1) / 2;  // odd numbers a, a + 2, ...
  std::fill(Prim.begin(), Prim.begin() + static_cast<long>(Anzahl), 1);
  for (u64 p : Teiler) {
    u64 m = std::max(p * p, (a + p - 1) / p * p);
    m += m % 2 == 0 ? p : 0;
    for (u64 i = (m - a) / 2; i < Anzahl; i += p) {
      Prim[i] = 0;
    }
  }
  u64 Primzahlen = 0, Fehler = 0;
  for (u64 i = 0; i < Anzahl; ++i) {
    const auto n = static_cast<std::uint32_t>(a + 2 * i);
    Primzahlen += Prim[i] != 0 ? 1 : 0;
    if (IstPrimzahl(n) != (Prim[i] != 0)) {
      ++Fehler;
      std::printf("mismatch: %u is %s\n", n, Prim[i] ? "prime" : "composite");
    }
  }
  z.Zahlen += Anzahl;
  z.Primzahlen += Primzahlen;
  z.Fehler += Fehler;
}

}  // namespace

int main() {
  const auto Anfang = std::chrono::steady_clock::now();
  const std::vector<u64> Teiler = KleinePrimzahlen();
  Zaehler z;
  std::vector<std::thread> Faeden;
  for (unsigned i = 0; i < std::max(1u, std::thread::hardware_concurrency());
       ++i) {
    Faeden.emplace_back([&] {
      std::vector<char> Prim(Segment / 2 + 1);
      for (u64 a; (a = z.Naechstes.fetch_add(Segment)) < Bis;) {
        Pruefen(a, Teiler, Prim, z);
      }
    });
  }
  for (auto& f : Faeden) {
    f.join();
  }
  const std::chrono::duration<double> Dauer =
      std::chrono::steady_clock::now() - Anfang;
  std::printf(
      "odd numbers in [177241, 2^32): %llu, primes: %llu, mismatches: %llu "
      "(%s product, %zu threads, %.0f s)\n",
      static_cast<unsigned long long>(z.Zahlen.load()),
      static_cast<unsigned long long>(z.Primzahlen.load()),
      static_cast<unsigned long long>(z.Fehler.load()),
#if defined(__SIZEOF_INT128__) && !defined(PRIMZAHLABSTAND_OHNE_INT128)
      "128-bit",
#else
      "portable",
#endif
      Faeden.size(), Dauer.count());
  return z.Fehler == 0 ? 0 : 1;
}
