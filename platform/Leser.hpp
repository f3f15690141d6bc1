// Standard input through our own read: the formatted extraction stays the
// standard one, and a read that fails is told apart from the end of input.
#pragma once

#include <streambuf>

#include "Abbruchfrage.hpp"

class Leser final : public std::streambuf {
 public:
  // Reads `Deskriptor`. A read that a signal cut short is made again until
  // `Frage` says stop; on a descriptor its owner made non-blocking, EAGAIN
  // waits for input.
  explicit Leser(int Deskriptor, Abbruchfrage Frage = nullptr)
      : Deskriptor_(Deskriptor), Frage_(Frage) {}
  Leser(const Leser&) = delete;
  Leser& operator=(const Leser&) = delete;

  // 0 at the end of the input too; else the errno of the read that failed,
  // after which the input reads as ended.
  int Fehlernummer() const { return Fehlernummer_; }

 protected:
  int_type underflow() override;

 private:
  int Deskriptor_;
  Abbruchfrage Frage_;
  int Fehlernummer_ = 0;
  char Puffer_[4096] = {};
};
