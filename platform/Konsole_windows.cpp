// How standard output reaches a person, on Windows: a console gets UTF-16.
// Each write is marked as running, so that a console event can cancel it.
#include <io.h>

#include <cerrno>

#include "Konsole.hpp"
#include "Plattform.hpp"
#include "Unterbrechung_windows.hpp"

namespace {

HANDLE WindowsHandle(int d) {
  return reinterpret_cast<HANDLE>(_get_osfhandle(d));
}

// Each byte as the UTF-16 character of the same number (ISO 8859-1), so the
// console shows it whatever its code page; a newline needs no CR there.
long KonsoleSchreiben(int Deskriptor, const char* Text, std::size_t Anzahl) {
  wchar_t Zeichen[1024];
  std::size_t Stueck = 0;
  for (; Stueck < Anzahl && Stueck < 1024; ++Stueck) {
    Zeichen[Stueck] = static_cast<unsigned char>(Text[Stueck]);
  }
  if (const int f = plattform::Vorher(plattform::Aufruf::Schreiben)) {
    errno = f;
    return -1;
  }
  DWORD Geschrieben = 0;
  if (!WriteConsoleW(WindowsHandle(Deskriptor), Zeichen,
                     static_cast<DWORD>(Stueck), &Geschrieben, nullptr) ||
      Geschrieben == 0) {
    errno = GetLastError() == ERROR_OPERATION_ABORTED ? EINTR : EIO;
    return -1;
  }
  return static_cast<long>(Geschrieben);
}

template <Schreiber::Schreibfunktion Unten>
long Markiert(int Deskriptor, const char* Text, std::size_t Anzahl) {
  unterbrechung::AusgabeSchreibt = 1;
  const long n = Unten(Deskriptor, Text, Anzahl);
  unterbrechung::AusgabeSchreibt = 0;
  return n;
}

}  // namespace

// The console's write is cancelled by the console handler: it needs no
// question.
Schreiber::Schreibfunktion KonsolenSchreibfunktion(int Deskriptor,
                                                   Abbruchfrage /*Frage*/) {
  // Not a console, or no telling: the bytes go as they are.
  DWORD Modus = 0;
  return plattform::Vorher(plattform::Aufruf::Terminal) == 0 &&
                 GetConsoleMode(WindowsHandle(Deskriptor), &Modus)
             ? Markiert<KonsoleSchreiben>
             : Markiert<Schreiber::SystemSchreiben>;
}
