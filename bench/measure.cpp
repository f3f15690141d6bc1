// Runs one command with standard input from a file and standard output to a
// file, and prints its wall time in seconds and its peak resident memory in
// KiB: "SECONDS KIB".
#include <fcntl.h>

#include <chrono>
#include <cstdio>

#include "support/Kindprozess.hpp"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: measure STDIN STDOUT COMMAND [ARGS...]\n");
    return 2;
  }
  Kindstart k;
  k.Befehl.assign(argv + 3, argv + argc);
  k.Ein = open(argv[1], O_RDONLY | O_CLOEXEC);
  k.Aus = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  k.Fehler = 2;
  if (k.Ein < 0 || k.Aus < 0) {
    std::perror("measure");
    return 1;
  }
  const auto Anfang = std::chrono::steady_clock::now();
  const pid_t Kind = KindStarten(k);
  rusage Verbrauch{};
  const int Status = Kind < 0 ? -1 : KindEnde(Kind, true, &Verbrauch);
  const std::chrono::duration<double> Dauer =
      std::chrono::steady_clock::now() - Anfang;
  std::printf("%.3f %ld\n", Dauer.count(), Verbrauch.ru_maxrss);
  return Status == 0 ? 0 : 1;
}
