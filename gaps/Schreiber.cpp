// Buffered output to one file descriptor that stops at its first failure.
#include "Schreiber.hpp"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <poll.h>
#include <unistd.h>
#endif

long Schreiber::SystemSchreiben(int Deskriptor, const char* Text,
                                std::size_t Anzahl) {
#ifdef _WIN32
  constexpr std::size_t Hoechstens = 1u << 30;
  return _write(
      Deskriptor, Text,
      static_cast<unsigned>(Anzahl < Hoechstens ? Anzahl : Hoechstens));
#else
  return static_cast<long>(write(Deskriptor, Text, Anzahl));
#endif
}

Schreiber::Schreiber(int Deskriptor, Schreibfunktion Funktion)
    : Deskriptor_(Deskriptor), Funktion_(Funktion) {
  Zuruecksetzen();
}

void Schreiber::Scheitern(int Nummer) {
  if (Fehlernummer_ == 0) {
    // A failure that left no reason is still an input/output error.
    Fehlernummer_ = Nummer != 0 ? Nummer : EIO;
  }
}

Schreiber::int_type Schreiber::overflow(int_type Zeichen) {
  if (sync() != 0) {
    return traits_type::eof();
  }
  if (!traits_type::eq_int_type(Zeichen, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(Zeichen);
    pbump(1);
  }
  return traits_type::not_eof(Zeichen);
}

std::streamsize Schreiber::xsputn(const char* Text, std::streamsize Anzahl) {
  if (Anzahl <= epptr() - pptr()) {
    std::memcpy(pptr(), Text, static_cast<std::size_t>(Anzahl));
    pbump(static_cast<int>(Anzahl));
    return Anzahl;
  }
  if (sync() != 0 || !Ausgeben(Text, static_cast<std::size_t>(Anzahl))) {
    return 0;
  }
  return Anzahl;
}

int Schreiber::sync() {
  const auto Anzahl = static_cast<std::size_t>(pptr() - pbase());
  const bool Erfolg = Anzahl == 0 ? Gut() : Ausgeben(pbase(), Anzahl);
  Zuruecksetzen();  // what failed is dropped, never retried
  return Erfolg ? 0 : -1;
}

bool Schreiber::Ausgeben(const char* Text, std::size_t Anzahl) {
  if (Gut()) {
    if (const int Fehler = AllesSchreiben(Funktion_, Deskriptor_, Text, Anzahl,
                                          Anfrage_, Sofort_)) {
      Scheitern(Fehler);
    }
  }
  return Gut();
}

int Schreiber::AllesSchreiben(Schreibfunktion Funktion, int Deskriptor,
                              const char* Text, std::size_t Anzahl,
                              const volatile std::sig_atomic_t* Anfrage,
                              bool Sofort) {
  const auto Abgebrochen = [Anfrage] {
    return Anfrage != nullptr && *Anfrage != 0;
  };
  while (Anzahl > 0) {
    if (Sofort && Abgebrochen()) {
      return EINTR;
    }
    const long n = Funktion(Deskriptor, Text, Anzahl);
    if (n > 0) {
      Text += n;
      Anzahl -= static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EAGAIN) {
      if (!Warten(Deskriptor, Anfrage)) {
        return errno;
      }
    } else if (n < 0 && errno == EINTR && !Abgebrochen()) {
      continue;  // a signal that asks for no stop: write on
    } else {
      return n < 0 && errno != 0 ? errno : EIO;  // a write of nothing: EIO
    }
  }
  return 0;
}

bool Schreiber::Warten(int Deskriptor,
                       const volatile std::sig_atomic_t* Anfrage) {
#ifdef _WIN32
  // Descriptors there wait in the write itself and never say EAGAIN.
  static_cast<void>(Deskriptor);
  static_cast<void>(Anfrage);
  errno = EAGAIN;
  return false;
#else
  // Every signal is held from the look at *Anfrage until ppoll lets them in,
  // atomically: one that comes in between wakes the wait instead of being
  // lost before it.
  sigset_t Alle;
  sigset_t Vorher;
  sigfillset(&Alle);
  sigprocmask(SIG_BLOCK, &Alle, &Vorher);
  int Fehler = 0;
  if (Anfrage != nullptr && *Anfrage != 0) {
    Fehler = EINTR;
  } else {
    pollfd Bereit{Deskriptor, POLLOUT, 0};
    if (ppoll(&Bereit, 1, nullptr, &Vorher) < 0 && errno != EINTR) {
      Fehler = errno;
    }
  }
  sigprocmask(SIG_SETMASK, &Vorher, nullptr);
  errno = Fehler;
  return Fehler == 0;  // after a signal the caller looks at *Anfrage again
#endif
}

int Fehlernummer(const std::ostream& aus) {
  const auto* s = dynamic_cast<const Schreiber*>(aus.rdbuf());
  return s != nullptr && s->Fehlernummer() != 0 ? s->Fehlernummer() : EIO;
}

int Deskriptor(const std::ostream& aus) {
  const auto* s = dynamic_cast<const Schreiber*>(aus.rdbuf());
  return s != nullptr ? s->Ziel() : -1;
}
