// The raw gap file: one byte per reported prime, the gap modulo 256, no
// header and no separator. Each pass creates it anew.
#pragma once

#include <cstdint>

#include "platform/Schreiber.hpp"

// How opening went. Every outcome but Offen leaves the file as it was.
enum class Oeffnung {
  Offen,
  Gescheitert,          // Fehlernummer() tells why
  Gesperrt,             // another program holds a lock on the file
  FremderVerweis,       // another user's link on the way, or swapped meanwhile
  IstDieAusgabe,        // the very file standard output goes to
  IstDieFehlerausgabe,  // the very file standard error goes to
};

class Abstandsdatei {
 public:
  // A write that would wait (a FIFO nobody reads) is given up once `Frage`
  // says stop; what is buffered is still written at the close. Until then a
  // call that a signal cut short (EINTR) is made again.
  explicit Abstandsdatei(Abbruchfrage Frage = nullptr) : Frage_(Frage) {
    Schreiber_.AbbruchBeachten(Frage, Schreiber::Abbruch::BeimWarten);
  }
  Abstandsdatei(const Abstandsdatei&) = delete;
  Abstandsdatei& operator=(const Abstandsdatei&) = delete;
  ~Abstandsdatei() { Schliessen(); }

  // Opens the file for writing in binary mode; never creates a folder. A
  // regular file is truncated only once this pass holds its locks, and only
  // when it is not the file that `Ausgabe` or `Fehlerausgabe` (standard
  // output's and error's descriptors, or -1) write to. Every link on the way
  // from the file's folder on must be the user's or root's. A device or a
  // FIFO is opened as it is. A look that fails (the file's kind, its
  // identity) fails the open.
  Oeffnung Oeffnen(const char* Pfad, int Ausgabe = -1, int Fehlerausgabe = -1);

  // Before anything is written to `Ausgabe`: `Ja` when it writes to the
  // regular file at `Pfad`, by any path; Gescheitert (errno in *Fehler) when
  // that cannot be told; else Offen. No file at the path, or none that may
  // be looked at, is an answer: the pass says the rest.
  static Oeffnung AusgabePruefen(const char* Pfad, int Ausgabe, int* Fehler,
                                 Oeffnung Ja);

  // Stores the low byte of the gap. After the first failed write nothing more
  // is written, so the file holds an unbroken prefix of the pass's gaps.
  void Schreiben(std::uint32_t Abstand) {
    Schreiber_.sputc(static_cast<char>(Abstand & 0xFFu));
  }

  // Writes out what is buffered, puts it on the disk (a regular file is
  // synced) and closes, which ends the lock; false if any write, the sync or
  // the close failed. Closing a file that is not open succeeds.
  bool Schliessen();

  int Fehlernummer() const { return Schreiber_.Fehlernummer(); }

 private:
  Oeffnung Pruefen(int d, int Ausgabe, int Fehlerausgabe);
  Oeffnung Sperren(int d);
  template <class Aufrufen>
  int Wiederholt(Aufrufen Tun) const;

  Abbruchfrage Frage_;
  bool Regulaer_ = false;  // the open file is a regular one: synced
  Schreiber Schreiber_;    // its descriptor is the open file's, or -1
};
