// Command-line options and the data folder's notice.
#include "Aufruf.hpp"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <ostream>
#include <string>

#include "Texte.hpp"
#include "platform/Fehlerausgabe.hpp"
#include "platform/Plattform.hpp"
#include "platform/Schreiber.hpp"

namespace {

// The data file's folder as its path names it ("c:/temp"), and as Windows
// writes it ("C:\\temp").
std::string Datenordner() {
  const std::string Pfad = texte::Datenpfad;
  return Pfad.substr(0, Pfad.rfind('/'));
}

std::string WindowsSchreibweise(std::string Ordner) {
  Ordner[0] =
      static_cast<char>(std::toupper(static_cast<unsigned char>(Ordner[0])));
  std::replace(Ordner.begin(), Ordner.end(), '/', '\\');
  return Ordner;
}

}  // namespace

std::optional<int> Optionen(int argc, const char* const* argv,
                            Schreiber& Ausgabe, const Fehlerausgabe& fehler) {
  if (argc < 2) {
    return std::nullopt;
  }
  std::ostream aus(&Ausgabe);
  const std::string Argument = argv[1];
  if (Argument == "--help") {
    aus << texte::HilfeAnfang << texte::Datenpfad << texte::HilfeWindows
        << WindowsSchreibweise(Datenordner()) << texte::HilfeSonst
        << Datenordner() << texte::HilfeEnde;
  } else if (Argument == "--version") {
    aus << texte::Version << texte::Lizenz;
  } else {
    fehler.Zeile(texte::UnbekanntesArgument + Argument +
                 texte::UnbekanntesArgumentEnde);
    return 2;
  }
  aus.flush();
  if (aus.fail()) {
    fehler.Zeile(texte::AusgabeVerloren, Ausgabe.Fehlernummer());
    return 1;
  }
  return 0;
}

void OrdnerPruefen(const char* Pfad, const Fehlerausgabe& fehler) {
  // The path is only taken apart here; the looks go through the platform.
  namespace fs = std::filesystem;
  const fs::path Ordner = fs::path(Pfad).parent_path();
  const plattform::Art Art = plattform::Ansehen(Ordner.string().c_str());
  const bool Fehlt = Art.Fehler == ENOENT || Art.Fehler == ENOTDIR;
  if (!Fehlt && (Art.Fehler != 0 || Art.Ordner)) {
    return;  // there, or unknown (no permission to look): nothing to say
  }
  std::string Name = Ordner.generic_string();
  const std::string Absolut = plattform::Absolut(Ordner.string().c_str());
  if (!Absolut.empty() && fs::path(Absolut) != Ordner) {
    Name += " (" + Absolut + ")";
  }
  fehler.Zeile(Fehlt ? texte::DerOrdner + Name + texte::OrdnerFehlt
                     : Name + texte::KeinOrdner);
}
