// The continue question.
#include "Fortsetzen.hpp"

#include <istream>
#include <locale>
#include <ostream>
#include <streambuf>

#include "Texte.hpp"

namespace {

// Reads one word as `ein >> std::string` would (leading white space skipped,
// the white space after it left in the input, the same stream states) but
// keeps none of it: only whether it was exactly "ja". So an answer of any
// length costs no memory.
bool WortIstJa(std::istream& ein) {
  const std::istream::sentry Bereit(ein);  // skips the leading white space
  if (!Bereit) {
    return false;
  }
  const auto& Art = std::use_facet<std::ctype<char>>(ein.getloc());
  std::streambuf& Quelle = *ein.rdbuf();
  constexpr std::size_t JaLaenge = sizeof texte::Ja - 1;
  std::size_t Laenge = 0;
  bool Gleich = true;
  for (auto c = Quelle.sgetc();; c = Quelle.snextc()) {
    if (std::istream::traits_type::eq_int_type(
            c, std::istream::traits_type::eof())) {
      ein.setstate(std::ios::eofbit);
      break;
    }
    const char Zeichen = std::istream::traits_type::to_char_type(c);
    if (Art.is(std::ctype_base::space, Zeichen)) {
      break;
    }
    Gleich = Gleich && Laenge < JaLaenge && Zeichen == texte::Ja[Laenge];
    ++Laenge;
  }
  return Gleich && Laenge == JaLaenge;
}

}  // namespace

bool Fortsetzen(std::istream& ein, std::ostream& aus) {
  aus << texte::NeueEingabe << std::endl;
  if (aus.fail()) {
    // Nobody can see the question, so do not wait for an answer.
    return false;
  }
  return WortIstJa(ein);
}
