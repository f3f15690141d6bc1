// Standard output straight to its file descriptor.
#include "Standardausgabe.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstring>

Standardausgabe::Standardausgabe(int Deskriptor) : Deskriptor_(Deskriptor) {
  setp(Puffer_, Puffer_ + sizeof Puffer_);
}

Standardausgabe::~Standardausgabe() { Leeren(); }

Standardausgabe::int_type Standardausgabe::overflow(int_type Zeichen) {
  if (sync() != 0) {
    return traits_type::eof();
  }
  if (!traits_type::eq_int_type(Zeichen, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(Zeichen);
    pbump(1);
  }
  return traits_type::not_eof(Zeichen);
}

std::streamsize Standardausgabe::xsputn(const char* Text,
                                        std::streamsize Anzahl) {
  if (Anzahl <= epptr() - pptr()) {
    std::memcpy(pptr(), Text, static_cast<std::size_t>(Anzahl));
    pbump(static_cast<int>(Anzahl));
    return Anzahl;
  }
  if (sync() != 0 || !Schreiben(Text, static_cast<std::size_t>(Anzahl))) {
    return 0;
  }
  return Anzahl;
}

int Standardausgabe::sync() { return Leeren() ? 0 : -1; }

bool Standardausgabe::Leeren() {
  const auto Anzahl = static_cast<std::size_t>(pptr() - pbase());
  if (Anzahl == 0) {
    return true;
  }
  const bool Gut = Schreiben(pbase(), Anzahl);
  setp(Puffer_, Puffer_ + sizeof Puffer_);  // what failed is not retried
  return Gut;
}

bool Standardausgabe::Schreiben(const char* Text, std::size_t Anzahl) const {
  while (Anzahl > 0) {
    const ssize_t n = write(Deskriptor_, Text, Anzahl);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      return false;
    }
    Text += n;
    Anzahl -= static_cast<std::size_t>(n);
  }
  return true;
}
