// The dialogue's texts as the tests expect them, written out once.
#pragma once

#include <string>

#include "Datenpfad.hpp"

namespace text {

inline const std::string Banner =
    "\nDieses Programm berechnet Primzahlen und deren Abstand voneinander. \n"
    "Die Abst\xE4"
    "nde zwischen den Primzahlen werden in folgender Datei gespeichert: \n" +
    datenpfad::Datei.generic_string() + " \n \n";
inline const std::string Bitten =
    "Bitte Minimalwert eingeben: \nBitte Maximalwert eingeben: \n";
inline const std::string Frage = "Neue Eingabe? ja/nein\n";

inline std::string Beschwerde(const std::string& Min, const std::string& Max) {
  return "Falsche Eingabe! \a \nSie haben " + Min + " und " + Max +
         " eingegeben. \n";
}

inline std::string Schluss(const std::string& Min, const std::string& Max,
                           const std::string& Groesster) {
  return "sind Primzahlen von " + Min + " bis " + Max +
         "\nDer groesste Abstand zwischen zwei Primzahlen ist " + Groesster +
         "\nViele Gruesse von Quelmarn (Zerlip)\n";
}

// The listing of 10 to 30, with the empty line before it.
inline const std::string ZehnBisDreissig =
    "\n\a11\t\t1\t1\t|\n\a13\t\t2\t2\t|***\n\a17\t\t4\t4\t|******\n"
    "19\t\t4\t2\t|***\n23\t\t4\t4\t|******\n\a29\t\t6\t6\t|******\n";

}  // namespace text
