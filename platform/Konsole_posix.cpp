// How standard output reaches a person, on POSIX: a terminal's locale tells.
#include <langinfo.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <cstring>

#include "Konsole.hpp"
#include "Plattform.hpp"

namespace {

// The question KonsolenSchreibfunktion was given: a write function has no
// room for it.
Abbruchfrage Utf8Frage = nullptr;

long Utf8Schreiben(int Deskriptor, const char* Text, std::size_t Anzahl) {
  return Latin1AlsUtf8Schreiben(Schreiber::SystemSchreiben, Utf8Frage,
                                Deskriptor, Text, Anzahl);
}

}  // namespace

Schreiber::Schreibfunktion KonsolenSchreibfunktion(int Deskriptor,
                                                   Abbruchfrage Frage) {
  Utf8Frage = Frage;
  // Not a terminal, or no telling: the bytes go as they are.
  if (plattform::Vorher(plattform::Aufruf::Terminal) != 0 ||
      isatty(Deskriptor) == 0) {
    return Schreiber::SystemSchreiben;
  }
  // Only asked, then put back: the rest of the program keeps the C locale.
  // One that is named but not installed is known by its name.
  bool Utf8 = false;
  if (std::setlocale(LC_CTYPE, "") != nullptr) {
    Utf8 = std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
    std::setlocale(LC_CTYPE, "C");
  } else {
    Utf8 = Utf8Genannt(std::getenv("LC_ALL"), std::getenv("LC_CTYPE"),
                       std::getenv("LANG"));
  }
  return Utf8 ? Utf8Schreiben : Schreiber::SystemSchreiben;
}
