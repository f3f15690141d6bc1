// Standard input through our own read.
#include "Leser.hpp"

#include <cerrno>

#include "Plattform.hpp"

Leser::int_type Leser::underflow() {
  while (Fehlernummer_ == 0) {
    const long n = plattform::Lesen(Deskriptor_, Puffer_, sizeof Puffer_);
    if (n > 0) {
      setg(Puffer_, Puffer_, Puffer_ + n);
      return traits_type::to_int_type(Puffer_[0]);
    }
    if (n == 0) {
      break;  // the end of the input
    }
    const int f = errno;
    const bool Unterbrochen = Abbrechen(Frage_);
    if (f == EAGAIN && !Unterbrochen) {
      Fehlernummer_ = plattform::Warten(Deskriptor_, false);
      Fehlernummer_ = Fehlernummer_ == EINTR ? 0 : Fehlernummer_;
    } else if (f != EINTR || Unterbrochen) {
      Fehlernummer_ = f != 0 ? f : EIO;
    }
  }
  return traits_type::eof();
}
