// Where the program keeps its data file, named once for all tests: the folder
// temp on drive C, which on Linux is the folder c:/temp below the working
// directory, and the file in it.
#pragma once

#include <filesystem>

namespace datenpfad {

inline const std::filesystem::path OrdnerAufLaufwerkC = "temp";
inline const std::filesystem::path Ordner = "c:" / OrdnerAufLaufwerkC;
inline const std::filesystem::path Dateiname = "PRIMraw8bit.dat";
inline const std::filesystem::path Datei = Ordner / Dateiname;

}  // namespace datenpfad
