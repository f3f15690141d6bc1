// Generated dialogues: numbers of every shape, words, stray bytes, odd line
// ends and end of input anywhere. The generator knows what each read gets, so
// it knows the whole output and the data file, with the primes from a sieve.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <optional>
#include <random>
#include <string>

#include "Dialogtexte.hpp"
#include "Sieb.hpp"

namespace zufall {

inline constexpr std::uint64_t Grundsaat = 20261208;
inline constexpr std::uint64_t Oben = 4294967295u;

// What the program must write and store for the input.
struct Gespraech {
  std::string Eingabe, Ausgabe, Daten;
  bool Durchgang = false;  // false: no data file
};

// The listing of a pass over [Min, Max] as the dialogue shows it, and its
// gaps; the primes above 8 from a sieve.
inline void Auflisten(Gespraech& d, std::uint32_t Min, std::uint32_t Max) {
  const Sieb s(Min, Max);
  std::uint32_t Vorige = Min, Groesster = 0;
  d.Ausgabe += "\n";
  d.Daten.clear();
  for (std::uint64_t n = std::max<std::uint32_t>(Min, 9); n <= Max; ++n) {
    const auto k = static_cast<std::uint32_t>(n);
    if (s.IstPrim(k)) {
      const std::uint32_t a = k - Vorige;
      d.Ausgabe += (a > Groesster ? "\a" : "") + std::to_string(k) + "\t\t" +
                   std::to_string(std::max(a, Groesster)) + "\t" +
                   std::to_string(a) + "\t|";
      for (std::uint32_t b = a; b > 1; b >>= 1) {
        d.Ausgabe += "***";
      }
      d.Ausgabe += "\n";
      d.Daten += static_cast<char>(a & 0xFF);
      Groesster = std::max(a, Groesster);
      Vorige = k;
    }
  }
  d.Ausgabe += text::Schluss(std::to_string(Min | 1u), std::to_string(Max),
                             std::to_string(Groesster));
  d.Durchgang = true;
}

class Erzeuger {
 public:
  explicit Erzeuger(std::uint64_t Saat) : z_(Saat) {}

  // Up to eight ranges, each followed by an answer; the input may end or
  // fail anywhere, which ends the dialogue after one more question.
  Gespraech Machen() {
    d_.Ausgabe = text::Banner;
    for (int Schritt = 0; Schritt < 8; ++Schritt) {
      const bool Pass = Bereich();
      if (!Antwort()) {
        return d_;
      }
      d_.Ausgabe += Pass ? text::Banner : "";
    }
    Ende_ = true;  // the input ends at the next range
    Bereich();
    return d_;
  }

 private:
  std::uint64_t Zahl(std::uint64_t Von, std::uint64_t Bis) {
    return std::uniform_int_distribution<std::uint64_t>(Von, Bis)(z_);
  }
  // A count or an index: size_t is 32 bits wide on the 32-bit target.
  std::size_t Menge(std::uint64_t Von, std::uint64_t Bis) {
    return static_cast<std::size_t>(Zahl(Von, Bis));
  }
  bool Mal(int Prozent) { return Zahl(1, 100) <= std::uint64_t(Prozent); }

  void Anhaengen(const std::string& Wort) {
    static const char* const Arten[] = {
        " ", "\t", "\n", "\r\n", "\r", "\v", "\f", "  \t \n\n   \r\n\t "};
    d_.Eingabe += Wort + Arten[Zahl(0, 7)];
    if (Mal(5)) {
      d_.Eingabe += std::string(Menge(100, 3000), Mal(50) ? ' ' : '\n');
    }
  }

  // A token that no read takes for a number: it starts with neither a digit
  // nor a sign, and holds no white space.
  std::string Unsinn() {
    static const std::string Anfang =
        std::string("abcxyzJNQ!#%&*()_=[]{};:'\",.<>/?|~`") +
        std::string("\x00\x01\x02\x7F\x80\xC3\xE4\xFE\xFF", 9);
    std::string s(1, Anfang[Menge(0, Anfang.size() - 1)]);
    for (auto n = Zahl(0, 6); n > 0; --n) {
      char c;
      do {
        c = static_cast<char>(Zahl(0, 255));
      } while (c == ' ' || (c >= '\t' && c <= '\r'));
      s += c;
    }
    return s;
  }

  // After a failed read or a no the program reads nothing more: any bytes.
  void Rest() {
    for (auto n = Zahl(0, 4); n > 0; --n) {
      Anhaengen(Mal(50) ? Unsinn() : std::to_string(Zahl(0, 99)));
    }
  }

  // One number read: the value read, or nothing when the read fails (the
  // input ends, junk, a number beyond 32 bits); after that any bytes follow.
  std::optional<std::uint32_t> Lesen(std::uint32_t Wert) {
    const auto Art = Zahl(1, 100);
    if (Ende_ || Art <= 12) {
      if (!Ende_ && Art > 4) {
        Anhaengen(Art <= 9 ? Unsinn()
                           : (Mal(20) ? "-" : "") +
                                 std::to_string(Zahl(Oben + 1, Oben * 30)));
        Rest();
      }
      Ende_ = true;
      return std::nullopt;
    }
    const std::string Ziffern = std::to_string(Wert);
    switch (Zahl(0, 5)) {
      case 0:
        Anhaengen(std::string(Menge(1, 20), '0') + Ziffern);
        break;
      case 1:
        Anhaengen("+" + Ziffern);
        break;
      case 2:
        Anhaengen(Wert > 0x80000000u
                      ? "-" + std::to_string(0x100000000ull - Wert)
                      : Ziffern);
        break;
      default:
        Anhaengen(Ziffern);
    }
    return Wert;
  }

