// Test helpers for files: a fresh folder per test, and reading a whole file.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// An empty folder named after the running test, so that tests run in
// parallel never share one.
inline std::filesystem::path FrischerOrdner() {
  const auto* Info = testing::UnitTest::GetInstance()->current_test_info();
  const auto Ordner = std::filesystem::temp_directory_path() /
                      (std::string("primzahlabstand-") +
                       Info->test_suite_name() + "-" + Info->name());
  std::filesystem::remove_all(Ordner);
  std::filesystem::create_directories(Ordner);
  return Ordner;
}

// The file's bytes; empty when it cannot be read.
inline std::string DateiLesen(const std::filesystem::path& Pfad) {
  std::ifstream ein(Pfad, std::ios::binary);
  return {std::istreambuf_iterator<char>(ein), {}};
}
