// What differs between POSIX and Windows below the writer and the data file:
// the write call and the file's open, lock, identity and sync. One file per
// platform (Plattform_posix.cpp, Plattform_windows.cpp), picked by CMake.
#pragma once

#include <cstddef>

namespace plattform {

// Writes at most `Anzahl` bytes: write(2), or _write on Windows, whose text
// mode turns each newline into CR LF. A write ended by an interrupt (on
// Windows: cancelled by the console handler) fails with EINTR.
long Schreiben(int Deskriptor, const char* Text, std::size_t Anzahl);

// Waits until `Deskriptor`, which its owner made non-blocking, takes bytes
// again: 0, EINTR when a signal came, or why the wait failed.
int Warten(int Deskriptor);

// The data file, for writing, created when missing, never truncated here.
int Oeffnen(const char* Pfad);
bool IstDatei(int Deskriptor);  // a regular file, not a device or a FIFO
// False when `Pfad` is a link of another user than this one or root, or,
// once `Deskriptor` is open (else -1), no longer leads to its file.
bool Erlaubt(const char* Pfad, int Deskriptor);
bool GleicheDatei(int a, int b);
// Locks the whole file without waiting; false only when another open file
// holds the lock (where there are no locks the pass goes on without one).
bool Sperren(int Deskriptor);
int Kuerzen(int Deskriptor);
int Synchronisieren(int Deskriptor);  // puts the bytes on the disk
int Schliessen(int Deskriptor);       // ends the lock at once

}  // namespace plattform
