// The whole conversation: banner, range prompts, complaint, passes over the
// range, summary, farewell and the continue question.
#pragma once

class Fehlerausgabe;
class Leser;
class Schreiber;

// How the program ends: with an exit status, or the way a signal ends
// programs (an interrupt during a pass, or SIGPIPE for a reader that has gone
// where that signal would have ended the program).
struct Ende {
  int Status = 0;
  int Signal = 0;  // non-zero: end by this signal instead
};

// Runs the dialogue until the user stops, reading `Eingabe` and writing
// through `Ausgabe` (every prompt is written out before a read waits).
// Status 0, or 1 when the input could not be read or the data file at `Pfad`
// or `Ausgabe` could not be written (then one line on `fehler` says why).
// Whenever it ends during a pass, the data file holds the gaps of exactly the
// listing lines that `Ausgabe` wrote.
Ende Dialog(Leser& Eingabe, Schreiber& Ausgabe, const Fehlerausgabe& fehler,
            const char* Pfad);
