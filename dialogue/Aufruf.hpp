// What the program does before the dialogue: its command-line options and a
// word about a data folder that is not there.
#pragma once

#include <optional>

class Fehlerausgabe;
class Schreiber;

// Handles the arguments: "--help" and "--version" write their text through
// `Ausgabe` (status 0; 1 with a line on `fehler` when it cannot be written),
// anything else gets one line on `fehler` (status 2). Nothing when there are no
// arguments: then the dialogue runs. To add an option: 1) give it a branch
// here, 2) a line in the help text, 3) a paragraph in the manual page.
std::optional<int> Optionen(int argc, const char* const* argv,
                            Schreiber& Ausgabe, const Fehlerausgabe& fehler);

// One notice line on `fehler` when the folder of the data file at `Pfad`
// does not exist or is not a folder: passes cannot be stored until it is
// made, which the user can still do before typing the range.
void OrdnerPruefen(const char* Pfad, const Fehlerausgabe& fehler);
