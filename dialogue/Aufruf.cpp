// Command-line options and the data folder's notice.
#include "Aufruf.hpp"

#include "Fehlerausgabe.hpp"
#include "gaps/Abstandsdatei.hpp"
#include "gaps/Schreiber.hpp"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>
#include <string>
#include <system_error>

namespace {

// The help text, around the data file's path.
constexpr const char* HilfeAnfang =
    "Aufruf: primzahlabstand [--help | --version]\n"
    "\n"
    "Berechnet die Primzahlen eines Bereichs und deren Abstand voneinander.\n"
    "Den Bereich (Minimalwert und Maximalwert, ganze Zahlen von 0 bis\n"
    "4294967295) fragt das Programm im Dialog ab. Jede Primzahl ueber 8 wird\n"
    "mit dem groessten Abstand bisher, ihrem Abstand und einem Balken\n"
    "gezeigt. Nach jedem Durchgang setzt nur die Antwort \"ja\" fort.\n"
    "\n"
    "Jeder Abstand wird als ein Byte (der Abstand modulo 256) in der Datei\n";
// Between the file, its folder as Windows writes it, and as the path names it.
constexpr const char* HilfeWindows = " gespeichert: unter Windows in ";
constexpr const char* HilfeSonst = ", sonst im\nOrdner ";
constexpr const char* HilfeEnde =
    " unterhalb des Arbeitsverzeichnisses. Der Ordner muss\n"
    "vorhanden sein; das Programm legt ihn nicht an.\n"
    "\n"
    "Optionen:\n"
    "  --help     diese Hilfe zeigen\n"
    "  --version  Version und Lizenz zeigen\n"
    "\n"
    "Exit-Status:\n"
    "  0  der Dialog ist beendet (jede Antwort ausser \"ja\", Ende der "
    "Eingabe)\n"
    "  1  ein Fehler; eine Zeile auf der Fehlerausgabe sagt, welcher\n"
    "  2  unbekanntes Argument\n"
    "Ein Signal (etwa Strg+C) beendet das Programm, wie es Programme "
    "beendet.\n";

// The data file's folder as its path names it ("c:/temp"), and as Windows
// writes it ("C:\\temp").
std::string Datenordner() {
  const std::string Pfad = Datenpfad;
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
    aus << HilfeAnfang << Datenpfad << HilfeWindows
        << WindowsSchreibweise(Datenordner()) << HilfeSonst << Datenordner()
        << HilfeEnde;
  } else if (Argument == "--version") {
    aus << "primzahlabstand " PRIMZAHLABSTAND_VERSION "\n"
        << "Lizenz: MIT <https://opensource.org/licenses/MIT>\n";
  } else {
    fehler.Zeile("unbekanntes Argument \"" + Argument +
                 "\" (Hilfe: primzahlabstand --help)");
    return 2;
  }
  aus.flush();
  if (aus.fail()) {
    fehler.Zeile("Die Ausgabe konnte nicht geschrieben werden",
                 Ausgabe.Fehlernummer());
    return 1;
  }
  return 0;
}

void OrdnerPruefen(const char* Pfad, const Fehlerausgabe& fehler) {
  namespace fs = std::filesystem;
  const fs::path Ordner = fs::path(Pfad).parent_path();
  std::error_code f;
  const fs::file_status Art = fs::status(Ordner, f);
  const bool Fehlt = Art.type() == fs::file_type::not_found;
  if (!Fehlt && (f || fs::is_directory(Art))) {
    return;  // there, or unknown (no permission to look): nothing to say
  }
  std::string Name = Ordner.generic_string();
  const fs::path Absolut = fs::absolute(Ordner, f);
  if (!f && Absolut != Ordner) {
    Name += " (" + Absolut.string() + ")";
  }
  fehler.Zeile(Fehlt ? "Der Ordner " + Name +
                           " fehlt: die Durchgaenge koennen "
                           "erst gespeichert werden, wenn es "
                           "ihn gibt"
                     : Name +
                           " ist kein Ordner: die Durchgaenge koennen erst "
                           "gespeichert werden, wenn dort ein Ordner ist");
}
