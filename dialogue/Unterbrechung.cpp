// Signals and console events: the state both platforms share.
#include "Unterbrechung.hpp"

namespace unterbrechung {

volatile std::sig_atomic_t Anfrage = 0;

namespace {
volatile std::sig_atomic_t Offen = 0;
}  // namespace

void DurchgangOffen(bool Offen_) { Offen = Offen_ ? 1 : 0; }
bool DurchgangIstOffen() { return Offen != 0; }

}  // namespace unterbrechung
