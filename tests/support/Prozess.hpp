// The real program as a child process on pipes, the way a user or a pipe
// would run it: what it wrote on standard output and error, and its end.
#pragma once

#include <poll.h>
#include <pty.h>
#include <sys/syscall.h>
#include <termios.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "Kindprozess.hpp"

struct Lauf {
  enum class Eingabe { Rohr, Geschlossen };
  // Terminal: a pseudo-terminal in raw mode, which passes every byte as it
  // is; `Terminal` is its end that the program writes to.
  enum class Ausgabe { Rohr, LeserWeg, Terminal };

  std::filesystem::path Programm;
  std::filesystem::path Arbeit;  // working directory
  Eingabe Ein = Eingabe::Rohr;
  Ausgabe Aus = Ausgabe::Rohr;
  bool SigpipeIgnoriert = false;
  long long Dateigroesse = -1;  // a file-size limit for the child

  pid_t Kind = -1;
  int Schreiben = -1;  // the child's standard input
  int Lesen = -1;      // the child's standard output
  int Fehler = -1;     // the child's standard error
  int Terminal = -1;   // with Ausgabe::Terminal: the terminal's program end
  std::string Text;    // standard output read so far
  std::string FehlerText;
  int Status = -1;  // exit status, or 128 + signal
  rusage Verbrauch{};

  ~Lauf() {
    for (int fd : {Schreiben, Lesen, Fehler, Terminal}) {
      if (fd >= 0) {
        close(fd);
      }
    }
    if (Kind > 0 && Status < 0) {
      kill(Kind, SIGKILL);
      KindEnde(Kind);
    }
  }

  void Starten() {
    int ein[2], aus[2], err[2];
    // Close-on-exec: the child keeps only its own ends, as 0, 1 and 2.
    if (pipe2(ein, O_CLOEXEC) != 0 || pipe2(aus, O_CLOEXEC) != 0 ||
        pipe2(err, O_CLOEXEC) != 0) {
      return;
    }
    if (Aus == Ausgabe::Terminal) {
      close(aus[0]);
      close(aus[1]);
      termios Roh{};
      cfmakeraw(&Roh);
      if (openpty(&aus[0], &aus[1], nullptr, &Roh, nullptr) != 0) {
        return;
      }
      fcntl(aus[0], F_SETFD, FD_CLOEXEC);
      fcntl(aus[1], F_SETFD, FD_CLOEXEC);
      Terminal = fcntl(aus[1], F_DUPFD_CLOEXEC, 0);
    }
    Kindstart k;
    k.Befehl = {Programm.string()};
    k.Ordner = Arbeit.string();
    k.Ein = Ein == Eingabe::Geschlossen ? -1 : ein[0];
    k.Aus = aus[1];
    k.Fehler = err[1];
    k.SigpipeIgnoriert = SigpipeIgnoriert;
    k.Dateigroesse = Dateigroesse;
    Kind = KindStarten(k);
    close(ein[0]);
    close(aus[1]);
    close(err[1]);
    Schreiben = ein[1];
    Lesen = aus[0];
    Fehler = err[0];
    if (Ein == Eingabe::Geschlossen) {
      SchreibenBeenden();
    }
    if (Aus == Ausgabe::LeserWeg) {
      LesenBeenden();
    }
  }

