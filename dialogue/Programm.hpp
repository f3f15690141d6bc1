// The program's body, callable with any descriptors: main runs it on 0, 1
// and 2, and a test on its own, with the seam making system calls fail.
#pragma once

#include "Dialog.hpp"

struct Umgebung {
  int Ein = 0, Aus = 1, Fehler = 2;  // standard input, output and error
  const char* Pfad = nullptr;        // the data file; nullptr: the program's
};

// Options, signals, the folder's notice and the dialogue. The signals'
// set-up failing is one line and status 1, before the banner. How it ends:
// Ende::Signal set means the way that signal ends programs, which is left to
// the caller.
Ende Programm(int argc, const char* const* argv, const Umgebung& u);
