// The listing line of one reported prime: bell on a record, the numbers
// separated by tabs, and a bar of "***" per doubling of the gap.
#pragma once

#include <cstddef>
#include <iosfwd>

#include "Primzahlabstand.hpp"

// Bell, three 10-digit numbers, four tabs, the bar, 31 groups of "***" at most,
// and the newline.
constexpr std::size_t ZeilenLaengeHoechstens =
    1 + 10 + 2 + 10 + 1 + 10 + 2 + 31 * 3 + 1;

// Writes the line, newline included, into `Puffer` and returns its length.
std::size_t ZeileFormatieren(const PrimzahlFund& Fund,
                             char (&Puffer)[ZeilenLaengeHoechstens]);

// Writes the line in one piece and flushes it; false once `aus` has failed.
bool ZeileSchreiben(std::ostream& aus, const PrimzahlFund& Fund);
