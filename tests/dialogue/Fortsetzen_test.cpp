// The continue question: only the exact word "ja" goes on.
#include "dialogue/Fortsetzen.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

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
