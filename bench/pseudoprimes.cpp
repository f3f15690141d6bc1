// Lists every composite below 2^32 that the primality decision must reject
// beyond its small divisors: the strong pseudoprimes to both bases 2 and 7
// whose prime factors all lie above 421, with those factors. Its output is the
// list kept in the decision's tests. Plain 64-bit remainders throughout, so it
// shares no arithmetic with the decision.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

using u64 = std::uint64_t;

bool StarkWahrscheinlichPrim(u64 n, u64 Basis) {
  u64 d = n - 1;
  int s = 0;
  for (; d % 2 == 0; d /= 2) {
    ++s;
  }
  u64 x = 1;
  for (u64 b = Basis % n, e = d; e > 0; e >>= 1, b = b * b % n) {
    if (e & 1) {
      x = x * b % n;
    }
  }
  if (x == 1 || x == n - 1) {
    return true;
  }
  for (int r = 1; r < s; ++r) {
    x = x * x % n;
    if (x == n - 1) {
      return true;
    }
  }
  return false;
}

u64 KleinsterTeiler(u64 n) {
  for (u64 t = 3; t * t <= n; t += 2) {
    if (n % t == 0) {
      return t;
    }
  }
  return n;
}

// One block of odd numbers from `a` on, sieved by the odd primes in `Teiler`
// that are at most `Bis`: 1 where none divides.
void Sieben(u64 a, u64 Anzahl, const std::vector<u64>& Teiler, u64 Bis,
            std::vector<char>& Frei) {
  std::fill(Frei.begin(), Frei.end(), 1);
  for (u64 p : Teiler) {
    if (p > Bis) {
      break;
    }
    u64 m = std::max((a + p - 1) / p * p, p * p);
    m += m % 2 == 0 ? p : 0;
    for (u64 i = (m - a) / 2; i < Anzahl; i += p) {
      Frei[i] = 0;
    }
  }
}

// The composites in [Von, Bis) without a factor up to 421 (a sieve by the
// primes up to 421, and one by all primes up to 2^16 to tell the primes),
// tested to bases 2 and 7.
void Suchen(u64 Von, u64 Bis, std::vector<u64>* Funde) {
  std::vector<u64> Ungerade;
  for (u64 p = 3; p < 65536; p += 2) {
    if (KleinsterTeiler(p) == p) {
      Ungerade.push_back(p);
    }
  }
  constexpr u64 Block = u64{1} << 18;  // odd numbers per block
  std::vector<char> Rau(Block), Prim(Block);
  for (u64 a = Von | 1; a < Bis; a += 2 * Block) {
    const u64 Anzahl = (Bis - a + 1) / 2 < Block ? (Bis - a + 1) / 2 : Block;
    Sieben(a, Anzahl, Ungerade, 421, Rau);
    Sieben(a, Anzahl, Ungerade, 65535, Prim);
    for (u64 i = 0; i < Anzahl; ++i) {
      const u64 n = a + 2 * i;
      if (Rau[i] != 0 && Prim[i] == 0 && StarkWahrscheinlichPrim(n, 2) &&
          StarkWahrscheinlichPrim(n, 7)) {
        Funde->push_back(n);
      }
    }
  }
}

}  // namespace

int main() {
  // Below 431 * 433 a composite always has a factor up to 421.
  const u64 Von = 431 * 433, Bis = u64{1} << 32;
  const unsigned Teile = 2 * std::thread::hardware_concurrency();
  std::vector<std::vector<u64>> Funde(Teile);
  std::vector<std::thread> Faeden;
  const u64 Schritt = (Bis - Von) / Teile + 1;
  for (unsigned i = 0; i < Teile; ++i) {
    const u64 a = Von + i * Schritt, b = a + Schritt < Bis ? a + Schritt : Bis;
    Faeden.emplace_back(Suchen, a, b, &Funde[i]);
  }
  for (auto& f : Faeden) {
    f.join();
  }
  for (const auto& Teil : Funde) {
    for (u64 n : Teil) {
      std::printf("%llu", static_cast<unsigned long long>(n));
      for (u64 m = n; m > 1;) {
        const u64 p = KleinsterTeiler(m);
        std::printf(" %llu", static_cast<unsigned long long>(p));
        m /= p;
      }
      std::printf("\n");
    }
  }
  return 0;
}
