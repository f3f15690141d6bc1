// The continue question.
#include "Fortsetzen.hpp"

#include <istream>
#include <ostream>
#include <string>

bool Fortsetzen(std::istream& ein, std::ostream& aus) {
  aus << "Neue Eingabe? ja/nein" << std::endl;
  if (aus.fail()) {
    // Nobody can see the question, so do not wait for an answer.
    return false;
  }
  std::string Antwort;
  ein >> Antwort;
  return Antwort == "ja";
}
