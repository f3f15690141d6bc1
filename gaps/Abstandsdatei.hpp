// The raw gap file: one byte per reported prime, the gap modulo 256, no
// header and no separator. Each pass creates it anew.
#pragma once

#include <cstdint>

#include "Schreiber.hpp"

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
    Schreiber_.sputc(static_cast<char>(Abstand & 0xFFu));
  }

  // Writes out what is buffered, puts it on the disk (a regular file is
  // synced) and closes; false if any write, the sync or the close failed.
  // Closing a file that is not open succeeds.
  bool Schliessen();

  int Fehlernummer() const { return Schreiber_.Fehlernummer(); }

 private:
  Schreiber Schreiber_;  // its descriptor is the open file's, or -1
};
