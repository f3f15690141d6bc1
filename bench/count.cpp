// Counts the primes the scan reports in a range and its largest gap, with the
// reference or the fast decision, split over two threads.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "gaps/Primzahlabstand.hpp"

namespace {

struct Teil {
  std::uint32_t Von, Bis;
  bool Referenz;
  std::uint64_t Anzahl = 0;
  std::uint32_t Erste = 0, Letzte = 0, GroessterAbstand = 0;
};

template <bool (*IstPrim)(std::uint32_t)>
void Zaehlen(Teil& t) {
  std::uint32_t Minimalwert = t.Von;
  std::uint32_t Vorige = 0;
  PrimzahlenSuchen<IstPrim>(Minimalwert, t.Bis, [&](const PrimzahlFund& f) {
    if (t.Anzahl++ == 0) {
      t.Erste = f.Kandidat;
    } else if (f.Kandidat - Vorige > t.GroessterAbstand) {
      t.GroessterAbstand = f.Kandidat - Vorige;
    }
    Vorige = f.Kandidat;
    return true;
  });
  t.Letzte = Vorige;
}

void Laufen(Teil* t) {
  if (t->Referenz) {
    Zaehlen<IstPrimzahlDurchProbedivision>(*t);
  } else {
    Zaehlen<IstPrimzahl>(*t);
  }
}

}  // namespace

// Prints "COUNT LARGEST_GAP"; the gap is between reported primes, so the
// first prime's distance from the lower bound is added as the scan does.
int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: count reference|fast LO HI\n");
    return 2;
  }
  const bool Referenz = std::strcmp(argv[1], "reference") == 0;
  const auto Von =
      static_cast<std::uint32_t>(std::strtoull(argv[2], nullptr, 10));
  const auto Bis =
      static_cast<std::uint32_t>(std::strtoull(argv[3], nullptr, 10));
  // Split near the middle at an even number, so both halves see the same
  // odd candidates as one walk would.
  const std::uint32_t Mitte = (Von + (Bis - Von) / 2) & ~1u;
  Teil a{Von, Mitte, Referenz}, b{Mitte, Bis, Referenz};
  std::thread Neben(Laufen, &b);
  Laufen(&a);
  Neben.join();
  std::uint32_t Groesster = a.Anzahl ? a.Erste - Von : 0;
  Groesster = a.GroessterAbstand > Groesster ? a.GroessterAbstand : Groesster;
  if (b.Anzahl) {
    const std::uint32_t Bruecke = b.Erste - (a.Anzahl ? a.Letzte : Von);
    Groesster = Bruecke > Groesster ? Bruecke : Groesster;
    Groesster = b.GroessterAbstand > Groesster ? b.GroessterAbstand : Groesster;
  }
  std::printf("%llu %u\n", static_cast<unsigned long long>(a.Anzahl + b.Anzahl),
              Groesster);
  return 0;
}
