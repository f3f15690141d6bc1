// The banner's letter as a person sees it: UTF-8 in a terminal whose locale
// is UTF-8, the single byte 0xE4 everywhere else (the golden cases check the
// pipe). The terminal is a pseudo-terminal in raw mode, so no byte is changed
// on its way.
#include <gtest/gtest.h>
#include <pty.h>
#include <termios.h>

#include <filesystem>
#include <string>

#include "support/Datenpfad.hpp"
#include "support/Kindprozess.hpp"
#include "support/Ordner.hpp"

namespace {

// The banner's second line as the program writes it to a terminal, or to a
// pipe.
std::string ZweiteZeile(const std::string& Lang, bool Terminal = true) {
  const auto Arbeit = FrischerOrdner();
  std::filesystem::create_directories(Arbeit / datenpfad::Ordner);
  int Herr = -1, Knecht = -1, Ein[2];
  int Rohr[2];
  if (openpty(&Herr, &Knecht, nullptr, nullptr, nullptr) != 0 ||
      pipe2(Ein, O_CLOEXEC) != 0 || pipe2(Rohr, O_CLOEXEC) != 0) {
    return "no pseudo-terminal";
  }
  if (!Terminal) {
    close(Herr);
    close(Knecht);
    Herr = Rohr[0];
    Knecht = Rohr[1];
  } else {
    close(Rohr[0]);
    close(Rohr[1]);
  }
  fcntl(Herr, F_SETFD, FD_CLOEXEC);
  fcntl(Knecht, F_SETFD, FD_CLOEXEC);
  termios t{};
  tcgetattr(Knecht, &t);
  cfmakeraw(&t);
  tcsetattr(Knecht, TCSANOW, &t);
  const std::string Eingabe = "1 2 nein\n";
  EXPECT_EQ(write(Ein[1], Eingabe.data(), Eingabe.size()),
            static_cast<ssize_t>(Eingabe.size()));
  close(Ein[1]);
  Kindstart k;
  k.Befehl = {PRIMZAHLABSTAND_PROGRAMM};
  k.Ordner = Arbeit.string();
  k.Ein = Ein[0];
  k.Aus = Knecht;
  k.Umgebung = {"LANG=" + Lang};
  const pid_t Kind = KindStarten(k);
  close(Ein[0]);
  close(Knecht);
  std::string Text;
  char Puffer[4096];
  for (ssize_t n; (n = read(Herr, Puffer, sizeof Puffer)) > 0;) {
    Text.append(Puffer, static_cast<std::size_t>(n));  // EIO once it is gone
  }
  close(Herr);
  EXPECT_EQ(KindEnde(Kind), 0);
  std::filesystem::remove_all(Arbeit);
  const auto Anfang = Text.find("Die Abst");
  return Anfang == std::string::npos
             ? Text
             : Text.substr(Anfang, Text.find('\n', Anfang) - Anfang);
}

const std::string Rest =
    "nde zwischen den Primzahlen werden in folgender Datei gespeichert: ";

TEST(Banner, ImUtf8TerminalAlsUtf8) {
  EXPECT_EQ(ZweiteZeile("C.UTF-8"), "Die Abst\xC3\xA4" + Rest);
}

TEST(Banner, ImTerminalMitCLocaleAlsEinByte) {
  EXPECT_EQ(ZweiteZeile("C"), "Die Abst\xE4" + Rest);
}

TEST(Banner, ImRohrAuchBeiUtf8AlsEinByte) {
  EXPECT_EQ(ZweiteZeile("C.UTF-8", false), "Die Abst\xE4" + Rest);
}

}  // namespace
