// A CPU-time limit that would end a pass without a signal it can catch.
// Linux: Rechenzeitgrenze_linux.cpp.
#pragma once

namespace unterbrechung {

// Where the soft CPU limit equals a finite hard one of H seconds (ulimit -t
// sets both), the kernel sends SIGKILL at H without SIGXCPU before it, and a
// pass loses the gaps still buffered. With at least a second of it left
// (whole seconds used at most H - 2), the soft limit becomes H - 1, so that
// SIGXCPU ends the pass as any ending signal does. Otherwise, or where a call
// fails, nothing changes and nothing is said. Called only where SIGXCPU is
// caught and not blocked.
void RechenzeitgrenzeVorziehen();

}  // namespace unterbrechung
