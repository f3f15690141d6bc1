// open, close and O_BINARY on both platforms, for tests that hand the program
// descriptors of their own.
#pragma once

#include <fcntl.h>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif
#ifndef O_BINARY
#define O_BINARY 0
#endif
