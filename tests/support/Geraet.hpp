// A file descriptor of the tests' own for the writers (Schreiber's write
// function): it takes at most `Stueck` bytes per call, fails with `Fehler`
// once `Platz` bytes have arrived (1 MiB unless set, so that a runaway
// listing fails at once instead of filling the memory), fails the first
// `Unterbrechungen` calls with EINTR and, with `Voll`, every other call with
// EAGAIN (a terminal that is full now and then). With `Signal`, an interrupt is
// noted during each call: `Halt` is set, and the stop question `HaltGesagt`
// says yes.
#pragma once

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <string>

struct Geraet {
  std::string Angekommen;
  std::size_t Stueck = 1u << 30, Platz = 1u << 20;
  int Fehler = ENOSPC, Unterbrechungen = 0, Aufrufe = 0;
  bool Voll = false, Signal = false;
};

inline Geraet g;  // reset by each test: g = Geraet{...}
inline volatile std::sig_atomic_t Halt = 0;
inline bool HaltGesagt() { return Halt != 0; }

inline long GeraetSchreiben(int /*Deskriptor*/, const char* Text,
                            std::size_t Anzahl) {
  ++g.Aufrufe;
  Halt = g.Signal ? 1 : 0;
  if (g.Unterbrechungen > 0) {
    --g.Unterbrechungen;
    errno = EINTR;
    return -1;
  }
  if (g.Voll && g.Aufrufe % 2 == 1) {
    errno = EAGAIN;
    return -1;
  }
  if (g.Angekommen.size() >= g.Platz) {
    errno = g.Fehler;
    return -1;
  }
  const std::size_t n =
      std::min({Anzahl, g.Stueck, g.Platz - g.Angekommen.size()});
  g.Angekommen.append(Text, n);
  return static_cast<long>(n);
}
