// How standard output reaches a person.
#include "Konsole.hpp"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <langinfo.h>
#include <unistd.h>

#include <clocale>
#endif

long Latin1AlsUtf8Schreiben(int Deskriptor, const char* Text,
                            std::size_t Anzahl) {
  // In pieces that fit the buffer twice over; a piece is written whole.
  char Utf8[2 * 1024];
  std::size_t Fertig = 0;
  while (Fertig < Anzahl) {
    std::size_t Laenge = 0;
    std::size_t Stueck = 0;
    for (; Fertig + Stueck < Anzahl && Laenge + 2 <= sizeof Utf8; ++Stueck) {
      const auto b = static_cast<unsigned char>(Text[Fertig + Stueck]);
      if (b < 0x80) {
        Utf8[Laenge++] = static_cast<char>(b);
      } else {
        Utf8[Laenge++] = static_cast<char>(0xC0 | (b >> 6));
        Utf8[Laenge++] = static_cast<char>(0x80 | (b & 0x3F));
      }
    }
    for (std::size_t i = 0; i < Laenge;) {
      const long n =
          Schreiber::SystemSchreiben(Deskriptor, Utf8 + i, Laenge - i);
      if (n <= 0) {
        return Fertig > 0 ? static_cast<long>(Fertig) : -1;
      }
      i += static_cast<std::size_t>(n);
    }
    Fertig += Stueck;
  }
  return static_cast<long>(Fertig);
}

#ifdef _WIN32

namespace {

// Each byte as the UTF-16 character of the same number (ISO 8859-1), so the
// console shows it whatever its code page; a newline needs no CR there.
long KonsoleSchreiben(int Deskriptor, const char* Text, std::size_t Anzahl) {
  const auto Ziel = reinterpret_cast<HANDLE>(_get_osfhandle(Deskriptor));
  wchar_t Zeichen[1024];
  std::size_t Stueck = 0;
  for (; Stueck < Anzahl && Stueck < 1024; ++Stueck) {
    Zeichen[Stueck] = static_cast<unsigned char>(Text[Stueck]);
  }
  DWORD Geschrieben = 0;
  if (!WriteConsoleW(Ziel, Zeichen, static_cast<DWORD>(Stueck), &Geschrieben,
                     nullptr) ||
      Geschrieben == 0) {
    errno = EIO;
    return -1;
  }
  return static_cast<long>(Geschrieben);
}

}  // namespace

Schreiber::Schreibfunktion KonsolenSchreibfunktion(int Deskriptor) {
  DWORD Modus = 0;
  const auto Ziel = reinterpret_cast<HANDLE>(_get_osfhandle(Deskriptor));
  return GetConsoleMode(Ziel, &Modus) ? KonsoleSchreiben
                                      : Schreiber::SystemSchreiben;
}

#else

Schreiber::Schreibfunktion KonsolenSchreibfunktion(int Deskriptor) {
  if (isatty(Deskriptor) == 0) {
    return Schreiber::SystemSchreiben;
  }
  // Only asked, then put back: the rest of the program keeps the C locale.
  bool Utf8 = false;
  if (std::setlocale(LC_CTYPE, "") != nullptr) {
    Utf8 = std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
    std::setlocale(LC_CTYPE, "C");
  }
  return Utf8 ? Latin1AlsUtf8Schreiben : Schreiber::SystemSchreiben;
}

#endif