  std::uint32_t Untergrenze() {
    switch (Zahl(0, 5)) {
      case 0:
        return static_cast<std::uint32_t>(Zahl(0, 40));
      case 1:
        return static_cast<std::uint32_t>(Zahl(0, 5000));
      case 2:
        return static_cast<std::uint32_t>(Oben - Zahl(0, 4000));
      case 3:
        return static_cast<std::uint32_t>(Zahl(0, Oben));
      case 4:
        return Mal(50) ? 0u : static_cast<std::uint32_t>(Oben);
      default:
        return static_cast<std::uint32_t>(Zahl(0x80000000u, Oben));
    }
  }

  // The prompts and both reads; a failed read counts as 0. True for a pass.
  // The range stays a few thousand numbers wide, or is wrong on purpose.
  bool Bereich() {
    d_.Ausgabe += text::Bitten;
    const auto Min = Lesen(Untergrenze()).value_or(0);
    const std::int64_t Weit =
        Mal(25) ? -std::int64_t(Zahl(0, 30)) : std::int64_t(Zahl(1, 3000));
    const auto Max =
        Ende_ ? 0
              : Lesen(static_cast<std::uint32_t>(
                          std::clamp<std::int64_t>(Min + Weit, 0, Oben)))
                    .value_or(0);
    if (Min < Max) {
      Auflisten(d_, Min, Max);
    } else {
      d_.Ausgabe += text::Beschwerde(std::to_string(Min), std::to_string(Max));
    }
    d_.Ausgabe += text::Frage;
    return Min < Max;
  }

  // True for "ja", at times with more on the same line; any other word, or
  // the end of the input, or a read that failed before, is no.
  bool Antwort() {
    const auto Art = Zahl(1, 100);
    if (Ende_ || (Art > 70 && Art <= 75)) {
      return false;  // no answer: the input has ended
    }
    if (Art <= 70) {
      const std::string Ja = Mal(30) ? "\n\n  ja" : "ja";
      if (Mal(20)) {
        d_.Eingabe += Ja + " ";  // more follows on the same line
      } else {
        Anhaengen(Ja);
      }
      return true;
    }
    static const char* const Nein[] = {"Ja", "JA", "nein", "jaa", "j", "yes"};
    Anhaengen(Art <= 90 ? std::string(Nein[Zahl(0, 5)]) : Unsinn());
    Rest();
    return false;
  }

  std::mt19937_64 z_;
  Gespraech d_;
  bool Ende_ = false;  // the input has ended or failed
};

// Empty when the program's end, output and data file are what `d` says;
// else what differs first.
inline std::string Abweichung(const Gespraech& d, int Status,
                              const std::string& Aus, const std::string& Fehler,
                              const std::optional<std::string>& Daten) {
  if (Status != 0) return "exit status " + std::to_string(Status);
  if (!Fehler.empty()) return "standard error: " + Fehler;
  const auto [Soll, Ist] =
      std::mismatch(d.Ausgabe.begin(), d.Ausgabe.end(), Aus.begin(), Aus.end());
  if (Soll != d.Ausgabe.end() || Ist != Aus.end()) {
    const auto i = static_cast<std::size_t>(Soll - d.Ausgabe.begin());
    return "output differs at byte " + std::to_string(i) + ": expected \"" +
           d.Ausgabe.substr(i, 60) + "\", got \"" + Aus.substr(i, 60) + "\"";
  }
  if (Daten.has_value() != d.Durchgang) return "data file without a pass";
  return Daten.value_or("") == d.Daten ? "" : "data file differs";
}

// Tries the dialogues of `Anzahl` seeds from Grundsaat on, or of the one
// that PRIMZAHLABSTAND_SEED names: `Versuch` runs one and says what differs.
// A failing dialogue prints its seed; the first five failures end the run.
inline void Versuchen(
    std::uint64_t Anzahl,
    const std::function<std::string(const Gespraech&)>& Versuch) {
  std::uint64_t Von = Grundsaat, Bis = Grundsaat + Anzahl;
  if (const char* s = std::getenv("PRIMZAHLABSTAND_SEED")) {
    Von = std::strtoull(s, nullptr, 10);
    Bis = Von + 1;
  }
  std::size_t Bytes = 0, Fehlschlaege = 0;
  for (std::uint64_t Saat = Von; Saat < Bis && Fehlschlaege < 5; ++Saat) {
    const Gespraech d = Erzeuger(Saat).Machen();
    Bytes += d.Eingabe.size();
    const std::string f = Versuch(d);
    if (!f.empty()) {
      ++Fehlschlaege;
      ADD_FAILURE() << "seed " << Saat
                    << " (replay: PRIMZAHLABSTAND_SEED=" << Saat << "): " << f;
    }
  }
  std::cout << (Bis - Von) << " dialogues, " << Bytes
            << " bytes of random input\n";
}

}  // namespace zufall
