// Buffered output to one file descriptor that stops at its first failure.
#include "Schreiber.hpp"

#include <cerrno>
#include <cstring>

#include "Plattform.hpp"

long Schreiber::SystemSchreiben(int Deskriptor, const char* Text,
                                std::size_t Anzahl) {
  return plattform::Schreiben(Deskriptor, Text, Anzahl);
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
                                          Frage_, Sofort_)) {
      Scheitern(Fehler);
    }
  }
  return Gut();
}

int Schreiber::AllesSchreiben(Schreibfunktion Funktion, int Deskriptor,
                              const char* Text, std::size_t Anzahl,
                              Abbruchfrage Frage, bool Sofort) {
  while (Anzahl > 0) {
    if (Sofort && Abbrechen(Frage)) {
      return EINTR;
    }
    const long n = Funktion(Deskriptor, Text, Anzahl);
    const int Fehler = n < 0 ? errno : EIO;  // a write of nothing: EIO
    if (n > 0) {
      Text += n;
      Anzahl -= static_cast<std::size_t>(n);
    } else if ((Fehler == EINTR || Fehler == EAGAIN) && Abbrechen(Frage)) {
      return EINTR;  // an interrupt ends a write, or a wait, for good
    } else if (Fehler == EAGAIN) {
      if (const int w = plattform::Warten(Deskriptor, true);
          w != 0 && w != EINTR) {
        return w;
      }
    } else if (Fehler != EINTR) {
      return Fehler != 0 ? Fehler : EIO;
    }
  }
  return 0;
}
