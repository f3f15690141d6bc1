// How standard output reaches a person: the UTF-8 terminal writer.
#include "Konsole.hpp"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <string>

bool Utf8Genannt(const char* LcAll, const char* LcCtype, const char* Lang) {
  for (const char* Name : {LcAll, LcCtype, Lang}) {
    if (Name == nullptr || *Name == '\0') {
      continue;
    }
    std::string Satz = Name;
    if (const auto Punkt = Satz.find('.'); Punkt != std::string::npos) {
      Satz = Satz.substr(Punkt + 1, Satz.find('@', Punkt) - Punkt - 1);
    }
    std::transform(Satz.begin(), Satz.end(), Satz.begin(), [](char c) {
      return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    });
    return Satz == "utf-8" || Satz == "utf8";
  }
  return false;
}

long Latin1AlsUtf8Schreiben(Schreiber::Schreibfunktion Unten,
                            Abbruchfrage Frage, int Deskriptor,
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
    if (const int Fehler = Schreiber::AllesSchreiben(
            Unten, Deskriptor, &Utf8[Aus - 1], 1, Frage, false)) {
      errno = Fehler;
      return -1;
    }
  }
  return static_cast<long>(Ein);
}
