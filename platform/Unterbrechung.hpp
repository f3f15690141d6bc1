// Signals and console events that end the program: Ctrl+C and every other
// signal whose default is to end it (Endsignale_linux.cpp; on Windows Ctrl+C,
// Ctrl+Break and closing the console window), the reader of standard output
// gone (SIGPIPE), and a file-size limit (SIGXFSZ). How each platform does it:
// Unterbrechung_linux.cpp, Unterbrechung_windows.cpp; the state the handler
// and the pass share: Unterbrechung.cpp.
#pragma once

namespace unterbrechung {

// Installs the handlers, at the start of the program: 0, or the errno of the
// call that failed. Only signals that the caller left at their default are
// caught; an ignored one stays ignored. SIGPIPE and SIGXFSZ are ignored from
// now on, so that the writes they would cut short fail with EPIPE and EFBIG
// instead. Any interrupt noted before is forgotten.
int Einrichten();

// While a pass is open (from before its data file's open until the file is
// closed; the pass says so) an interrupt is only noted, so that the pass can
// stop, write out and close the file; and a write or an open that waits
// returns. At any other time an interrupt ends the program at once.
void DurchgangOffen(bool Offen);
bool DurchgangIstOffen();

// Notes `Signal` as the pass's interrupt unless one is noted already: the
// handler's own step (tests take it directly).
void Notieren(int Signal);
// The signal noted (a console event counts as SIGINT), or 0.
int NotiertesSignal();
// The stop question the writers and the reader are given: one is noted.
bool Unterbrochen();
// No interrupt noted, no pass open: Einrichten's first step.
void Vergessen();

// Removes the watchdog: at the end of the body, whose caller may go on (a
// test); a failure leaves it there, ticking if an interrupt set it going,
// which ends no call of a program that goes on without a pass.
void Ruhen();

// The signal by which a reader that has gone ends the program: SIGPIPE where
// it would have ended it before Einrichten() ignored it, else 0 (then the
// loss is reported like any other).
int RohrbruchSignal();

// Ends the program the way `Signal` ends programs (on Windows, the way Ctrl+C
// does).
[[noreturn]] void Beenden(int Signal);

}  // namespace unterbrechung
