// Montgomery arithmetic modulo an odd 32-bit number with R = 2^64: a product
// costs three multiplications and needs no final correction.
#pragma once

#include <cstdint>

#include "Inverse.hpp"

class Montgomery {
 public:
  explicit Montgomery(std::uint32_t Modul) : n_(Modul) {
    MinusInverse_ = 0 - Inverse(n_);
    Eins_ = static_cast<std::uint32_t>((0 - n_) % n_);  // 2^64 mod n
  }

  // Values are kept in [1, n]; n itself stands for 0. So T = a*b >= 1, and
  // T + m*n is a non-zero multiple of 2^64 below (n + 1) * 2^64: the low half
  // always carries exactly one into the high, and the result is in [1, n].
  std::uint32_t Mal(std::uint32_t a, std::uint32_t b) const {
    const std::uint64_t T = std::uint64_t{a} * b;
    return HochMalModul(T * MinusInverse_) + 1;
  }

  // a * 2^64 mod n, with one 64-bit remainder: how a base of up to 32 bits
  // gets into Montgomery form. A multiple of n becomes n, its stand-in for 0.
  std::uint32_t Form(std::uint32_t a) const {
    const auto r = static_cast<std::uint32_t>(std::uint64_t{a} * Eins_ % n_);
    return r == 0 ? static_cast<std::uint32_t>(n_) : r;
  }

  std::uint32_t Eins() const { return Eins_; }
  std::uint32_t MinusEins() const {
    return static_cast<std::uint32_t>(n_ - Eins_);
  }

 private:
  // The high 64 bits of m * n, which fit in 32 bits because n < 2^32.
  std::uint32_t HochMalModul(std::uint64_t m) const {
// PRIMZAHLABSTAND_OHNE_INT128 forces the portable product that 32-bit
// targets use, so that it is tested on every machine.
#if defined(__SIZEOF_INT128__) && !defined(PRIMZAHLABSTAND_OHNE_INT128)
    __extension__ using U128 = unsigned __int128;
    // cppcheck takes the 128-bit product for a 64-bit one.
    // cppcheck-suppress shiftTooManyBits
    return static_cast<std::uint32_t>((U128{m} * n_) >> 64);
#else
    const std::uint64_t Unten = (m & 0xFFFFFFFFu) * n_;
    return static_cast<std::uint32_t>(((m >> 32) * n_ + (Unten >> 32)) >> 32);
#endif
  }

  std::uint64_t n_;
  std::uint64_t MinusInverse_;
  std::uint32_t Eins_;
};
