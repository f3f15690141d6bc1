// The raw gap file.
#include "Abstandsdatei.hpp"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32

HANDLE Griff(int d) { return reinterpret_cast<HANDLE>(_get_osfhandle(d)); }
int Oeffnen(const char* Pfad) {
  return _open(Pfad, _O_WRONLY | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
}
bool IstDatei(int d) { return GetFileType(Griff(d)) == FILE_TYPE_DISK; }
// Links need a privilege there; the path is taken as it is.
bool Erlaubt(const char* /*Pfad*/, int /*d*/) { return true; }
void NichtWarten(int /*d*/) {}
// _fstat reports inode 0 there: the volume and the file index tell.
bool GleicheDatei(int a, int b) {
  BY_HANDLE_FILE_INFORMATION x{};
  BY_HANDLE_FILE_INFORMATION y{};
  return GetFileInformationByHandle(Griff(a), &x) &&
         GetFileInformationByHandle(Griff(b), &y) &&
         x.dwVolumeSerialNumber == y.dwVolumeSerialNumber &&
         x.nFileIndexHigh == y.nFileIndexHigh &&
         x.nFileIndexLow == y.nFileIndexLow;
}
// The whole file, without waiting. A refusal is ERROR_LOCK_VIOLATION; where
// locks are not to be had at all the pass goes on without one.
bool Sperren(int d) {
  OVERLAPPED Ort{};
  return LockFileEx(Griff(d),
                    LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                    MAXDWORD, MAXDWORD, &Ort) ||
         GetLastError() != ERROR_LOCK_VIOLATION;
}
int Kuerzen(int d) { return _chsize(d, 0); }
int Synchronisieren(int d) { return _commit(d); }  // FlushFileBuffers
int Schliessen(int d) {
  OVERLAPPED Ort{};
  UnlockFileEx(Griff(d), 0, MAXDWORD, MAXDWORD, &Ort);  // at once, not later
  return _close(d);
}

#else

int Oeffnen(const char* Pfad) {
  return open(Pfad, O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666);
}
bool IstDatei(int d) {
  struct stat Info {};
  return fstat(d, &Info) == 0 && S_ISREG(Info.st_mode);
}
// False when the path is a link of another user than this one or root (the
// folder may be someone else's), or, once `d` is open, when the path no
// longer leads to the file of `d`.
bool Erlaubt(const char* Pfad, int d) {
  struct stat Pfadziel {};
  if (lstat(Pfad, &Pfadziel) != 0) {
    return d < 0;  // nothing there yet is fine before opening only
  }
  if (S_ISLNK(Pfadziel.st_mode)) {
    if (Pfadziel.st_uid != geteuid() && Pfadziel.st_uid != 0) {
      return false;
    }
    if (d >= 0 && stat(Pfad, &Pfadziel) != 0) {
      return false;
    }
  }
  struct stat Offen {};
  return d < 0 || (fstat(d, &Offen) == 0 && Offen.st_dev == Pfadziel.st_dev &&
                   Offen.st_ino == Pfadziel.st_ino);
}
// The description is this pass's own: a FIFO nobody reads then makes a
// write come back with EAGAIN, and the writer waits where an interrupt can
// end the wait.
void NichtWarten(int d) { fcntl(d, F_SETFL, fcntl(d, F_GETFL) | O_NONBLOCK); }
bool GleicheDatei(int a, int b) {
  struct stat x {};
  struct stat y {};
  return fstat(a, &x) == 0 && fstat(b, &y) == 0 && x.st_dev == y.st_dev &&
         x.st_ino == y.st_ino;
}
// False only when another open file holds the lock; where the file system
// has no locks the pass goes on without one.
bool Sperren(int d) {
  return flock(d, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
}
int Kuerzen(int d) { return ftruncate(d, 0); }
int Synchronisieren(int d) { return fsync(d); }
int Schliessen(int d) { return close(d); }  // ends the lock

#endif

}  // namespace

Oeffnung Abstandsdatei::Oeffnen(const char* Pfad, int Ausgabe) {
  // Someone else's link is not even opened: opening a device or a FIFO
  // already does something.
  if (!Erlaubt(Pfad, -1)) {
    return Oeffnung::FremderVerweis;
  }
  const int d = ::Oeffnen(Pfad);
  if (d < 0) {
    Schreiber_.Scheitern(errno);
    return Oeffnung::Gescheitert;
  }
  const Oeffnung o = Pruefen(Pfad, d, Ausgabe);
  if (o == Oeffnung::Offen) {
    Schreiber_.Ziel(d);
  } else {
    ::Schliessen(d);
  }
  return o;
}

// Only a regular file is locked and truncated: a device or a FIFO has
// nothing to truncate, and /dev/null or /dev/full refuse it.
Oeffnung Abstandsdatei::Pruefen(const char* Pfad, int d, int Ausgabe) {
  if (!Erlaubt(Pfad, d)) {
    return Oeffnung::FremderVerweis;
  }
  if (!IstDatei(d)) {
    NichtWarten(d);
    return Oeffnung::Offen;
  }
  if (Ausgabe >= 0 && IstDatei(Ausgabe) && GleicheDatei(d, Ausgabe)) {
    return Oeffnung::IstDieAusgabe;
  }
  if (!Sperren(d)) {
    return Oeffnung::Gesperrt;
  }
  if (Kuerzen(d) != 0) {
    Schreiber_.Scheitern(errno);
    return Oeffnung::Gescheitert;
  }
  return Oeffnung::Offen;
}

bool Abstandsdatei::Schliessen() {
  const int d = Schreiber_.Ziel();
  if (d < 0) {
    return Schreiber_.Gut();
  }
  // A device or a pipe is not synced: there is no disk to put the bytes on,
  // and a pass that stored nothing must not fail on /dev/full.
  if (Schreiber_.Leeren() && IstDatei(d) && Synchronisieren(d) != 0) {
    Schreiber_.Scheitern(errno);
  }
  if (::Schliessen(d) != 0) {
    Schreiber_.Scheitern(errno);
  }
  Schreiber_.Ziel(-1);
  return Schreiber_.Gut();
}
