// The writer's and the data file's system calls on POSIX. The data file is
// reached name by name from its folder, each folder and link held open, so
// that every link on the way is checked and nothing swapped behind the look
// is written.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <deque>
#include <string>
#include <utility>

#include "Plattform.hpp"

namespace plattform {

long Schreiben(int Deskriptor, const char* Text, std::size_t Anzahl) {
  return static_cast<long>(write(Deskriptor, Text, Anzahl));
}

int Warten(int Deskriptor) {
  pollfd Bereit{Deskriptor, POLLOUT, 0};
  return poll(&Bereit, 1, -1) < 0 ? errno : 0;
}

namespace {

constexpr int HoechstensVerweise = 40;  // as the kernel: more is ELOOP

// A descriptor of the walk (O_PATH: a place, not an open file), closed when
// replaced or gone.
class Stelle {
 public:
  explicit Stelle(int d = -1) : d_(d) {}
  Stelle(const Stelle&) = delete;
  Stelle& operator=(const Stelle&) = delete;
  ~Stelle() { Wechseln(-1); }
  void Wechseln(int d) {
    if (d_ >= 0) {
      close(d_);
    }
    d_ = d;
  }
  int Abgeben() { return std::exchange(d_, -1); }
  int d() const { return d_; }

 private:
  int d_;
};

// What the look found: Fehler (0, an errno or FremderWeg), else the last
// name in the folder held open, and what is there when anything is.
struct Blick {
  int Fehler = 0;
  std::string Name;
  bool Da = false;
  struct stat Info {};
};

// Puts the names of `Weg` in front of `Namen`, in order. An empty name or
// "." is no step; ".." is one, taken from the folder reached, as the kernel
// takes it.
void Voranstellen(const std::string& Weg, std::deque<std::string>& Namen) {
  std::deque<std::string> Neu;
  for (std::size_t a = 0, e = 0; a <= Weg.size(); a = e + 1) {
    e = Weg.find('/', a);
    e = e == std::string::npos ? Weg.size() : e;
    if (e > a && Weg.compare(a, e - a, ".") != 0) {
      Neu.push_back(Weg.substr(a, e - a));
    }
  }
  Namen.insert(Namen.begin(), Neu.begin(), Neu.end());
}

Kennung KennungAus(const struct stat& Info) {
  return {static_cast<std::uint64_t>(Info.st_dev),
          static_cast<std::uint64_t>(Info.st_ino)};
}

bool VomBenutzer(const struct stat& Info) {
  return Info.st_uid == geteuid() || Info.st_uid == 0;
}

// Follows the link held as `Verweis`: its target's names go first, and an
// absolute target starts again at "/". 0 or an errno.
int Folgen(int Verweis, Stelle& Ordner, std::deque<std::string>& Namen) {
  std::string Ziel(4096, '\0');  // PATH_MAX, the longest target there is
  const ssize_t n = readlinkat(Verweis, "", Ziel.data(), Ziel.size());
  if (n < 0 || static_cast<std::size_t>(n) >= Ziel.size()) {
    return n < 0 ? errno : ENAMETOOLONG;
  }
  Ziel.resize(static_cast<std::size_t>(n));
  if (Ziel[0] == '/') {
    Ordner.Wechseln(open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
  }
  Voranstellen(Ziel, Namen);
  return Namen.empty() ? EISDIR : 0;  // "/" or ".": a folder
}

// The walk from the file's folder (opened as any program opens it: the user
// chose it) to the file, one name at a time.
Blick Schauen(const char* Pfad, Stelle& Ordner) {
  const std::string p(Pfad);
  const std::size_t Schnitt = p.rfind('/');
  const std::string Anfang = Schnitt == std::string::npos ? "."
                             : Schnitt == 0               ? "/"
                                            : p.substr(0, Schnitt);
  Blick b;
  Ordner.Wechseln(open(Anfang.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  std::deque<std::string> Namen;
  Voranstellen(p.substr(Schnitt + 1), Namen);  // npos + 1: the whole path
  b.Fehler = Ordner.d() < 0 ? errno : Namen.empty() ? EISDIR : 0;
  for (int Verweise = 0; b.Fehler == 0 && !Namen.empty();) {
    b.Name = std::move(Namen.front());
    Namen.pop_front();
    Stelle Hier(
        openat(Ordner.d(), b.Name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    if (Hier.d() < 0 || fstat(Hier.d(), &b.Info) != 0) {
      b.Fehler = errno == ENOENT && Namen.empty() ? 0 : errno;
      break;
    }
    if (S_ISLNK(b.Info.st_mode)) {
      b.Fehler = !VomBenutzer(b.Info) ? FremderWeg
                 : ++Verweise > HoechstensVerweise
                     ? ELOOP
                     : Folgen(Hier.d(), Ordner, Namen);
    } else if (Namen.empty()) {
      b.Da = true;
    } else if (!S_ISDIR(b.Info.st_mode)) {
      b.Fehler = ENOTDIR;
    } else {
      Ordner.Wechseln(Hier.Abgeben());
    }
  }
  return b;
}

// The file the look found, or a new one where it found nothing, opened
// without following a link: FremderWeg when something else is there now.
Geoeffnet Nehmen(const Stelle& Ordner, const Blick& b) {
  const int d = openat(Ordner.d(), b.Name.c_str(),
                       O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY |
                           (b.Da ? 0 : O_CREAT | O_EXCL),
                       0666);
  if (d < 0) {
    return {-1, errno == ELOOP ? FremderWeg : errno};
  }
  struct stat Offen {};
  if (b.Da && (fstat(d, &Offen) != 0 ||
               !GleicheDatei(KennungAus(Offen), KennungAus(b.Info)))) {
    close(d);
    return {-1, FremderWeg};
  }
  return {d, 0};
}

}  // namespace

Geoeffnet Oeffnen(const char* Pfad, void (*NachDemBlick)()) {
  // EEXIST: another run made the file meanwhile; look again, once.
  for (int Blicke = 0; Blicke < 2; ++Blicke) {
    Stelle Ordner;
    const Blick b = Schauen(Pfad, Ordner);
    if (b.Fehler != 0) {
      return {-1, b.Fehler};
    }
    if (NachDemBlick != nullptr) {
      NachDemBlick();
    }
    const Geoeffnet g = Nehmen(Ordner, b);
    if (g.Fehler != EEXIST) {
      return g;
    }
  }
  return {-1, FremderWeg};
}

bool IstDatei(int Deskriptor) {
  struct stat Info {};
  return fstat(Deskriptor, &Info) == 0 && S_ISREG(Info.st_mode);
}

namespace {
std::optional<Kennung> Regulaer(int Ergebnis, const struct stat& Info) {
  if (Ergebnis != 0 || !S_ISREG(Info.st_mode)) {
    return std::nullopt;
  }
  return KennungAus(Info);
}
}  // namespace

std::optional<Kennung> DateiKennung(int Deskriptor) {
  struct stat Info {};
  return Regulaer(fstat(Deskriptor, &Info), Info);
}

std::optional<Kennung> DateiKennung(const char* Pfad) {
  struct stat Info {};
  return Regulaer(stat(Pfad, &Info), Info);
}

// flock, which programs use for whole files, and an open file description
// lock, which fcntl and lockf locks of other programs refuse.
const int Sperrarten = 2;

int Sperren(int Deskriptor, int Art) {
  if (Art == 0) {
    return flock(Deskriptor, LOCK_EX | LOCK_NB) == 0 ? 0 : errno;
  }
  struct flock Ganz {};  // from byte 0 to the end, whatever the end becomes
  Ganz.l_type = F_WRLCK;
  Ganz.l_whence = SEEK_SET;
  return fcntl(Deskriptor, F_OFD_SETLK, &Ganz) == 0 ? 0 : errno;
}

int Kuerzen(int Deskriptor) { return ftruncate(Deskriptor, 0); }
int Synchronisieren(int Deskriptor) { return fsync(Deskriptor); }
int Schliessen(int Deskriptor) { return close(Deskriptor); }

}  // namespace plattform
