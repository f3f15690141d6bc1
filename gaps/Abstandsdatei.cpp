// The raw gap file.
#include "Abstandsdatei.hpp"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
int Oeffnen(const char* Pfad) {
  return _open(Pfad, _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY,
               _S_IREAD | _S_IWRITE);
}
bool IstDatei(int d) {
  struct _stat Info {};
  return _fstat(d, &Info) == 0 && (Info.st_mode & _S_IFMT) == _S_IFREG;
}
int Synchronisieren(int d) { return _commit(d); }  // FlushFileBuffers
int Schliessen(int d) { return _close(d); }
#else
int Oeffnen(const char* Pfad) {
  return open(Pfad, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}
bool IstDatei(int d) {
  struct stat Info {};
  return fstat(d, &Info) == 0 && S_ISREG(Info.st_mode);
}
int Synchronisieren(int d) { return fsync(d); }
int Schliessen(int d) { return close(d); }
#endif

}  // namespace

bool Abstandsdatei::Oeffnen(const char* Pfad) {
  const int d = ::Oeffnen(Pfad);
  if (d < 0) {
    Schreiber_.Scheitern(errno);
    return false;
  }
  Schreiber_.Ziel(d);
  return true;
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
