// Runs one command with standard input from a file and standard output to a
// file, and prints its wall time in seconds and its peak resident memory in
// KiB: "SECONDS KIB".
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: measure STDIN STDOUT COMMAND [ARGS...]\n");
    return 2;
  }
  const auto Anfang = std::chrono::steady_clock::now();
  const pid_t Kind = fork();
  if (Kind == 0) {
    const int Ein = open(argv[1], O_RDONLY);
    const int Aus = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (Ein < 0 || Aus < 0 || dup2(Ein, 0) < 0 || dup2(Aus, 1) < 0) {
      std::perror("measure");
      _exit(127);
    }
    execv(argv[3], argv + 3);
    std::perror("measure: exec");
    _exit(127);
  }
  int Status = 0;
  rusage Verbrauch{};
  if (Kind < 0 || wait4(Kind, &Status, 0, &Verbrauch) < 0) {
    std::perror("measure");
    return 1;
  }
  const std::chrono::duration<double> Dauer =
      std::chrono::steady_clock::now() - Anfang;
  std::printf("%.3f %ld\n", Dauer.count(), Verbrauch.ru_maxrss);
  return WIFEXITED(Status) && WEXITSTATUS(Status) == 0 ? 0 : 1;
}
