// Standard input through our own read: the formatted extraction stays the
// standard one, and a read that fails is told apart from the end of input.
#pragma once

#include <csignal>
#include <streambuf>

class Leser final : public std::streambuf {
 public:
  // Reads `Deskriptor`. A read that a signal cut short is made again while
  // *Anfrage (when given) is 0; on a descriptor its owner made non-blocking,
  // EAGAIN waits for input.
  explicit Leser(int Deskriptor,
                 const volatile std::sig_atomic_t* Anfrage = nullptr)
      : Deskriptor_(Deskriptor), Anfrage_(Anfrage) {}
  Leser(const Leser&) = delete;
  Leser& operator=(const Leser&) = delete;

  // 0 at the end of the input too; else the errno of the read that failed,
  // after which the input reads as ended.
  int Fehlernummer() const { return Fehlernummer_; }

 protected:
  int_type underflow() override;

 private:
  int Deskriptor_;
  const volatile std::sig_atomic_t* Anfrage_;
  int Fehlernummer_ = 0;
  char Puffer_[4096] = {};
};
