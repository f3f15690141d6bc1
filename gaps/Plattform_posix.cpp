// The writer's and the data file's system calls on POSIX.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "Plattform.hpp"

namespace plattform {

long Schreiben(int Deskriptor, const char* Text, std::size_t Anzahl) {
  return static_cast<long>(write(Deskriptor, Text, Anzahl));
}

int Warten(int Deskriptor) {
  pollfd Bereit{Deskriptor, POLLOUT, 0};
  return poll(&Bereit, 1, -1) < 0 ? errno : 0;
}

int Oeffnen(const char* Pfad) {
  return open(Pfad, O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666);
}

bool IstDatei(int Deskriptor) {
  struct stat Info {};
  return fstat(Deskriptor, &Info) == 0 && S_ISREG(Info.st_mode);
}

bool Erlaubt(const char* Pfad, int Deskriptor) {
  struct stat Pfadziel {};
  if (lstat(Pfad, &Pfadziel) != 0) {
    return Deskriptor < 0;  // nothing there yet is fine before opening only
  }
  if (S_ISLNK(Pfadziel.st_mode)) {
    if (Pfadziel.st_uid != geteuid() && Pfadziel.st_uid != 0) {
      return false;
    }
    if (Deskriptor >= 0 && stat(Pfad, &Pfadziel) != 0) {
      return false;
    }
  }
  struct stat Offen {};
  return Deskriptor < 0 ||
         (fstat(Deskriptor, &Offen) == 0 && Offen.st_dev == Pfadziel.st_dev &&
          Offen.st_ino == Pfadziel.st_ino);
}

bool GleicheDatei(int a, int b) {
  struct stat x {};
  struct stat y {};
  return fstat(a, &x) == 0 && fstat(b, &y) == 0 && x.st_dev == y.st_dev &&
         x.st_ino == y.st_ino;
}

bool Sperren(int Deskriptor) {
  return flock(Deskriptor, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
}

int Kuerzen(int Deskriptor) { return ftruncate(Deskriptor, 0); }
int Synchronisieren(int Deskriptor) { return fsync(Deskriptor); }
int Schliessen(int Deskriptor) { return close(Deskriptor); }

}  // namespace plattform
