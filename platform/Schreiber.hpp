// Buffered output to one file descriptor: the discipline of both outputs, the
// listing on standard output and the raw gap file.
#pragma once

#include <cstddef>
#include <streambuf>

#include "Abbruchfrage.hpp"

// The first failure's errno is recorded where it happens, and nothing is
// written after it, so the file always holds an unbroken prefix of what was
// written: a write that stops partway is neither repeated nor skipped.
class Schreiber final : public std::streambuf {
 public:
  // The system call that writes: write(2), or _write on Windows, whose text
  // mode turns each newline into CR LF. Tests put in one that fails. A write
  // that waits ends with EINTR when a signal comes (Unterbrechung); on a
  // descriptor its owner made non-blocking, EAGAIN makes the writer wait.
  using Schreibfunktion = long (*)(int Deskriptor, const char* Text,
                                   std::size_t Anzahl);
  static long SystemSchreiben(int Deskriptor, const char* Text,
                              std::size_t Anzahl);

  explicit Schreiber(int Deskriptor = -1,
                     Schreibfunktion Funktion = SystemSchreiben);
  Schreiber(const Schreiber&) = delete;
  Schreiber& operator=(const Schreiber&) = delete;
  ~Schreiber() override { Leeren(); }

  // Where the bytes go from now on (a file opened after construction, or -1
  // once it is closed).
  void Ziel(int Deskriptor) { Deskriptor_ = Deskriptor; }
  int Ziel() const { return Deskriptor_; }

  // What the stop question's yes does. Sofort: nothing more is
  // written, not even the rest of a write cut short (standard output: a line
  // only partly shown counts as not shown). BeimWarten: what is buffered is
  // still written, but a write that would wait is given up (the data file:
  // a FIFO nobody reads).
  enum class Abbruch { Sofort, BeimWarten };
  void AbbruchBeachten(Abbruchfrage Frage, Abbruch Art) {
    Frage_ = Frage;
    Sofort_ = Art == Abbruch::Sofort;
  }

  // Writes all `Anzahl` bytes through `Funktion` by the writer's rules: a
  // write cut short goes on with the rest, EAGAIN waits for room, EINTR
  // writes on; once `Frage` says stop, EINTR or EAGAIN ends the write, and
  // with `Sofort` nothing more is written at all. 0 when all is
  // written, else why it stopped (an errno; EINTR for an interrupt).
  static int AllesSchreiben(Schreibfunktion Funktion, int Deskriptor,
                            const char* Text, std::size_t Anzahl,
                            Abbruchfrage Frage, bool Sofort);

  // Writes out what is buffered; false once anything failed.
  bool Leeren() { return sync() == 0; }
  bool Gut() const { return Fehlernummer_ == 0; }
  int Fehlernummer() const { return Fehlernummer_; }
  // Records a failure met outside the writes (opening, syncing, closing).
  void Scheitern(int Nummer);

 protected:
  int_type overflow(int_type Zeichen) override;
  std::streamsize xsputn(const char* Text, std::streamsize Anzahl) override;
  int sync() override;

 private:
  bool Ausgeben(const char* Text, std::size_t Anzahl);
  void Zuruecksetzen() { setp(Puffer_, Puffer_ + sizeof Puffer_); }

  int Deskriptor_;
  Schreibfunktion Funktion_;
  Abbruchfrage Frage_ = nullptr;
  bool Sofort_ = false;
  int Fehlernummer_ = 0;  // the first failure's errno; 0 while all is well
  char Puffer_[8192];
};
