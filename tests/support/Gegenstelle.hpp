// The far end of a program's output, a pipe or a terminal: what came from it
// so far, and typing on a terminal. And what a person reads on a terminal.
// POSIX only.
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

class Gegenstelle {
 public:
  explicit Gegenstelle(int Ende = -1) : Ende_(Ende) {}
  ~Gegenstelle() { Schliessen(); }
  Gegenstelle(const Gegenstelle&) = delete;
  Gegenstelle& operator=(const Gegenstelle&) = delete;

  // Reads from `Ende` from now on.
  void Oeffnen(int Ende) {
    Schliessen();
    Ende_ = Ende;
  }
  // Reads no more: the reader has gone, and what was not read is lost.
  void Schliessen() {
    if (Ende_ >= 0) {
      close(Ende_);
    }
    Ende_ = -1;
  }

  // Reads until Bedingung(everything so far) holds; false when the output
  // ends first or after `Sekunden`.
  template <class Bedingung>
  bool WartenBis(Bedingung&& b, int Sekunden = 120) {
    const auto Frist =
        std::chrono::steady_clock::now() + std::chrono::seconds(Sekunden);
    while (!b(Roh_)) {
      if (Ende_ < 0 || std::chrono::steady_clock::now() > Frist) {
        return false;
      }
      Lesen(100);
    }
    return true;
  }

  // Reads until the output ends (on a terminal: until no one has the
  // program's end open).
  bool BisZumEnde(int Sekunden = 120) {
    return WartenBis([this](const std::string&) { return Ende_ < 0; },
                     Sekunden);
  }

  // Waits up to `Millisekunden` for output, then takes what keeps coming for
  // another 50 ms, so that the text is looked at a few times a second at
  // most, however fast it comes.
  void Lesen(int Millisekunden) {
    const auto Ende =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(50);
    for (pollfd p{Ende_, POLLIN, 0};
         Ende_ >= 0 && poll(&p, 1, Millisekunden) > 0 &&
         std::chrono::steady_clock::now() < Ende;
         Millisekunden = 0) {
      char Puffer[65536];
      const ssize_t n = read(Ende_, Puffer, sizeof Puffer);
      if (n <= 0) {
        Schliessen();  // the end; EIO on a terminal no one has open
        return;
      }
      Roh_.append(Puffer, static_cast<std::size_t>(n));
    }
  }

  void Tippen(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
      const ssize_t n = write(Ende_, s.data() + i, s.size() - i);
      if (n <= 0) {
        return;
      }
      i += static_cast<std::size_t>(n);
    }
  }

  const std::string& Roh() const { return Roh_; }

 private:
  int Ende_;
  std::string Roh_;
};
