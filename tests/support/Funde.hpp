// Helpers for tests of the scan: collect its reports and compare them.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "gaps/Primzahlabstand.hpp"

inline bool operator==(const PrimzahlFund& a, const PrimzahlFund& b) {
  return a.Kandidat == b.Kandidat && a.GroessterAbstand == b.GroessterAbstand &&
         a.Abstand == b.Abstand && a.Rekord == b.Rekord;
}

inline void PrintTo(const PrimzahlFund& f, std::ostream* os) {
  *os << "(" << f.Kandidat << ", " << f.GroessterAbstand << ", " << f.Abstand
      << ", " << (f.Rekord ? "yes" : "no") << ")";
}

struct Suchergebnis {
  std::uint32_t Minimalwert;
  std::uint32_t GroessterAbstand;
  std::vector<PrimzahlFund> Funde;
};

// Runs the scan with a collecting receiver. A report that does not climb
// means the walk wrapped around: it is recorded and the walk stopped.
template <bool (*IstPrim)(std::uint32_t) = IstPrimzahl>
Suchergebnis Suchen(std::uint32_t Minimalwert, std::uint32_t Maximalwert) {
  Suchergebnis r{Minimalwert, 0, {}};
  r.GroessterAbstand = PrimzahlenSuchen<IstPrim>(
      r.Minimalwert, Maximalwert, [&r](const PrimzahlFund& f) {
        const bool Steigt =
            r.Funde.empty() || f.Kandidat > r.Funde.back().Kandidat;
        r.Funde.push_back(f);
        return Steigt;
      });
  return r;
}
