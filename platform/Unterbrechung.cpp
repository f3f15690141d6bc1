// Signals and console events: the state the handler and the pass share.
#include "Unterbrechung.hpp"

#include <csignal>

namespace unterbrechung {

namespace {
volatile std::sig_atomic_t Offen = 0;    // a pass is open
volatile std::sig_atomic_t Notiert = 0;  // the interrupt's signal, or 0
}  // namespace

void Vergessen() {
  Notiert = 0;
  Offen = 0;
}

void DurchgangOffen(bool Offen_) { Offen = Offen_ ? 1 : 0; }
bool DurchgangIstOffen() { return Offen != 0; }
void Notieren(int Signal) { Notiert = Notiert != 0 ? Notiert : Signal; }
int NotiertesSignal() { return Notiert; }
bool Unterbrochen() { return Notiert != 0; }

}  // namespace unterbrechung
