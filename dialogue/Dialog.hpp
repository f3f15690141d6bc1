// The whole conversation: banner, range prompts, complaint, passes over the
// range, summary, farewell and the continue question.
#pragma once

#include <iosfwd>

// Runs the dialogue until the user stops and returns the exit status: 0, or 1
// when the data file at `Pfad` or the output `aus` could not be written (then
// one line on `fehler` says why).
int Dialog(std::istream& ein, std::ostream& aus, std::ostream& fehler,
           const char* Pfad);
