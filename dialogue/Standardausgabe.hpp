// Standard output straight to its file descriptor, without the C library's
// stream in between: every listing line is flushed, so each line costs one
// write and nothing more. Not for Windows, where the C runtime's text mode
// must turn each newline into CR LF.
#pragma once

#include <streambuf>

class Standardausgabe final : public std::streambuf {
 public:
  explicit Standardausgabe(int Deskriptor);
  Standardausgabe(const Standardausgabe&) = delete;
  Standardausgabe& operator=(const Standardausgabe&) = delete;
  ~Standardausgabe() override;

 protected:
  int_type overflow(int_type Zeichen) override;
  std::streamsize xsputn(const char* Text, std::streamsize Anzahl) override;
  // Writes what is buffered; -1 with errno set when the write fails.
  int sync() override;

 private:
  bool Leeren();
  bool Schreiben(const char* Text, std::size_t Anzahl) const;

  int Deskriptor_;
  char Puffer_[4096];
};
