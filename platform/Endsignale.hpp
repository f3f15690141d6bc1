// The signals whose default is to end the program, and that end a pass as
// Ctrl+C does when the caller left them at that default. Linux:
// Endsignale_linux.cpp.
#pragma once

namespace unterbrechung {

// The `i`-th of them, from 0; 0 after the last.
int Endsignal(int i);

}  // namespace unterbrechung
