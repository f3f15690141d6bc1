// What the platform layer tells of files: one identity is one file.
#include "platform/Plattform.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Kennung, GleichNurMitGeraetUndNummer) {
  // The same number on another device (file system) is another file.
  using plattform::Kennung;
  EXPECT_TRUE(plattform::GleicheDatei(Kennung{1, 5}, Kennung{1, 5}));
  EXPECT_FALSE(plattform::GleicheDatei(Kennung{1, 5}, Kennung{2, 5}));
  EXPECT_FALSE(plattform::GleicheDatei(Kennung{1, 5}, Kennung{1, 6}));
}

}  // namespace
