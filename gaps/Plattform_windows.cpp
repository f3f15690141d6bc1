// The writer's and the data file's system calls on Windows.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstdlib>

#include "Plattform.hpp"

namespace plattform {

namespace {
HANDLE Griff(int d) { return reinterpret_cast<HANDLE>(_get_osfhandle(d)); }
}  // namespace

long Schreiben(int Deskriptor, const char* Text, std::size_t Anzahl) {
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

// Descriptors there wait in the write itself and never say EAGAIN.
int Warten(int /*Deskriptor*/) { return EAGAIN; }

int Oeffnen(const char* Pfad) {
  return _open(Pfad, _O_WRONLY | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
}

bool IstDatei(int d) { return GetFileType(Griff(d)) == FILE_TYPE_DISK; }

// Links need a privilege there; the path is taken as it is.
bool Erlaubt(const char* /*Pfad*/, int /*Deskriptor*/) { return true; }

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

// A refusal is ERROR_LOCK_VIOLATION; anything else means no lock to be had.
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

}  // namespace plattform
