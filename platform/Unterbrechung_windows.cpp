// Console events that end the program, on Windows: Ctrl+C, Ctrl+Break and
// closing the console window. The handler runs in a thread of its own.
#include "Unterbrechung_windows.hpp"

#include <cerrno>
#include <csignal>

#include "Plattform.hpp"
#include "Unterbrechung.hpp"

namespace unterbrechung {

volatile LONG AusgabeSchreibt = 0;

namespace {

HANDLE Hauptfaden = nullptr;  // the thread that writes

}  // namespace

BOOL WINAPI Konsolenereignis(DWORD Ereignis) {
  if (Ereignis != CTRL_C_EVENT && Ereignis != CTRL_BREAK_EVENT &&
      Ereignis != CTRL_CLOSE_EVENT) {
    return FALSE;
  }
  if (!DurchgangIstOffen()) {
    return FALSE;  // the usual handler ends the program at once
  }
  // The pass notices, closes its file and ends the program. A write to
  // standard output still running 100 ms later waits, and is cancelled, again
  // every 100 ms: a cancel finds nothing when the write has not begun yet. A
  // write that is merely under way is left to finish, so that a line the
  // console shows always has its gap stored. After 3 s the usual handler
  // ends the program after all.
  Notieren(SIGINT);
  for (int i = 0; i < 30; ++i) {
    Sleep(100);
    if (AusgabeSchreibt != 0) {
      CancelSynchronousIo(Hauptfaden);
    }
  }
  return FALSE;
}

int Einrichten() {
  Vergessen();
  if (const int f = plattform::Vorher(plattform::Aufruf::Signale)) {
    return f;
  }
  if (Hauptfaden == nullptr &&
      !DuplicateHandle(GetCurrentProcess(), GetCurrentThread(),
                       GetCurrentProcess(), &Hauptfaden, 0, FALSE,
                       DUPLICATE_SAME_ACCESS)) {
    return EIO;
  }
  if (const int f = plattform::Vorher(plattform::Aufruf::Signale)) {
    return f;
  }
  return SetConsoleCtrlHandler(Konsolenereignis, TRUE) ? 0 : EIO;
}

void Ruhen() {}

int RohrbruchSignal() { return 0; }

void Beenden(int /*Signal*/) {
  ExitProcess(static_cast<UINT>(STATUS_CONTROL_C_EXIT));
}

}  // namespace unterbrechung
