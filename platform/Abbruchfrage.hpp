// The one question the writers and the reader ask when a call was cut short
// by a signal or would wait: must the program stop now?
#pragma once

// True once the program has been told to stop (an interrupt during a pass).
// Asked in the program's own thread, never in a signal handler; nullptr: the
// answer is always no.
using Abbruchfrage = bool (*)();

inline bool Abbrechen(Abbruchfrage Frage) {
  return Frage != nullptr && Frage();
}
