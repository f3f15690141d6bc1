// The raw gap file: one byte per reported prime, the gap modulo 256, no
// header and no separator. Each pass creates it anew.
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>

// Where the gaps go. On systems without drive letters this is a relative
// path whose first folder is named "c:".
inline constexpr const char* Datenpfad = "c:/temp/PRIMraw8bit.dat";

class Abstandsdatei {
 public:
  Abstandsdatei() = default;
  Abstandsdatei(const Abstandsdatei&) = delete;
  Abstandsdatei& operator=(const Abstandsdatei&) = delete;
  ~Abstandsdatei() { Schliessen(); }

  // Creates or truncates the file in binary mode; never creates a folder.
  // On failure Fehlernummer() tells why.
  bool Oeffnen(const char* Pfad);

  // Stores the low byte of the gap. After the first failed write nothing more
  // is written, so the file holds an unbroken prefix of the pass's gaps.
  void Schreiben(std::uint32_t Abstand) {
    Puffer_[Fuellstand_++] = static_cast<char>(Abstand & 0xFFu);
    if (Fuellstand_ == sizeof Puffer_) {
      Leeren();
    }
  }

  // Writes what is buffered and closes; false if any write or the close
  // failed. Closing a file that is not open succeeds.
  bool Schliessen();

  int Fehlernummer() const { return Fehlernummer_; }

 private:
  void Leeren();
  void Scheitern();

  std::ofstream Strom_;
  char Puffer_[8192] = {};
  std::size_t Fuellstand_ = 0;
  int Fehlernummer_ = 0;  // the first failure's errno; 0 while all is well
};
