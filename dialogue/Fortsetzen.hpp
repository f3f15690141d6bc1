// The continue question asked after every pass and every rejected range.
#pragma once

#include <iosfwd>

// Asks the continue question and reads one word. True only for exactly the
// answer that goes on (both in Texte.hpp); any other word, end of input, a
// failed input and a failed question are no.
bool Fortsetzen(std::istream& ein, std::ostream& aus);
