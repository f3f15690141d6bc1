// The seam in front of every system call: what both platforms share.
#include "Plattform.hpp"

namespace plattform {

namespace {
// Read in signal handlers too: a plain pointer, set before they can run.
Eingriff Aktuell = nullptr;
}  // namespace

void Eingreifen(Eingriff Neu) { Aktuell = Neu; }

int Vorher(Aufruf Art) { return Aktuell != nullptr ? Aktuell(Art) : 0; }

const char* Name(Aufruf Art) {
  static constexpr const char* Namen[Aufrufarten] = {
      "Nachsehen",  "Oeffnen",   "Status",  "VerweisLesen", "Lesen",
      "Schreiben",  "Warten",    "Sperren", "Kuerzen",      "Synchronisieren",
      "Schliessen", "Loslassen", "Signale", "Zeitgeber",    "Terminal",
      "Grenzen",    "Hinweis"};
  return Namen[static_cast<int>(Art)];
}

}  // namespace plattform
