// Test helpers for files: a fresh folder per test, and reading a whole file.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <random>
#else
#include <stdlib.h>

#include <cerrno>
#endif

// A new, empty folder under the system's temporary folder, made for this run
// alone (two runs on one machine never share one); the test removes it.
inline std::filesystem::path FrischerOrdner() {
  namespace fs = std::filesystem;
  const std::string Anfang =
      (fs::temp_directory_path() / "primzahlabstand-test-").string();
#ifdef _WIN32
  // No mkdtemp there: a random name that create_directory must make anew.
  std::random_device Zufall;
  for (;;) {
    const fs::path Ordner = Anfang + std::to_string(Zufall());
    std::error_code f;
    if (fs::create_directory(Ordner, f)) {
      return Ordner;
    }
    if (f) {
      throw fs::filesystem_error("FrischerOrdner", Ordner, f);
    }
  }
#else
  std::string Muster = Anfang + "XXXXXX";
  if (mkdtemp(Muster.data()) == nullptr) {
    throw fs::filesystem_error("mkdtemp", Muster,
                               std::error_code(errno, std::generic_category()));
  }
  return Muster;
#endif
}

// The file's bytes; empty when it cannot be read.
inline std::string DateiLesen(const std::filesystem::path& Pfad) {
  std::ifstream ein(Pfad, std::ios::binary);
  return {std::istreambuf_iterator<char>(ein), {}};
}
