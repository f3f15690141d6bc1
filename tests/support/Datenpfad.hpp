// Where the program keeps its data file, named once for all tests: the file
// in the folder temp on drive C, which on Linux is the folder c:/temp below
// the working directory.
#pragma once

#include <filesystem>

namespace datenpfad {

inline const std::filesystem::path Datei = "c:/temp/PRIMraw8bit.dat";
inline const std::filesystem::path Ordner = Datei.parent_path();
inline const std::filesystem::path Dateiname = Datei.filename();
inline const std::filesystem::path OrdnerAufLaufwerkC = "temp";  // Windows

}  // namespace datenpfad
