// The writer's, the reader's and the data file's system calls on Linux. The
// data file is reached name by name from its folder, each folder and link
// held open, so that every link on the way is checked and nothing swapped
// behind the look is written.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <deque>
#include <string>
#include <utility>

#include "Plattform.hpp"
#include "Prozessdateisystem.hpp"

namespace plattform {

namespace {

// Fails the call with the seam's errno, or makes it: -1 and errno on failure.
template <class Aufrufen>
auto DurchDieNaht(Aufruf Art, Aufrufen Tun) -> decltype(Tun()) {
  if (const int f = Vorher(Art)) {
    errno = f;
    return -1;
  }
  return Tun();
}

// 0 or the errno of a call that returns -1 on failure.
int Fehlernummer(long Ergebnis) { return Ergebnis < 0 ? errno : 0; }

}  // namespace

long Schreiben(int Deskriptor, const char* Text, std::size_t Anzahl) {
  return DurchDieNaht(Aufruf::Schreiben, [&] {
    return static_cast<long>(write(Deskriptor, Text, Anzahl));
  });
}

long Lesen(int Deskriptor, char* Text, std::size_t Anzahl) {
  return DurchDieNaht(Aufruf::Lesen, [&] {
    return static_cast<long>(read(Deskriptor, Text, Anzahl));
  });
}

int Warten(int Deskriptor, bool Schreibend) {
  pollfd Bereit{Deskriptor, static_cast<short>(Schreibend ? POLLOUT : POLLIN),
                0};
  return Fehlernummer(
      DurchDieNaht(Aufruf::Warten, [&] { return poll(&Bereit, 1, -1); }));
}

int Schliessen(int Deskriptor) {
  const int f = Vorher(Aufruf::Schliessen);
  const int n = Fehlernummer(close(Deskriptor));
  return f != 0 ? f : n;
}

namespace {

constexpr int HoechstensVerweise = 40;  // as the kernel: more is ELOOP

// A descriptor the walk holds (O_PATH: a place, not an open file), closed
// when replaced or gone. Such a close has nothing to lose: it is not looked
// at.
class Ortsdeskriptor {
 public:
  explicit Ortsdeskriptor(int d = -1) : d_(d) {}
  Ortsdeskriptor(const Ortsdeskriptor&) = delete;
  Ortsdeskriptor& operator=(const Ortsdeskriptor&) = delete;
  ~Ortsdeskriptor() { Wechseln(-1); }
  void Wechseln(int d) {
    if (d_ >= 0) {
      DurchDieNaht(Aufruf::Loslassen, [this] { return close(d_); });
    }
    d_ = d;
  }
  int Abgeben() { return std::exchange(d_, -1); }
  int d() const { return d_; }

