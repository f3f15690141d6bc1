// A program on a pseudo-terminal, seen as a person sees it: what it shows
// with the terminal's own doings (escape sequences, carriage returns, the
// bell) taken out, and answers typed when it asks. POSIX only.
#pragma once

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <string>

// The text a person reads: escape sequences (CSI, OSC and the two-byte
// ones), carriage returns and bell bytes removed, and the words of each line
// separated by one space, since a console may turn tabs into spaces and drop
// trailing ones.
inline std::string WieGezeigt(const std::string& Roh) {
  std::string Text;
  for (std::size_t i = 0; i < Roh.size(); ++i) {
    const char c = Roh[i];
    if (c == '\x1b' && i + 1 < Roh.size()) {
      const char Art = Roh[++i];
      if (Art == '[') {  // up to a final byte from @ to ~
        while (++i < Roh.size() && (Roh[i] < '@' || Roh[i] > '~')) {
        }
      } else if (Art == ']') {  // up to BEL or ESC backslash
        while (++i < Roh.size() && Roh[i] != '\a' &&
               !(Roh[i] == '\\' && Roh[i - 1] == '\x1b')) {
        }
      }
    } else if (c == ' ' || c == '\t') {
      if (!Text.empty() && Text.back() != ' ' && Text.back() != '\n') {
        Text += ' ';
      }
    } else if (c == '\n') {
      if (!Text.empty() && Text.back() == ' ') {
        Text.back() = '\n';
      } else {
        Text += '\n';
      }
    } else if (c != '\r' && c != '\a') {
      Text += c;
    }
  }
  return Text;
}

// The terminal's other end: what came from the program, and typing.
class Terminal {
 public:
  explicit Terminal(int Herr) : Herr_(Herr) {}
  ~Terminal() { close(Herr_); }
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;

  // Reads until Bedingung(WieGezeigt(everything so far)) holds; false when
  // the program's end of the terminal closes first or after `Sekunden`.
  template <class Bedingung>
  bool WartenBis(Bedingung&& b, int Sekunden = 120) {
    const auto Frist =
        std::chrono::steady_clock::now() + std::chrono::seconds(Sekunden);
    while (!b(WieGezeigt(Roh_))) {
      if (!Offen_ || std::chrono::steady_clock::now() > Frist) {
        return false;
      }
      Lesen(100);
    }
    return true;
  }

  // Reads until the program's end of the terminal is closed.
  bool BisZumEnde(int Sekunden = 120) {
    const auto Frist =
        std::chrono::steady_clock::now() + std::chrono::seconds(Sekunden);
    while (Offen_ && std::chrono::steady_clock::now() < Frist) {
      Lesen(100);
    }
    return !Offen_;
  }

  void Tippen(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
      const ssize_t n = write(Herr_, s.data() + i, s.size() - i);
      if (n <= 0) {
        return;
      }
      i += static_cast<std::size_t>(n);
    }
  }

  const std::string& Roh() const { return Roh_; }

 private:
  // Waits up to `Millisekunden` for output, then takes what keeps coming for
  // another 50 ms, so that the text is looked at a few times a second at
  // most, however fast it comes.
  void Lesen(int Millisekunden) {
    const auto Ende =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(50);
    for (pollfd p{Herr_, POLLIN, 0}; poll(&p, 1, Millisekunden) > 0 &&
                                     std::chrono::steady_clock::now() < Ende;
         Millisekunden = 0) {
      char Puffer[65536];
      const ssize_t n = read(Herr_, Puffer, sizeof Puffer);
      if (n <= 0) {
        Offen_ = false;  // EIO once no one has the other end open
        return;
      }
      Roh_.append(Puffer, static_cast<std::size_t>(n));
    }
  }

  int Herr_;
  bool Offen_ = true;
  std::string Roh_;
};
