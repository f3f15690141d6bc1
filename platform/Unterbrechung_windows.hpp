// Console events on Windows: what the console writer and the tests need of
// the handler.
#pragma once

#include <windows.h>

namespace unterbrechung {

// Non-zero while a write to standard output runs: a console event during a
// pass cancels that write (CancelSynchronousIo on the main thread).
extern volatile LONG AusgabeSchreibt;

// The console handler, as Einrichten() installs it; tests call it as the
// console would.
BOOL WINAPI Konsolenereignis(DWORD Ereignis);

}  // namespace unterbrechung
