// Signals and console events that end the program: Ctrl+C, SIGTERM and SIGHUP
// (on Windows Ctrl+C, Ctrl+Break and closing the console window), the reader
// of standard output gone (SIGPIPE), and a file-size limit (SIGXFSZ).
#pragma once

#include <csignal>

namespace unterbrechung {

// Installs the handlers; once, at the start of the program. Signals that the
// caller ignores stay ignored. SIGPIPE and SIGXFSZ are ignored from now on, so
// that the writes they would cut short fail with EPIPE and EFBIG instead.
void Einrichten();

// While a pass has its data file open, an interrupt is only noted here (the
// signal's number), so that the pass can stop, write out and close the file;
// at any other time it ends the program at once, as usual.
extern volatile std::sig_atomic_t Anfrage;
void DurchgangOffen(bool Offen);

// The signal by which a reader that has gone ends the program: SIGPIPE where
// it would have ended it before Einrichten() ignored it, else 0 (then the
// loss is reported like any other).
int RohrbruchSignal();

// Ends the program the way `Signal` ends programs (on Windows, the way Ctrl+C
// does).
[[noreturn]] void Beenden(int Signal);

}  // namespace unterbrechung
