// The chief header of gaps/: PrimzahlFund and the prime gap scan
// PrimzahlenSuchen, which walks the odd numbers of a range and reports every
// prime above 8 with its gap to the previous report and the largest gap so
// far. The listing line (Listenzeile.hpp) and the raw gap file
// (Abstandsdatei.hpp) are what the dialogue does with each report.
#pragma once

#include <cstdint>

#include "Primzahltest.hpp"

struct PrimzahlFund {
  std::uint32_t Kandidat;
  std::uint32_t GroessterAbstand;
  std::uint32_t Abstand;
  bool Rekord;
};

// Scans [Minimalwert, Maximalwert] (the caller guarantees Minimalwert <
// Maximalwert) and hands each PrimzahlFund to `empfaenger` before the next
// candidate is tested. The receiver returns false to stop the walk early (its
// output is gone). Minimalwert is left odd, as the summary shows it; the
// largest gap is returned. All arithmetic is unsigned 32-bit.
template <bool (*IstPrim)(std::uint32_t) = IstPrimzahl, class Empfaenger>
std::uint32_t PrimzahlenSuchen(std::uint32_t& Minimalwert,
                               std::uint32_t Maximalwert,
                               Empfaenger&& empfaenger) {
  // The first gap is measured from the bound as typed, not from a prime.
  std::uint32_t VorigePrimzahl = Minimalwert;
  Minimalwert |= 1u;
  std::uint32_t GroessterAbstand = 0;
  for (std::uint32_t Kandidat = Minimalwert; Kandidat <= Maximalwert;
       Kandidat += 2) {
    // 1, 3, 5 and 7 are never reported.
    if (Kandidat > 8 && IstPrim(Kandidat)) {
      const std::uint32_t Abstand = Kandidat - VorigePrimzahl;
      const bool Rekord = Abstand > GroessterAbstand;
      if (Rekord) {
        GroessterAbstand = Abstand;
      }
      if (!empfaenger(
              PrimzahlFund{Kandidat, GroessterAbstand, Abstand, Rekord})) {
        break;
      }
      VorigePrimzahl = Kandidat;
    }
    // Stop before the step of 2 would pass the top or wrap past 2^32 - 1.
    if (Maximalwert - Kandidat < 2) {
      break;
    }
  }
  return GroessterAbstand;
}
