// A test's body in a forked child with a deadline and a cap on the files it
// writes, so that a fault which would list up to 4294967295 fails within
// seconds instead of filling the disk or the memory. On Windows (no fork)
// the body runs here.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#ifndef _WIN32
#include <sys/resource.h>

#include "Kindprozess.hpp"
#endif

// The most that any file the body writes may grow to.
inline constexpr long long DateiHoechstens = 16ll << 20;

// Runs `Tun` with its expectations; those that fail in the child are
// printed there and fail the test here.
inline void MitFrist(std::chrono::seconds Frist,
                     const std::function<void()>& Tun) {
#ifdef _WIN32
  (void)Frist;
  Tun();
#else
  const int Status = ImKind(
      [&Tun] {
        rlimit Grenze{};
        getrlimit(RLIMIT_FSIZE, &Grenze);
        Grenze.rlim_cur = static_cast<rlim_t>(DateiHoechstens);
        setrlimit(RLIMIT_FSIZE, &Grenze);
        Tun();
        return testing::Test::HasFailure() ? 1 : 0;
      },
      Frist);
  EXPECT_EQ(Status, 0) << (Status < 0 ? "still running at the deadline"
                                      : "failed in the child");
#endif
}
