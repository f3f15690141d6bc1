// How standard output reaches a person: the program writes single bytes
// (its one letter beyond ASCII, the banner's ae, is the byte 0xE4 of
// ISO 8859-1), and a console that expects something else gets it converted.
// How each platform asks its console: Konsole_posix.cpp, Konsole_windows.cpp.
#pragma once

#include <cstddef>

#include "Schreiber.hpp"

// The write function for standard output on `Deskriptor`. A terminal whose
// locale (LC_CTYPE from the environment) is UTF-8 gets the bytes 0x80 to
// 0xFF as UTF-8; a Windows console gets every byte as the character it means,
// whatever its code page, which stays as it is. Anything else (a pipe, a
// file, a Latin-1 terminal, the C locale) gets the bytes unchanged. The
// UTF-8 writer asks `Frage` before it finishes a letter a short write split.
Schreiber::Schreibfunktion KonsolenSchreibfunktion(int Deskriptor,
                                                   Abbruchfrage Frage);

// Whether the locale the environment names is UTF-8, by its name alone (for
// a locale that is named but not installed): the first of `LcAll`, `LcCtype`
// and `Lang` that is set and not empty decides, by its codeset (after the
// '.', up to an '@'; the whole name where there is no '.'), "UTF-8" or
// "UTF8" in any case.
bool Utf8Genannt(const char* LcAll, const char* LcCtype, const char* Lang);

// Writes the ISO 8859-1 bytes of `Text` as UTF-8 through `Unten` (one call,
// and one more to finish a letter whose two bytes a short write split) and
// returns how many of the input bytes were written, or -1 with Unten's errno
// when none was or a split letter could not be finished (`Frage` as for
// Schreiber::AllesSchreiben).
long Latin1AlsUtf8Schreiben(Schreiber::Schreibfunktion Unten,
                            Abbruchfrage Frage, int Deskriptor,
                            const char* Text, std::size_t Anzahl);
