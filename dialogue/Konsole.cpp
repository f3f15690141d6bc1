// How standard output reaches a person.
#include "Konsole.hpp"

#include <cerrno>
#include <cstring>

#include "Unterbrechung.hpp"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <langinfo.h>
#include <sys/stat.h>
#include <unistd.h>

#include <clocale>
#include <string>
#endif

long Latin1AlsUtf8Schreiben(Schreiber::Schreibfunktion Unten, int Deskriptor,
                            const char* Text, std::size_t Anzahl) {
  // A piece that fits the buffer twice over, in one write.
  char Utf8[2 * 1024];
  std::size_t Laenge = 0;
  for (std::size_t i = 0; i < Anzahl && Laenge + 2 <= sizeof Utf8; ++i) {
    const auto b = static_cast<unsigned char>(Text[i]);
    if (b < 0x80) {
      Utf8[Laenge++] = static_cast<char>(b);
    } else {
      Utf8[Laenge++] = static_cast<char>(0xC0 | (b >> 6));
      Utf8[Laenge++] = static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  const long n = Unten(Deskriptor, Utf8, Laenge);
  if (n <= 0) {
    return n;
  }
  // The input bytes whose letters are out whole.
  std::size_t Aus = 0;
  std::size_t Ein = 0;
  for (; Aus < static_cast<std::size_t>(n); ++Ein) {
    Aus += static_cast<unsigned char>(Text[Ein]) < 0x80 ? 1 : 2;
  }
  // A letter split by the write is finished now, or the output has failed
  // (the writer then writes nothing more, so it is never sent twice).
  if (Aus > static_cast<std::size_t>(n)) {
    if (const int Fehler =
            Schreiber::AllesSchreiben(Unten, Deskriptor, &Utf8[Aus - 1], 1,
                                      &unterbrechung::Anfrage, false)) {
      errno = Fehler;
      return -1;
    }
  }
  return static_cast<long>(Ein);
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

int WartefreierDeskriptor(int Deskriptor) { return Deskriptor; }

#else

namespace {

long Utf8Schreiben(int Deskriptor, const char* Text, std::size_t Anzahl) {
  return Latin1AlsUtf8Schreiben(Schreiber::SystemSchreiben, Deskriptor, Text,
                                Anzahl);
}

}  // namespace

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
  return Utf8 ? Utf8Schreiben : Schreiber::SystemSchreiben;
}

int WartefreierDeskriptor(int Deskriptor) {
  struct stat Info {};
  if (fstat(Deskriptor, &Info) != 0 || S_ISREG(Info.st_mode)) {
    return Deskriptor;
  }
  const std::string Pfad = "/proc/self/fd/" + std::to_string(Deskriptor);
  const int Neu =
      open(Pfad.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  return Neu >= 0 ? Neu : Deskriptor;
}

#endif
