// The continue question: only the exact word "ja" goes on.
#include "dialogue/Fortsetzen.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using namespace std::string_literals;

TEST(Fortsetzen, Antworten) {
  // The word is read as `>> std::string` reads it (leading white space
  // skipped, the rest left in the input, the same stream states), without
  // being kept: the answer, the state and the rest are compared with that.
  const struct {
    const char* Name;
    std::string Eingabe;
    bool Ja;
  } Faelle[] = {
      {"ja", "ja\n", true},
      {"ja after blank lines", "\n\n   ja\n", true},
      {"ja at the end", "ja", true},
      {"ja nein on one line", "  ja nein", true},
      {"Ja", "Ja\n", false},
      {"JA", "JA\n", false},
      {"j", "j\n", false},
      {"jaa", "jaa x", false},
      {"yes", "yes\n", false},
      {"nein", "nein\tja", false},
      {"ja-", "ja-\n", false},
      {"NUL in the word", "ja\0x y"s, false},
      {"end of input", "", false},
      {"only white space", "  \n\n", false},
      {"a long word", std::string(100000, 'j') + " ja", false},
  };
  for (const auto& f : Faelle) {
    std::istringstream Soll(f.Eingabe), Ist(f.Eingabe);
    std::string Wort, RestSoll, RestIst;
    Soll >> Wort;
    std::ostringstream aus;
    EXPECT_EQ(Fortsetzen(Ist, aus), f.Ja) << f.Name;
    EXPECT_EQ(aus.str(), "Neue Eingabe? ja/nein\n") << f.Name;
    EXPECT_EQ(Ist.rdstate(), Soll.rdstate()) << f.Name;
    Soll.clear();
    Ist.clear();
    std::getline(Soll, RestSoll, '\0');
    std::getline(Ist, RestIst, '\0');
    EXPECT_EQ(RestIst, RestSoll) << f.Name;
  }
}

TEST(Fortsetzen, KeineAntwortOhneEingabeOderFrage) {
  // A failed input answers no; a question nobody could see is not waited on.
  std::istringstream ein("ja\n");
  std::ostringstream aus;
  ein.setstate(std::ios::failbit);
  EXPECT_FALSE(Fortsetzen(ein, aus));
  ein.clear();
  aus.setstate(std::ios::badbit);
  EXPECT_FALSE(Fortsetzen(ein, aus));
  EXPECT_EQ(ein.tellg(), 0);
}

}  // namespace
