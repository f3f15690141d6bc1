// The continue question: only the exact word "ja" goes on.
#include "dialogue/Fortsetzen.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

bool Antwort(const std::string& Eingabe, std::string* Rest = nullptr) {
  std::istringstream ein(Eingabe);
  std::ostringstream aus;
  const bool ja = Fortsetzen(ein, aus);
  EXPECT_EQ(aus.str(), "Neue Eingabe? ja/nein\n");
  if (Rest != nullptr) {
    ein >> *Rest;
  }
  return ja;
}

TEST(Fortsetzen, NurJaIstJa) {
  EXPECT_TRUE(Antwort("ja\n"));
  EXPECT_TRUE(Antwort("\n\n   ja\n"));
  for (const char* Nein : {"Ja", "JA", "j", "jaa", "yes", "nein", "ja-"}) {
    EXPECT_FALSE(Antwort(std::string(Nein) + "\n")) << Nein;
  }
}

TEST(Fortsetzen, EndeDerEingabeIstNein) {
  EXPECT_FALSE(Antwort(""));
  EXPECT_FALSE(Antwort("  \n\n"));
}

TEST(Fortsetzen, DerRestDerZeileBleibtStehen) {
  std::string Rest;
  EXPECT_TRUE(Antwort("ja nein\n", &Rest));
  EXPECT_EQ(Rest, "nein");
}

TEST(Fortsetzen, LiestDasWortWieDieStandardextraktion) {
  // The answer leaves the input and its state exactly as `>> std::string`
  // would, without keeping the word.
  using namespace std::string_literals;
  for (const std::string& Eingabe : std::vector<std::string>{
           ""s, "  \n", "ja", "ja\n", "  ja nein", "jaa x", "ja\0x y"s,
           "nein\tja", std::string(100000, 'j') + " ja"}) {
    std::istringstream Soll(Eingabe), Ist(Eingabe);
    std::string Wort, RestSoll, RestIst;
    Soll >> Wort;
    std::ostringstream aus;
    EXPECT_EQ(Fortsetzen(Ist, aus), Wort == "ja") << Eingabe.substr(0, 20);
    EXPECT_EQ(Ist.rdstate(), Soll.rdstate()) << Eingabe.substr(0, 20);
    Soll.clear();
    Ist.clear();
    std::getline(Soll, RestSoll, '\0');
    std::getline(Ist, RestIst, '\0');
    EXPECT_EQ(RestIst, RestSoll) << Eingabe.substr(0, 20);
  }
}

TEST(Fortsetzen, GescheiterteEingabeIstNein) {
  std::istringstream ein("ja\n");
  ein.setstate(std::ios::failbit);
  std::ostringstream aus;
  EXPECT_FALSE(Fortsetzen(ein, aus));
}

TEST(Fortsetzen, OhneSichtbareFrageWirdNichtGelesen) {
  std::istringstream ein("ja\n");
  std::ostringstream aus;
  aus.setstate(std::ios::badbit);
  EXPECT_FALSE(Fortsetzen(ein, aus));
  EXPECT_EQ(ein.tellg(), 0);
}

}  // namespace
