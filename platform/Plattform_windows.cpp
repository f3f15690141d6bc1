// The writer's, the reader's and the data file's system calls on Windows.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstdlib>

#include "Plattform.hpp"

namespace plattform {

namespace {

HANDLE WindowsHandle(int d) {
  return reinterpret_cast<HANDLE>(_get_osfhandle(d));
}

// The errno of the last Windows call that failed.
int LetzterFehler() {
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
      return EACCES;
    case ERROR_INVALID_HANDLE:
      return EBADF;
    case ERROR_OPERATION_ABORTED:
      return EINTR;
    default:
      return EIO;
  }
}

}  // namespace

long Schreiben(int Deskriptor, const char* Text, std::size_t Anzahl) {
  if (const int f = Vorher(Aufruf::Schreiben)) {
    errno = f;
    return -1;
  }
  constexpr std::size_t Hoechstens = 1u << 30;
  const int n =
      _write(Deskriptor, Text,
             static_cast<unsigned>(Anzahl < Hoechstens ? Anzahl : Hoechstens));
  // The C runtime reports a write that CancelSynchronousIo ended as EINVAL.
  if (n < 0 && _doserrno == ERROR_OPERATION_ABORTED) {
    errno = EINTR;
  }
  return n;
}

long Lesen(int Deskriptor, char* Text, std::size_t Anzahl) {
  if (const int f = Vorher(Aufruf::Lesen)) {
    errno = f;
    return -1;
  }
  constexpr std::size_t Hoechstens = 1u << 30;
  return _read(
      Deskriptor, Text,
      static_cast<unsigned>(Anzahl < Hoechstens ? Anzahl : Hoechstens));
}

// Descriptors there wait in the call itself and never say EAGAIN.
int Warten(int /*Deskriptor*/, bool /*Schreibend*/) {
  const int f = Vorher(Aufruf::Warten);
  return f != 0 ? f : EAGAIN;
}

// Links need a privilege there; the path is opened as it is.
Geoeffnet Oeffnen(const char* Pfad) {
  if (const int f = Vorher(Aufruf::Oeffnen)) {
    return {-1, f};
  }
  const int d =
      _open(Pfad, _O_WRONLY | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
  return {d, d < 0 ? errno : 0};
}

namespace {
// _fstat reports inode 0 there: the volume and the file index tell.
Art ArtDesHandles(HANDLE h) {
  if (h == INVALID_HANDLE_VALUE) {
    return {EBADF, false, {}, false};
  }
  SetLastError(NO_ERROR);
  if (GetFileType(h) != FILE_TYPE_DISK) {
    return {GetLastError() == NO_ERROR ? 0 : LetzterFehler(), false, {}, false};
  }
  BY_HANDLE_FILE_INFORMATION i{};
  if (!GetFileInformationByHandle(h, &i)) {
    return {LetzterFehler(), false, {}, false};
  }
  const bool Ordner = (i.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  return {0, !Ordner,
          Kennung{i.dwVolumeSerialNumber,
                  (std::uint64_t{i.nFileIndexHigh} << 32) | i.nFileIndexLow},
          Ordner};
}

// The path opened for a look only (a folder too), as a call of kind `Wofuer`.
Art PfadBeschreiben(const char* Pfad, Aufruf Wofuer) {
  if (const int f = Vorher(Wofuer)) {
    return {f, false, {}, false};
  }
  const HANDLE h = CreateFileA(
      Pfad, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    return {LetzterFehler(), false, {}, false};
  }
  const Art a = ArtDesHandles(h);
  CloseHandle(h);
  return a;
}
}  // namespace

Art Beschreiben(int d) {
  if (const int f = Vorher(Aufruf::Status)) {
    return {f, false, {}, false};
  }
  return ArtDesHandles(WindowsHandle(d));
}

Art Beschreiben(const char* Pfad) {
  return PfadBeschreiben(Pfad, Aufruf::Status);
}

Art Ansehen(const char* Pfad) { return PfadBeschreiben(Pfad, Aufruf::Hinweis); }

// As std::filesystem::absolute makes it (GetFullPathName).
std::string Absolut(const char* Pfad) {
  if (Vorher(Aufruf::Hinweis) != 0) {
    return {};
  }
  char* const Ganz = _fullpath(nullptr, Pfad, 0);
  if (Ganz == nullptr) {
    return {};
  }
  const std::string a = Ganz;
  std::free(Ganz);
  return a;
}

// A refusal is ERROR_LOCK_VIOLATION; anything else means no lock to be had.
int Sperren(int d, Sperre Art) {
  if (Art != Sperre::Datei) {
    return ENOLCK;  // no range locks of another kind here
  }
  if (const int f = Vorher(Aufruf::Sperren)) {
    return f;
  }
  OVERLAPPED Bereich{};
  if (LockFileEx(WindowsHandle(d),
                 LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                 MAXDWORD, MAXDWORD, &Bereich)) {
    return 0;
  }
  return GetLastError() == ERROR_LOCK_VIOLATION ? EAGAIN : ENOLCK;
}

int Kuerzen(int d) {
  if (const int f = Vorher(Aufruf::Kuerzen)) {
    return f;
  }
  return _chsize(d, 0) == 0 ? 0 : errno;
}

int Synchronisieren(int d) {  // FlushFileBuffers
  if (const int f = Vorher(Aufruf::Synchronisieren)) {
    return f;
  }
  return _commit(d) == 0 ? 0 : errno;
}

int Schliessen(int d) {
  const int f = Vorher(Aufruf::Schliessen);
  OVERLAPPED Bereich{};
  UnlockFileEx(WindowsHandle(d), 0, MAXDWORD, MAXDWORD,
               &Bereich);  // at once, not later
  const int n = _close(d) == 0 ? 0 : errno;
  return f != 0 ? f : n;
}

}  // namespace plattform
