// Times the scan alone on one range: prints the median of ROUNDS scans in
// milliseconds and the number of primes reported. Needs nothing but the gaps
// headers, so that it builds for any target (a Windows .exe too) and against
// any revision's headers; bench/compare-scan runs two revisions side by side.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "gaps/Primzahlabstand.hpp"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: scan_time LO HI ROUNDS\n");
    return 2;
  }
  const auto Von =
      static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10));
  const auto Bis =
      static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10));
  const int Runden = std::atoi(argv[3]);
  std::vector<double> Zeiten;
  unsigned long Anzahl = 0;
  for (int r = 0; r < Runden; ++r) {
    Anzahl = 0;
    std::uint32_t Minimalwert = Von;
    const auto Anfang = std::chrono::steady_clock::now();
    PrimzahlenSuchen(Minimalwert, Bis, [&Anzahl](const PrimzahlFund&) {
      ++Anzahl;
      return true;
    });
    const std::chrono::duration<double, std::milli> Dauer =
        std::chrono::steady_clock::now() - Anfang;
    Zeiten.push_back(Dauer.count());
  }
  std::sort(Zeiten.begin(), Zeiten.end());
  std::printf("%.2f %lu\n", Zeiten[Zeiten.size() / 2], Anzahl);
  return 0;
}
