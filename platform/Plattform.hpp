// Every system call of the program, one function each, reporting an errno on
// both platforms: the writes and reads, the data file's open, locks, identity
// and sync. One file per platform (Plattform_linux.cpp, Plattform_windows.cpp),
// picked by CMake. Each call first asks the seam, so that a test can make any
// one of them fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace plattform {

// The kinds of system call, as the seam sees them.
enum class Aufruf {
  Nachsehen,        // a look on the data file's way (open O_PATH, CreateFile)
  Oeffnen,          // the data file's open for writing
  Status,           // fstat, stat, fstatfs and their Windows kin
  VerweisLesen,     // readlinkat
  Lesen,            // standard input
  Schreiben,        // standard output, standard error, the data file
  Warten,           // poll
  Sperren,          // flock, an open file description lock, LockFileEx
  Kuerzen,          // ftruncate, _chsize
  Synchronisieren,  // fsync, _commit
  Schliessen,       // close
  Loslassen,        // close of a look's descriptor, which holds no data
  Signale,          // sigaction, sigprocmask, the console handler
  Zeitgeber,        // timer_create, timer_settime
  Terminal,         // isatty, GetConsoleMode
  Grenzen,          // getrlimit, setrlimit, the CPU time used
  Hinweis,          // the data folder's notice: stat, the working folder
};
inline constexpr int Aufrufarten = 17;
const char* Name(Aufruf Art);

// The seam: called before each system call with its kind. 0 lets the call
// be made; an errno fails it with that errno without making it (a close is
// made all the same: on Linux a failed close has closed).
using Eingriff = int (*)(Aufruf Art);
void Eingreifen(Eingriff Neu);  // nullptr: none, as in the program
int Vorher(Aufruf Art);         // for the platform files: the seam's answer

// Writes at most `Anzahl` bytes: write(2), or _write on Windows, whose text
// mode turns each newline into CR LF. A write ended by an interrupt (on
// Windows: cancelled by the console handler) fails with EINTR.
long Schreiben(int Deskriptor, const char* Text, std::size_t Anzahl);

// Reads at most `Anzahl` bytes: read(2), or _read in text mode on Windows.
// 0 at the end of the input; -1 with errno.
long Lesen(int Deskriptor, char* Text, std::size_t Anzahl);

// Waits until `Deskriptor`, which its owner made non-blocking, takes bytes
// (Schreibend) or has some: 0, EINTR when a signal came, or why it failed.
int Warten(int Deskriptor, bool Schreibend);

// The data file opened for writing, never truncated here: Deskriptor, or
// Fehler, an errno or FremderVerweis.
inline constexpr int FremderVerweis = -1;
struct Geoeffnet {
  int Deskriptor = -1;
  int Fehler = 0;
};
// On POSIX every link on the way from the file's folder on must be this
// user's or root's, and the file opened must be the one the look found;
// else FremderVerweis, and nothing was created. A look that fails is the open's
// failure with its errno. On Windows the path is opened as it is.
Geoeffnet Oeffnen(const char* Pfad);

// Which file it is: the device (volume) and the number on it.
struct Kennung {
  std::uint64_t Geraet = 0;
  std::uint64_t Nummer = 0;
};
inline bool GleicheDatei(const Kennung& a, const Kennung& b) {
  return a.Geraet == b.Geraet && a.Nummer == b.Nummer;
}
// What a look found: Fehler (0 or an errno), whether it is a regular file
// (not a device or a FIFO) with which identity, or a folder.
struct Art {
  int Fehler = 0;
  bool Regulaer = false;
  Kennung Datei;
  bool Ordner = false;
};
Art Beschreiben(int Deskriptor);
Art Beschreiben(const char* Pfad);  // links followed
// The same look for the data folder's notice, which says nothing when it
// fails (ENOENT and ENOTDIR: nothing there).
Art Ansehen(const char* Pfad);
// `Pfad` made absolute as the working folder names it (unchanged when it is
// absolute already); empty when the working folder cannot be told.
std::string Absolut(const char* Pfad);

// The kinds of lock other programs take, each held by the pass on the whole
// file. Sperren takes one without waiting: 0, or an errno (EAGAIN,
// EWOULDBLOCK or EACCES: another program holds it; ENOLCK, EOPNOTSUPP or
// EINVAL: no such lock here).
enum class Sperre {
  Datei,    // a whole-file lock: flock; LockFileEx on Windows
  Bereich,  // fcntl and lockf locks, refused by an open file description
            // lock; none on Windows (ENOLCK)
};
inline constexpr Sperre Sperrarten[] = {Sperre::Datei, Sperre::Bereich};
int Sperren(int Deskriptor, Sperre Art);

// 0 or an errno.
int Kuerzen(int Deskriptor);
int Synchronisieren(int Deskriptor);  // puts the bytes on the disk
int Schliessen(int Deskriptor);       // ends the locks at once; never retried

}  // namespace plattform