 private:
  int d_;
};

// One name of the way; `Ordner`: a slash followed it, so it must be a
// folder (and, as the last name, cannot be a file that is made or opened).
struct Wegname {
  std::string Name;
  bool Ordner = false;
};

// What the walk found: Fehler (0, an errno or FremderVerweis), else the last
// name in the folder held open, whether something is there and its status,
// and whether it is a link of the process file system, to be opened as the
// kernel follows it.
struct Befund {
  int Fehler = 0;
  std::string Name;
  bool Vorhanden = false;
  bool ProzessVerweis = false;
  struct stat Info {};
};

// Puts the names of `Weg` in front of `Restweg`, in order. An empty name is
// no step; "." and ".." are, taken from the folder reached, as the kernel
// takes them. A slash at the end marks the last name as a folder.
void NamenVoranstellen(const std::string& Weg, std::deque<Wegname>& Restweg) {
  std::deque<Wegname> Neu;
  for (std::size_t a = 0, e = 0; a <= Weg.size(); a = e + 1) {
    e = Weg.find('/', a);
    e = e == std::string::npos ? Weg.size() : e;
    if (e > a) {
      Neu.push_back({Weg.substr(a, e - a), e < Weg.size()});
    }
  }
  Restweg.insert(Restweg.begin(), Neu.begin(), Neu.end());
}

Kennung KennungAus(const struct stat& Info) {
  return {static_cast<std::uint64_t>(Info.st_dev),
          static_cast<std::uint64_t>(Info.st_ino)};
}

bool VomBenutzer(const struct stat& Info) {
  return Info.st_uid == geteuid() || Info.st_uid == 0;
}

int Nachsehen(int Ordner, const char* Name) {
  return DurchDieNaht(Aufruf::Nachsehen, [&] {
    return openat(Ordner, Name, O_PATH | O_NOFOLLOW | O_CLOEXEC);
  });
}

int Status(int d, struct stat* Info) {
  return Fehlernummer(
      DurchDieNaht(Aufruf::Status, [&] { return fstat(d, Info); }));
}

// Follows the link held as `Verweis`, met as `Wo`: its target's names go
// first, and an absolute target starts again at "/". 0 or an errno.
int VerweisFolgen(int Verweis, const Wegname& Wo, Ortsdeskriptor& Ordner,
                  std::deque<Wegname>& Restweg) {
  std::string Ziel(4096, '\0');  // PATH_MAX, the longest target there is
  const ssize_t n = DurchDieNaht(Aufruf::VerweisLesen, [&] {
    return readlinkat(Verweis, "", Ziel.data(), Ziel.size());
  });
  if (n <= 0 || static_cast<std::size_t>(n) >= Ziel.size()) {
    return n < 0 ? errno : n == 0 ? ENOENT : ENAMETOOLONG;
  }
  Ziel.resize(static_cast<std::size_t>(n));
  if (Ziel[0] == '/') {
    Ordner.Wechseln(Nachsehen(AT_FDCWD, "/"));
    if (Ordner.d() < 0) {
      return errno;
    }
  }
  const std::size_t Bisher = Restweg.size();
  NamenVoranstellen(Ziel, Restweg);
  if (Restweg.size() == Bisher) {
    return EISDIR;  // "/": a folder
  }
  Restweg[Restweg.size() - Bisher - 1].Ordner |= Wo.Ordner;
  return 0;
}

// The link `Verweis` was met as `Wo`: one of the process file
// system's, as the last name, is opened as the kernel follows it (never made
// from its text); any other is followed.
int AmVerweis(int Verweis, const Wegname& Wo, Ortsdeskriptor& Ordner,
              std::deque<Wegname>& Restweg, Befund& b) {
  bool Prozess = false;
  if (const int f = ImProzessdateisystem(Verweis, &Prozess)) {
    return f;
  }
  if (!Prozess || !Restweg.empty()) {
    return VerweisFolgen(Verweis, Wo, Ordner, Restweg);
  }
  b.ProzessVerweis = true;
  b.Vorhanden = true;
  return Fehlernummer(DurchDieNaht(Aufruf::Status, [&] {
    return fstatat(Ordner.d(), b.Name.c_str(), &b.Info, 0);
  }));
}

// One step of the walk: `Wo`, in the folder held. 0 and on, or why not.
int SchrittGehen(const Wegname& Wo, Ortsdeskriptor& Ordner,
                 std::deque<Wegname>& Restweg, int& Verweise, Befund& b) {
  b.Name = Wo.Name;
  Ortsdeskriptor Hier(Nachsehen(Ordner.d(), Wo.Name.c_str()));
  if (Hier.d() < 0) {
    const int f = errno;
    return f == ENOENT && Restweg.empty() ? (Wo.Ordner ? EISDIR : 0) : f;
  }
  if (const int f = Status(Hier.d(), &b.Info)) {
    return f;
  }
  if (S_ISLNK(b.Info.st_mode)) {
    return !VomBenutzer(b.Info) ? FremderVerweis
           : ++Verweise > HoechstensVerweise
               ? ELOOP
               : AmVerweis(Hier.d(), Wo, Ordner, Restweg, b);
  }
  if (Restweg.empty()) {
    b.Vorhanden = true;
    return Wo.Ordner ? EISDIR : 0;  // as an open that may create says
  }
  if (!S_ISDIR(b.Info.st_mode)) {
    return ENOTDIR;
  }
  Ordner.Wechseln(Hier.Abgeben());
  return 0;
}

// The walk from the file's folder (opened as any program opens it: the user
// chose it) to the file, one name at a time.
Befund ZurDateiGehen(const char* Pfad, Ortsdeskriptor& Ordner) {
  const std::string p(Pfad);
  const std::size_t Schnitt = p.rfind('/');
  const std::string Anfang = Schnitt == std::string::npos ? "."
                             : Schnitt == 0               ? "/"
                                            : p.substr(0, Schnitt);
  Befund b;
  Ordner.Wechseln(DurchDieNaht(Aufruf::Nachsehen, [&] {
    return open(Anfang.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  }));
  std::deque<Wegname> Restweg;
  NamenVoranstellen(p.substr(Schnitt + 1), Restweg);  // npos + 1: all of it
  b.Fehler = Ordner.d() < 0 ? errno : Restweg.empty() ? EISDIR : 0;
  for (int Verweise = 0; b.Fehler == 0 && !b.Vorhanden && !Restweg.empty();) {
    const Wegname Wo = std::move(Restweg.front());
    Restweg.pop_front();
    b.Fehler = SchrittGehen(Wo, Ordner, Restweg, Verweise, b);
  }
  return b;
}

// The file the walk found, or a new one where it found nothing, opened
// without following a link (but a link of the process file system):
// FremderVerweis when something else is there now.
Geoeffnet BefundOeffnen(const Ortsdeskriptor& Ordner, const Befund& b) {
  const int d = DurchDieNaht(Aufruf::Oeffnen, [&] {
    return openat(Ordner.d(), b.Name.c_str(),
                  O_WRONLY | O_CLOEXEC | O_NOCTTY |
                      (b.ProzessVerweis ? 0 : O_NOFOLLOW) |
                      (b.Vorhanden ? 0 : O_CREAT | O_EXCL),
                  0666);
  });
  if (d < 0) {
    return {-1, errno == ELOOP && !b.ProzessVerweis ? FremderVerweis : errno};
  }
  struct stat Offen {};
  if (b.Vorhanden) {
    const int f = Status(d, &Offen);
    if (f != 0 || !GleicheDatei(KennungAus(Offen), KennungAus(b.Info))) {
      Schliessen(d);
      return {-1, f != 0 ? f : FremderVerweis};
    }
  }
  return {d, 0};
}

}  // namespace

Geoeffnet Oeffnen(const char* Pfad) {
  // EEXIST: another run made the file meanwhile; look again, once.
  for (int Blicke = 0; Blicke < 2; ++Blicke) {
    Ortsdeskriptor Ordner;
    const Befund b = ZurDateiGehen(Pfad, Ordner);
    if (b.Fehler != 0) {
      return {-1, b.Fehler};
    }
    const Geoeffnet g = BefundOeffnen(Ordner, b);
    if (g.Fehler != EEXIST) {
      return g;
    }
  }
  return {-1, FremderVerweis};
}

namespace {
Art ArtAus(int Fehler, const struct stat& Info) {
  if (Fehler != 0) {
    return {Fehler, false, {}, false};
  }
  return {0, S_ISREG(Info.st_mode), KennungAus(Info), S_ISDIR(Info.st_mode)};
}

// stat, through the seam as a call of kind `Wofuer`.
Art PfadBeschreiben(const char* Pfad, Aufruf Wofuer) {
  struct stat Info {};
  return ArtAus(
      Fehlernummer(DurchDieNaht(Wofuer, [&] { return stat(Pfad, &Info); })),
      Info);
}
}  // namespace

Art Beschreiben(int Deskriptor) {
  struct stat Info {};
  return ArtAus(Status(Deskriptor, &Info), Info);
}

Art Beschreiben(const char* Pfad) {
  return PfadBeschreiben(Pfad, Aufruf::Status);
}

Art Ansehen(const char* Pfad) { return PfadBeschreiben(Pfad, Aufruf::Hinweis); }

// The working folder before the path, as std::filesystem::absolute puts it.
std::string Absolut(const char* Pfad) {
  if (Pfad[0] == '/') {
    return Pfad;
  }
  if (Vorher(Aufruf::Hinweis) != 0) {
    return {};
  }
  char* const Hier = getcwd(nullptr, 0);  // as long as it is
  if (Hier == nullptr) {
    return {};
  }
  std::string Ganz = Hier;
  std::free(Hier);
  if (Ganz.empty() || Ganz.back() != '/') {
    Ganz += '/';
  }
  return Ganz + Pfad;
}

int Sperren(int Deskriptor, Sperre Art) {
  return Fehlernummer(DurchDieNaht(Aufruf::Sperren, [&] {
    if (Art == Sperre::Datei) {
      return flock(Deskriptor, LOCK_EX | LOCK_NB);
    }
    struct flock Ganz {};  // from byte 0 to the end, whatever the end becomes
    Ganz.l_type = F_WRLCK;
    Ganz.l_whence = SEEK_SET;
    return fcntl(Deskriptor, F_OFD_SETLK, &Ganz);
  }));
}

int Kuerzen(int Deskriptor) {
  return Fehlernummer(
      DurchDieNaht(Aufruf::Kuerzen, [&] { return ftruncate(Deskriptor, 0); }));
}

int Synchronisieren(int Deskriptor) {
  return Fehlernummer(
      DurchDieNaht(Aufruf::Synchronisieren, [&] { return fsync(Deskriptor); }));
}

}  // namespace plattform
