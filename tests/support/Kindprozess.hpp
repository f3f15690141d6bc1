// Starts a program as a child process without a shell (no quoting, no
// second interpretation of its arguments) and waits for it: the one way the
// tests, the golden runner and bench/ start programs. POSIX only.
#pragma once

#include <fcntl.h>
#include <pty.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <utmp.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

struct Kindstart {
  std::vector<std::string>
      Befehl;          // the program (path or name in PATH), its arguments
  std::string Ordner;  // working folder; empty: this one
  // Descriptors that become the child's 0, 1 and 2; -1 leaves it closed.
  // Open them close-on-exec, so that the child keeps no other copy.
  int Ein = -1, Aus = -1, Fehler = -1;
  bool SigpipeIgnoriert = false;  // as some shells and services start programs
  bool SighupIgnoriert = false;   // as nohup starts programs
  long long Dateigroesse = -1;    // a file-size limit in bytes (ulimit -S -f)
  std::vector<std::string> Umgebung;  // "NAME=value"s over this one's
  // Set: the child gets a new pseudo-terminal of 200 columns and 50 rows as
  // its controlling terminal and as 0, 1 and 2 (Ein, Aus and Fehler are not
  // used), and *Terminal receives the terminal's other end. Unlike most
  // terminals it keeps what was written when Ctrl+C comes (NOFLSH), so every
  // line written shows.
  int* Terminal = nullptr;
  // The terminal set from the start as Wine's console sets it when it
  // first reads: no line editing, no echo, a CR stays a CR (typed before
  // the program reads, it would become LF), and Ctrl+C still sends SIGINT.
  bool Roh = false;
};

namespace kindprozess_detail {

// In the child, between fork and exec: async-signal-safe calls only.
[[noreturn]] inline void Ausfuehren(const Kindstart& k, char* const* argv,
                                    char* const* envp, int Knecht) {
  if (Knecht >= 0) {
    if (login_tty(Knecht) != 0) {
      _exit(127);
    }
  } else {
    // Out of the way of 0, 1 and 2 first, whichever numbers they have now.
    int Oben[3];
    const int Quellen[3] = {k.Ein, k.Aus, k.Fehler};
    for (int i = 0; i < 3; ++i) {
      Oben[i] = Quellen[i] < 0 ? -1 : fcntl(Quellen[i], F_DUPFD, 10);
    }
    for (int i = 0; i < 3; ++i) {
      if (Oben[i] < 0) {
        close(i);
      } else {
        dup2(Oben[i], i);
        close(Oben[i]);
      }
    }
  }
  signal(SIGPIPE, k.SigpipeIgnoriert ? SIG_IGN : SIG_DFL);
  for (int s : {SIGINT, SIGTERM, SIGHUP, SIGXFSZ}) {
    signal(s, s == SIGHUP && k.SighupIgnoriert ? SIG_IGN : SIG_DFL);
  }
  sigset_t Keine;
  sigemptyset(&Keine);
  sigprocmask(SIG_SETMASK, &Keine, nullptr);
  if (k.Dateigroesse >= 0) {  // the soft limit, as ulimit -S -f
    rlimit Grenze{};
    getrlimit(RLIMIT_FSIZE, &Grenze);
    Grenze.rlim_cur = static_cast<rlim_t>(k.Dateigroesse);
    setrlimit(RLIMIT_FSIZE, &Grenze);
  }
  if (k.Ordner.empty() || chdir(k.Ordner.c_str()) == 0) {
    execvpe(argv[0], argv, envp);
  }
  _exit(127);
}

}  // namespace kindprozess_detail

// Starts the child; -1 when fork fails. A program that cannot be started
// ends with status 127.
inline pid_t KindStarten(const Kindstart& k) {
  std::vector<char*> argv, envp;
  for (const std::string& a : k.Befehl) {
    argv.push_back(const_cast<char*>(a.c_str()));
  }
  argv.push_back(nullptr);
  for (const std::string& e : k.Umgebung) {
    envp.push_back(const_cast<char*>(e.c_str()));
  }
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string Name(*e, std::strcspn(*e, "="));
    bool Ersetzt = false;
    for (const std::string& n : k.Umgebung) {
      Ersetzt = Ersetzt || n.compare(0, Name.size() + 1, Name + "=") == 0;
    }
    if (!Ersetzt) {
      envp.push_back(*e);
    }
  }
  envp.push_back(nullptr);
  int Knecht = -1;
  if (k.Terminal != nullptr) {
    winsize Groesse{};
    Groesse.ws_col = 200;  // without a size Wine's console has none either
    Groesse.ws_row = 50;
    termios Art{};
    if (openpty(k.Terminal, &Knecht, nullptr, nullptr, &Groesse) != 0 ||
        tcgetattr(Knecht, &Art) != 0) {
      return -1;
    }
    if (k.Roh) {
      Art.c_iflag &= ~tcflag_t{ICRNL | INLCR | IGNCR | IXON};
      Art.c_lflag &= ~tcflag_t{ICANON | ECHO | ECHONL};
    }
    Art.c_lflag |= NOFLSH;
    tcsetattr(Knecht, TCSANOW, &Art);
    fcntl(*k.Terminal, F_SETFD, FD_CLOEXEC);
  }
  const pid_t Kind = fork();
  if (Kind == 0) {
    kindprozess_detail::Ausfuehren(k, argv.data(), envp.data(), Knecht);
  }
  if (Knecht >= 0) {
    close(Knecht);
  }
  return Kind;
}

// The child's end as a shell shows it: its exit status, or 128 + the signal
// that ended it. With `Warten` false, -1 while it still runs. `Verbrauch`
// gets its resource use (peak memory among it).
inline int KindEnde(pid_t Kind, bool Warten = true,
                    rusage* Verbrauch = nullptr) {
  int s = 0;
  pid_t r;
  do {
    r = wait4(Kind, &s, Warten ? 0 : WNOHANG, Verbrauch);
  } while (r < 0 && errno == EINTR);
  if (r <= 0) {
    return -1;
  }
  return WIFEXITED(s) ? WEXITSTATUS(s) : 128 + WTERMSIG(s);
}

// The child's end as KindEnde gives it, looked for until `Frist` has passed;
// -1 while it still runs then.
inline int KindEndeBinnen(pid_t Kind, std::chrono::milliseconds Frist,
                          rusage* Verbrauch = nullptr) {
  const auto Ende = std::chrono::steady_clock::now() + Frist;
  int Status = KindEnde(Kind, false, Verbrauch);
  for (; Status < 0 && std::chrono::steady_clock::now() < Ende;
       Status = KindEnde(Kind, false, Verbrauch)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return Status;
}

#ifdef PRIMZAHLABSTAND_ABDECKUNG
extern "C" void __gcov_dump();  // NOLINT: gcov's own name
#endif

// Runs `Tun` in a forked child of this process: its exit status, or -1 when
// it had not ended within `Frist` (then it is killed). What the child printed
// shows once; the coverage build keeps its counts.
inline int ImKind(const std::function<int()>& Tun,
                  std::chrono::milliseconds Frist) {
  std::fflush(nullptr);
  const pid_t Kind = fork();
  if (Kind == 0) {
    const int Status = Tun();
    std::fflush(nullptr);
#ifdef PRIMZAHLABSTAND_ABDECKUNG
    __gcov_dump();
#endif
    _exit(Status);
  }
  const int Status = KindEndeBinnen(Kind, Frist);
  if (Status < 0) {
    kill(Kind, SIGKILL);
    KindEnde(Kind);
  }
  return Status;
}
