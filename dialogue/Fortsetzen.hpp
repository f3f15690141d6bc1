// The continue question asked after every pass and every rejected range.
#pragma once

#include <iosfwd>

// Asks "Neue Eingabe? ja/nein" and reads one word. True only for exactly "ja";
// any other word, end of input, a failed input and a failed question are no.
bool Fortsetzen(std::istream& ein, std::ostream& aus);
