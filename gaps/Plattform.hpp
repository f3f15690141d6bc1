// What differs between POSIX and Windows below the writer and the data file:
// the write call and the file's open, lock, identity and sync. One file per
// platform (Plattform_posix.cpp, Plattform_windows.cpp), picked by CMake.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace plattform {

// Writes at most `Anzahl` bytes: write(2), or _write on Windows, whose text
// mode turns each newline into CR LF. A write ended by an interrupt (on
// Windows: cancelled by the console handler) fails with EINTR.
long Schreiben(int Deskriptor, const char* Text, std::size_t Anzahl);

// Waits until `Deskriptor`, which its owner made non-blocking, takes bytes
// again: 0, EINTR when a signal came, or why the wait failed.
int Warten(int Deskriptor);

// The data file opened for writing, never truncated here: Deskriptor, or
// Fehler, an errno or FremderWeg.
inline constexpr int FremderWeg = -1;
struct Geoeffnet {
  int Deskriptor = -1;
  int Fehler = 0;
};
// On POSIX every link on the way from the file's folder on must be this
// user's or root's, and the file opened must be the one the look found
// (`NachDemBlick`, when set, runs between the two); else FremderWeg, and
// nothing was created. On Windows the path is opened as it is.
Geoeffnet Oeffnen(const char* Pfad, void (*NachDemBlick)() = nullptr);

bool IstDatei(int Deskriptor);  // a regular file, not a device or a FIFO

// Which file it is: the device (volume) and the number on it.
struct Kennung {
  std::uint64_t Geraet = 0;
  std::uint64_t Nummer = 0;
};
inline bool GleicheDatei(const Kennung& a, const Kennung& b) {
  return a.Geraet == b.Geraet && a.Nummer == b.Nummer;
}
// A regular file's identity; nothing for a device, a FIFO or a failure.
std::optional<Kennung> DateiKennung(int Deskriptor);
std::optional<Kennung> DateiKennung(const char* Pfad);  // links followed

// The kinds of lock a file can carry (POSIX: flock and an open file
// description lock; Windows: LockFileEx). Sperren takes one on the whole file
// without waiting: 0, or an errno (EAGAIN, EWOULDBLOCK or EACCES: another
// program holds it; ENOLCK, EOPNOTSUPP or EINVAL: no such lock here).
extern const int Sperrarten;
int Sperren(int Deskriptor, int Art);

int Kuerzen(int Deskriptor);
int Synchronisieren(int Deskriptor);  // puts the bytes on the disk
int Schliessen(int Deskriptor);       // ends the locks at once

}  // namespace plattform
