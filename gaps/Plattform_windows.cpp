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

// Links need a privilege there; the path is opened as it is.
Geoeffnet Oeffnen(const char* Pfad, void (* /*NachDemBlick*/)()) {
  const int d =
      _open(Pfad, _O_WRONLY | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
  return {d, d < 0 ? errno : 0};
}

bool IstDatei(int d) { return GetFileType(Griff(d)) == FILE_TYPE_DISK; }

namespace {
// _fstat reports inode 0 there: the volume and the file index tell.
std::optional<Kennung> KennungVon(HANDLE h) {
  BY_HANDLE_FILE_INFORMATION i{};
  if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &i)) {
    return std::nullopt;
  }
  return Kennung{i.dwVolumeSerialNumber,
                 (std::uint64_t{i.nFileIndexHigh} << 32) | i.nFileIndexLow};
}
}  // namespace

std::optional<Kennung> DateiKennung(int d) { return KennungVon(Griff(d)); }

std::optional<Kennung> DateiKennung(const char* Pfad) {
  const HANDLE h = CreateFileA(
      Pfad, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    return std::nullopt;
  }
  const std::optional<Kennung> k = KennungVon(h);
  CloseHandle(h);
  return k;
}

const int Sperrarten = 1;

// A refusal is ERROR_LOCK_VIOLATION; anything else means no lock to be had.
int Sperren(int d, int /*Art*/) {
  OVERLAPPED Ort{};
  if (LockFileEx(Griff(d), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY,
                 0, MAXDWORD, MAXDWORD, &Ort)) {
    return 0;
  }
  return GetLastError() == ERROR_LOCK_VIOLATION ? EAGAIN : ENOLCK;
}

int Kuerzen(int d) { return _chsize(d, 0); }
int Synchronisieren(int d) { return _commit(d); }  // FlushFileBuffers

int Schliessen(int d) {
  OVERLAPPED Ort{};
  UnlockFileEx(Griff(d), 0, MAXDWORD, MAXDWORD, &Ort);  // at once, not later
  return _close(d);
}

}  // namespace plattform
