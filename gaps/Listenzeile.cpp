// The listing line of one reported prime.
#include "Listenzeile.hpp"

#include <charconv>
#include <cstring>
#include <ostream>
#include <streambuf>

namespace {

char* ZahlSchreiben(char* Ziel, std::uint32_t Zahl) {
  // Ten digits always fit, so to_chars cannot fail here.
  return std::to_chars(Ziel, Ziel + 10, Zahl).ptr;
}

// One group per halving of the gap down to 1: the integer part of log2.
std::size_t Gruppen(std::uint32_t Abstand) {
  std::size_t Anzahl = 0;
  for (std::uint32_t b = Abstand; b > 1; b >>= 1) {
    ++Anzahl;
  }
  return Anzahl;
}

}  // namespace

std::size_t ZeileFormatieren(const PrimzahlFund& Fund,
                             char (&Puffer)[ZeilenLaengeHoechstens]) {
  static constexpr char Sterne[] =
      "***************************************************************"
      "******************************";
  static_assert(sizeof Sterne - 1 == std::size_t{31} * 3);
  char* p = Puffer;
  if (Fund.Rekord) {
    *p++ = '\a';
  }
  p = ZahlSchreiben(p, Fund.Kandidat);
  *p++ = '\t';
  *p++ = '\t';
  p = ZahlSchreiben(p, Fund.GroessterAbstand);
  *p++ = '\t';
  p = ZahlSchreiben(p, Fund.Abstand);
  *p++ = '\t';
  *p++ = '|';
  const std::size_t Laenge = 3 * Gruppen(Fund.Abstand);
  std::memcpy(p, Sterne, Laenge);
  p += Laenge;
  *p++ = '\n';
  return static_cast<std::size_t>(p - Puffer);
}

bool ZeileSchreiben(std::ostream& aus, const PrimzahlFund& Fund) {
  char Puffer[ZeilenLaengeHoechstens];
  const auto Laenge =
      static_cast<std::streamsize>(ZeileFormatieren(Fund, Puffer));
  // Straight to the stream's buffer: the line is one piece, and the stream's
  // own checks per call cost as much as the formatting.
  std::streambuf* const Ziel = aus.rdbuf();
  if (aus.fail() || Ziel->sputn(Puffer, Laenge) != Laenge ||
      Ziel->pubsync() != 0) {
    aus.setstate(std::ios::badbit);
    return false;
  }
  return true;
}
