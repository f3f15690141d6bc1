// Starts the real program as a child process, the way a user or a pipe would,
// and collects what it leaves behind: standard output and error, exit status.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

struct Lauf {
  enum class Eingabe { Rohr, Geschlossen };
  enum class Ausgabe { Rohr, LeserWeg };

  std::filesystem::path Programm;
  std::filesystem::path Arbeit;  // working directory
  Eingabe Ein = Eingabe::Rohr;
  Ausgabe Aus = Ausgabe::Rohr;
  bool SigpipeIgnoriert = false;

  pid_t Kind = -1;
  int Schreiben = -1;  // the child's standard input
  int Lesen = -1;      // the child's standard output
  int Fehler = -1;     // the child's standard error
  std::string Text;    // standard output read so far
  std::string FehlerText;
  int Status = -1;  // exit status, or 128 + signal

  ~Lauf() {
    for (int fd : {Schreiben, Lesen, Fehler}) {
      if (fd >= 0) {
        close(fd);
      }
    }
    if (Kind > 0 && Status < 0) {
      kill(Kind, SIGKILL);
      waitpid(Kind, nullptr, 0);
    }
  }

  void Starten() {
    int ein[2], aus[2], err[2];
    if (pipe(ein) != 0 || pipe(aus) != 0 || pipe(err) != 0) {
      return;
    }
    Kind = fork();
    if (Kind == 0) {
      Kindseite(ein, aus, err);
    }
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
      close(Lesen);
      Lesen = -1;
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
        close(Lesen);
        Lesen = -1;
      }
      if (Fehler >= 0 && !Mehr(Fehler, FehlerText, Lesen >= 0 ? 0 : 50)) {
        close(Fehler);
        Fehler = -1;
      }
    }
    return Abwarten(Frist);
  }

 private:
  [[noreturn]] void Kindseite(int ein[2], int aus[2], int err[2]) {
    signal(SIGPIPE, SigpipeIgnoriert ? SIG_IGN : SIG_DFL);
    if (Ein == Eingabe::Geschlossen) {
      close(0);
    } else {
      dup2(ein[0], 0);
    }
    dup2(aus[1], 1);
    dup2(err[1], 2);
    for (int fd : {ein[0], ein[1], aus[0], aus[1], err[0], err[1]}) {
      close(fd);
    }
    if (chdir(Arbeit.c_str()) == 0) {
      execl(Programm.c_str(), Programm.c_str(), static_cast<char*>(nullptr));
    }
    _exit(127);
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

  bool Abwarten(std::chrono::steady_clock::time_point Frist) {
    int s = 0;
    while (waitpid(Kind, &s, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > Frist) {
        kill(Kind, SIGKILL);
        waitpid(Kind, &s, 0);
        Status = 128 + SIGKILL;
        return false;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    Status = WIFEXITED(s) ? WEXITSTATUS(s) : 128 + WTERMSIG(s);
    return true;
  }
};