  void Senden(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
      const ssize_t n = write(Schreiben, s.data() + i, s.size() - i);
      if (n <= 0) {
        return;  // the child has gone; what it did is checked later
      }
      i += static_cast<std::size_t>(n);
    }
  }

  void SchreibenBeenden() {
    if (Schreiben >= 0) {
      close(Schreiben);
      Schreiben = -1;
    }
  }

  // The reader of standard output goes away; what the pipe holds is lost.
  void LesenBeenden() {
    if (Lesen >= 0) {
      close(Lesen);
      Lesen = -1;
    }
  }

  // Reads standard output until `Marke` has appeared `Anzahl` times in all,
  // or until the output ends. False on a time-out.
  bool Warten(const std::string& Marke, int Anzahl, int Sekunden = 20) {
    const auto Frist =
        std::chrono::steady_clock::now() + std::chrono::seconds(Sekunden);
    while (Zaehlen(Marke) < Anzahl) {
      if (std::chrono::steady_clock::now() > Frist || !Mehr(Lesen, Text)) {
        return Zaehlen(Marke) >= Anzahl;
      }
    }
    return true;
  }

  // Reads what standard output holds, until nothing more comes for 100 ms.
  void Abholen() {
    for (std::size_t Vorher = Text.size() + 1; Text.size() != Vorher;) {
      Vorher = Text.size();
      Mehr(Lesen, Text, 100);
    }
  }

  // Waits until the child sleeps in a write, or in a wait for room to write
  // (/proc/PID/syscall), over five looks in a row; reads its standard output
  // meanwhile when asked to. False on a time-out.
  bool WartenBisEsWartet(bool AusgabeLesen, int Sekunden = 20) {
    const auto Frist =
        std::chrono::steady_clock::now() + std::chrono::seconds(Sekunden);
    for (int Blicke = 0; Blicke < 5;) {
      if (std::chrono::steady_clock::now() > Frist) {
        return false;
      }
      if (AusgabeLesen) {
        Mehr(Lesen, Text, 20);
      } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
      std::ifstream Aufruf("/proc/" + std::to_string(Kind) + "/syscall");
      long Nummer = -1;
      Aufruf >> Nummer;
      const bool Wartet =
          Nummer == SYS_write || Nummer == SYS_ppoll || Nummer == SYS_poll;
      Blicke = Wartet ? Blicke + 1 : 0;
    }
    return true;
  }

  // Waits for the child to end without reading anything more. False when it
  // is still running after the time bound.
  bool EndeAbwarten(int Sekunden) {
    return AbwartenBis(std::chrono::steady_clock::now() +
                       std::chrono::seconds(Sekunden));
  }

  // Closes standard input, collects all output and the exit status. False
  // when the child outlives the time bound (it is then killed).
  bool Beenden(int Sekunden = 20) {
    SchreibenBeenden();
    const auto Frist =
        std::chrono::steady_clock::now() + std::chrono::seconds(Sekunden);
    while (Lesen >= 0 || Fehler >= 0) {
      if (std::chrono::steady_clock::now() > Frist) {
        return false;
      }
      if (Lesen >= 0 && !Mehr(Lesen, Text)) {
        LesenBeenden();
      }
      if (Fehler >= 0 && !Mehr(Fehler, FehlerText, Lesen >= 0 ? 0 : 50)) {
        close(Fehler);
        Fehler = -1;
      }
    }
    if (AbwartenBis(Frist)) {
      return true;
    }
    kill(Kind, SIGKILL);
    Status = KindEnde(Kind);
    return false;
  }

 private:
  bool AbwartenBis(std::chrono::steady_clock::time_point Frist) {
    while (Status < 0) {
      Status = KindEnde(Kind, false, &Verbrauch);
      if (Status >= 0 || std::chrono::steady_clock::now() > Frist) {
        return Status >= 0;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
  }

  int Zaehlen(const std::string& Marke) const {
    int n = 0;
    for (auto p = Text.find(Marke); p != std::string::npos;
         p = Text.find(Marke, p + Marke.size())) {
      ++n;
    }
    return n;
  }

  // Appends what `fd` offers within a short wait; false at its end.
  static bool Mehr(int fd, std::string& Ziel, int Millisekunden = 50) {
    if (fd < 0) {
      return false;
    }
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, Millisekunden) <= 0) {
      return true;
    }
    char Puffer[65536];
    const ssize_t n = read(fd, Puffer, sizeof Puffer);
    if (n <= 0) {
      return false;
    }
    Ziel.append(Puffer, static_cast<std::size_t>(n));
    return true;
  }
};
