// The raw gap file.
#include "Abstandsdatei.hpp"

#include <cerrno>
#include <ios>

bool Abstandsdatei::Oeffnen(const char* Pfad) {
  // The stream itself stays unbuffered: our own buffer is handed over whole,
  // so a failed write is never retried later and never repeats bytes.
  Strom_.rdbuf()->pubsetbuf(nullptr, 0);
  errno = 0;
  Strom_.open(Pfad, std::ios::out | std::ios::binary | std::ios::trunc);
  if (!Strom_.is_open()) {
    Scheitern();
    return false;
  }
  return true;
}

bool Abstandsdatei::Schliessen() {
  if (!Strom_.is_open()) {
    return Fehlernummer_ == 0;
  }
  Leeren();
  errno = 0;
  Strom_.close();
  if (Strom_.fail() && Fehlernummer_ == 0) {
    Scheitern();
  }
  return Fehlernummer_ == 0;
}

void Abstandsdatei::Leeren() {
  if (Fehlernummer_ == 0 && Fuellstand_ > 0) {
    errno = 0;
    Strom_.write(Puffer_, static_cast<std::streamsize>(Fuellstand_));
    if (Strom_.fail()) {
      Scheitern();
    }
  }
  Fuellstand_ = 0;
}

void Abstandsdatei::Scheitern() {
  // A failure that left no reason in errno is still an input/output error.
  Fehlernummer_ = errno != 0 ? errno : EIO;
}
