// The real program as a child process on pipes, the way a user or a pipe
// would run it: what it wrote on standard output and error, and its end.
#pragma once

#include <sys/socket.h>
#include <sys/syscall.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "Gegenstelle.hpp"
#include "Kindprozess.hpp"

struct Lauf {
  enum class Eingabe { Rohr, Geschlossen };
  // Sockel: a stream socket, which fills as a pipe does when nobody reads.
  enum class Ausgabe { Rohr, LeserWeg, Sockel };

  std::filesystem::path Programm;
  std::filesystem::path Arbeit;  // working directory
  Eingabe Ein = Eingabe::Rohr;
  Ausgabe Aus = Ausgabe::Rohr;
  bool SigpipeIgnoriert = false;
  bool SighupIgnoriert = false;
  long long Dateigroesse = -1;  // a file-size limit for the child
  int Fremd = -1;  // set: the child's standard output, whatever it is

  pid_t Kind = -1;
  int Schreiben = -1;             // the child's standard input
  Gegenstelle Ausgabe_, Fehler_;  // what the child's stdout and stderr got
  int Status = -1;                // exit status, or 128 + signal
  rusage Verbrauch{};

  ~Lauf() {
    SchreibenBeenden();
    if (Kind > 0 && Status < 0) {
      kill(Kind, SIGKILL);
      KindEnde(Kind);
    }
  }

  const std::string& Text() const { return Ausgabe_.Roh(); }
  const std::string& FehlerText() const { return Fehler_.Roh(); }

  void Starten() {
    int ein[2], aus[2], err[2];
    // Close-on-exec: the child keeps only its own ends, as 0, 1 and 2.
    if (pipe2(ein, O_CLOEXEC) != 0 || pipe2(aus, O_CLOEXEC) != 0 ||
        pipe2(err, O_CLOEXEC) != 0) {
      return;
    }
    if (Aus == Ausgabe::Sockel) {
      close(aus[0]);
      close(aus[1]);
      if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, aus) != 0) {
        return;
      }
    }
    Kindstart k;
    k.Befehl = {Programm.string()};
    k.Ordner = Arbeit.string();
    k.Ein = Ein == Eingabe::Geschlossen ? -1 : ein[0];
    k.Aus = Fremd >= 0 ? Fremd : aus[1];
    k.Fehler = err[1];
    k.SigpipeIgnoriert = SigpipeIgnoriert;
    k.SighupIgnoriert = SighupIgnoriert;
    k.Dateigroesse = Dateigroesse;
    Kind = KindStarten(k);
    close(ein[0]);
    close(aus[1]);
    close(err[1]);
    Schreiben = ein[1];
    Ausgabe_.Oeffnen(aus[0]);
    Fehler_.Oeffnen(err[0]);
    if (Ein == Eingabe::Geschlossen) {
      SchreibenBeenden();
    }
    if (Aus == Ausgabe::LeserWeg) {
      Ausgabe_.Schliessen();
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

  // Reads standard output until `Marke` has appeared `Anzahl` times in all.
  // False when the output ends first or after the time bound.
  bool Warten(const std::string& Marke, int Anzahl, int Sekunden = 20) {
    return Ausgabe_.WartenBis(
        [&](const std::string& t) {
          int n = 0;
          for (auto p = t.find(Marke); p != std::string::npos && n < Anzahl;
               p = t.find(Marke, p + Marke.size())) {
            ++n;
          }
          return n >= Anzahl;
        },
        Sekunden);
  }

  // Waits until the child sleeps in a write, or in an open (a FIFO with no
  // reader), by /proc/PID/syscall over five looks in a row; reads its standard
  // output meanwhile when asked to. False on a time-out.
  bool WartenBisEsWartet(bool AusgabeLesen, int Sekunden = 20) {
    const auto Frist =
        std::chrono::steady_clock::now() + std::chrono::seconds(Sekunden);
    for (int Blicke = 0; Blicke < 5;) {
      if (std::chrono::steady_clock::now() > Frist) {
        return false;
      }
      if (AusgabeLesen) {
        Ausgabe_.Lesen(20);
      } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
      std::ifstream Aufruf("/proc/" + std::to_string(Kind) + "/syscall");
      long Nummer = -1;
      Aufruf >> Nummer;
      const bool Wartet = Nummer == SYS_write || Nummer == SYS_openat;
      Blicke = Wartet ? Blicke + 1 : 0;
    }
    return true;
  }

  // Waits for the child to end without reading anything more. False when it
  // is still running after the time bound.
  bool EndeAbwarten(std::chrono::milliseconds Zeit) {
    if (Status < 0) {
      Status = KindEndeBinnen(Kind, Zeit, &Verbrauch);
    }
    return Status >= 0;
  }

  // Closes standard input, collects all output and the exit status. False
  // when the child outlives the time bound (it is then killed).
  bool Beenden(int Sekunden = 20) {
    SchreibenBeenden();
    if (Ausgabe_.BisZumEnde(Sekunden) && Fehler_.BisZumEnde(Sekunden) &&
        EndeAbwarten(std::chrono::seconds(Sekunden))) {
      return true;
    }
    kill(Kind, SIGKILL);
    Status = KindEnde(Kind);
    return false;
  }
};
