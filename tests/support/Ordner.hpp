// Test helpers for files: a fresh folder per run, and whole files read and
// written.
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

// A new, empty folder `Name` plus a few random characters in `Basis`, made
// for this run alone (two runs on one machine never share one); the caller
// removes it.
inline std::filesystem::path FrischerOrdner(
    const std::filesystem::path& Basis = std::filesystem::temp_directory_path(),
    const std::string& Name = "primzahlabstand-test") {
  namespace fs = std::filesystem;
  fs::create_directories(Basis);
  const std::string Anfang = (Basis / (Name + "-")).string();
#ifdef _WIN32
  // No mkdtemp there: a random name that create_directory must make anew.
  std::random_device Zufall;
  std::error_code f;
  while (!f) {
    const fs::path Ordner = Anfang + std::to_string(Zufall());
    if (fs::create_directory(Ordner, f)) {
      return Ordner;
    }
  }
  throw fs::filesystem_error("FrischerOrdner", Anfang, f);
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

inline void DateiSchreiben(const std::filesystem::path& Pfad,
                           const std::string& Inhalt) {
  std::ofstream(Pfad, std::ios::binary) << Inhalt;
}
