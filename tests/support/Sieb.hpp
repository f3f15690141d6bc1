// The tests' one primality oracle, independent of the program's decision: a
// sieve of Eratosthenes over any window of the 32-bit numbers.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class Sieb {
 public:
  // Marks the primes in [Von, Bis]; the window must be modest in size.
  Sieb(std::uint32_t Von, std::uint32_t Bis)
      : Von_(Von), Prim_(Stelle(std::uint64_t{Bis} + 1), true) {
    std::vector<bool> Klein(65536, true);
    for (std::size_t p = 2; p < Klein.size(); ++p) {
      if (!Klein[p]) {
        continue;
      }
      for (std::size_t m = p * p; m < Klein.size(); m += p) {
        Klein[m] = false;
      }
      Streichen(p, Bis);
    }
    for (std::uint64_t n = Von; n < 2 && n <= Bis; ++n) {
      Prim_[Stelle(n)] = false;
    }
  }

  bool IstPrim(std::uint32_t n) const { return Prim_[Stelle(n)]; }
  std::uint32_t Bis() const {
    return static_cast<std::uint32_t>(Von_ + Prim_.size() - 1);
  }

 private:
  std::size_t Stelle(std::uint64_t n) const {
    return static_cast<std::size_t>(n - Von_);
  }

  void Streichen(std::uint64_t p, std::uint64_t Bis) {
    std::uint64_t m = (Von_ + p - 1) / p * p;
    if (m < p * p) {
      m = p * p;
    }
    for (; m <= Bis; m += p) {
      Prim_[Stelle(m)] = false;
    }
  }

  std::uint64_t Von_;
  std::vector<bool> Prim_;
};

// The low bytes of the first `Anzahl` gaps of a pass from `Von`: the primes
// above 8, the first gap measured from `Von`.
inline std::string ErsteAbstaende(std::uint32_t Von, std::size_t Anzahl) {
  std::string Bytes;
  std::uint32_t Vorige = Von;
  for (std::uint64_t a = Von; Bytes.size() < Anzahl && a <= 0xFFFFFFFFu;
       a += 1u << 20) {
    const auto Bis = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(a + (1u << 20) - 1, 0xFFFFFFFFu));
    const Sieb s(static_cast<std::uint32_t>(a), Bis);
    for (std::uint64_t n = a; n <= Bis && Bytes.size() < Anzahl; ++n) {
      if (n > 8 && s.IstPrim(static_cast<std::uint32_t>(n))) {
        Bytes += static_cast<char>((n - Vorige) & 0xFF);
        Vorige = static_cast<std::uint32_t>(n);
      }
    }
  }
  return Bytes;
}
