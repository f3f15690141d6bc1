// What the dialogue and its passes read and write, and the reports both make.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "Dialog.hpp"
#include "gaps/Abstandsdatei.hpp"

class Fehlerausgabe;
class Leser;
class Schreiber;

struct Kanaele {
  std::istream& ein;
  const Leser& Eingabe;  // the reader below `ein`
  std::ostream& aus;
  const Schreiber& Ausgabe;  // the writer below `aus`
  const Fehlerausgabe& fehler;
  const char* Pfad;  // the data file
};

// How a step of the dialogue ends it: nothing while it goes on.
using Ausgang = std::optional<Ende>;

inline bool ZeileBeenden(std::ostream& aus) {
  aus << std::endl;
  return !aus.fail();
}

// The data file was not fully written, for the reason `Nummer`: one line.
void DateiNichtGeschrieben(const Kanaele& k, int Nummer);

// Why the data file at `Pfad` was not opened, in one line on `fehler`; none
// when standard error itself goes into the file (it is the only place to
// say it).
void NichtGeoeffnet(const Fehlerausgabe& fehler, const char* Pfad, Oeffnung o,
                    int Nummer);

// Before anything is written to `Deskriptor`: refused when it goes into the
// data file at `Pfad` (`Ja` says which output it is) or when that cannot be
// told, with NichtGeoeffnet's line; nothing while the dialogue may go on.
Ausgang InDieDateiPruefen(const Fehlerausgabe& fehler, const char* Pfad,
                          int Deskriptor, Oeffnung Ja);

// Standard output is lost. A reader that has gone ends the program by
// SIGPIPE where that signal would have; any other loss is reported (1).
Ende AusgabeVerloren(const Kanaele& k);
