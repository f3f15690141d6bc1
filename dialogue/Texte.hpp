// Every fixed text of the dialogue, each whole on one line, named after its
// place in the dialogue, so that a grep for what the user sees lands here.
// The listing line's tabs, bar and bell are its format (gaps/Listenzeile).
// Only the dialogue's own sources include this file, never a header or a
// test: tests keep their own texts.
// clang-format off
#pragma once

namespace texte {

// Where the gaps go. On systems without drive letters this is a relative
// path whose first folder is named "c:".
inline constexpr char Datenpfad[] = "c:/temp/PRIMraw8bit.dat";

// The banner: two lines, the data path, then " \n \n".
inline constexpr char BannerZeile1[] = "Dieses Programm berechnet Primzahlen und deren Abstand voneinander. \n";
inline constexpr char BannerZeile2[] = "Die Abst\xE4nde zwischen den Primzahlen werden in folgender Datei gespeichert: \n";
inline constexpr char BannerPfadEnde[] = " \n \n";

// The range prompts.
inline constexpr char BitteMinimalwert[] = "Bitte Minimalwert eingeben: \n";
inline constexpr char BitteMaximalwert[] = "Bitte Maximalwert eingeben: \n";

// The complaint: "Sie haben " lower " und " upper " eingegeben. \n".
inline constexpr char FalscheEingabe[] = "Falsche Eingabe! \a \n";
inline constexpr char BeschwerdeAnfang[] = "Sie haben ";
inline constexpr char BeschwerdeUnd[] = " und ";
inline constexpr char BeschwerdeEnde[] = " eingegeben. \n";

// The summary: "sind Primzahlen von " lower " bis " upper; then the largest
// gap after its words; then the farewell.
inline constexpr char SummeVon[] = "sind Primzahlen von ";
inline constexpr char SummeBis[] = " bis ";
inline constexpr char GroessterAbstandIst[] = "Der groesste Abstand zwischen zwei Primzahlen ist ";
inline constexpr char Abschied[] = "Viele Gruesse von Quelmarn (Zerlip)";

// The continue question, and the one answer that goes on.
inline constexpr char NeueEingabe[] = "Neue Eingabe? ja/nein";
inline constexpr char Ja[] = "ja";

// --help: the start, the data path, the Windows folder, the folder as the
// path names it, the end.
inline constexpr char HilfeAnfang[] =
    "Aufruf: primzahlabstand [--help | --version]\n"
    "\n"
    "Berechnet die Primzahlen eines Bereichs und deren Abstand voneinander.\n"
    "Den Bereich (Minimalwert und Maximalwert, ganze Zahlen von 0 bis\n"
    "4294967295) fragt das Programm im Dialog ab. Jede Primzahl ueber 8 wird\n"
    "mit dem groessten Abstand bisher, ihrem Abstand und einem Balken\n"
    "gezeigt. Nach jedem Durchgang setzt nur die Antwort \"ja\" fort.\n"
    "\n"
    "Jeder Abstand wird als ein Byte (der Abstand modulo 256) in der Datei\n";
inline constexpr char HilfeWindows[] = " gespeichert: unter Windows in ";
inline constexpr char HilfeSonst[] = ", sonst im\nOrdner ";
inline constexpr char HilfeEnde[] =
    " unterhalb des Arbeitsverzeichnisses. Der Ordner muss\n"
    "vorhanden sein; das Programm legt ihn nicht an.\n"
    "\n"
    "Optionen:\n"
    "  --help     diese Hilfe zeigen\n"
    "  --version  Version und Lizenz zeigen\n"
    "\n"
    "Exit-Status:\n"
    "  0  der Dialog ist beendet (jede Antwort ausser \"ja\", Ende der Eingabe)\n"
    "  1  ein Fehler; eine Zeile auf der Fehlerausgabe sagt, welcher\n"
    "  2  unbekanntes Argument\n"
    "Ein Signal (etwa Strg+C) beendet das Programm, wie es Programme beendet.\n";

// --version; the number comes from the build.
inline constexpr char Version[] = "primzahlabstand " PRIMZAHLABSTAND_VERSION "\n";
inline constexpr char Lizenz[] = "Lizenz: MIT <https://opensource.org/licenses/MIT>\n";

// Every line on standard error starts so.
inline constexpr char Vorsatz[] = "primzahlabstand: ";

// An unknown argument: the start, the argument, the end.
inline constexpr char UnbekanntesArgument[] = "unbekanntes Argument \"";
inline constexpr char UnbekanntesArgumentEnde[] = "\" (Hilfe: primzahlabstand --help)";

// The data folder's notice: "Der Ordner " folder " fehlt: ...", or folder
// " ist kein Ordner: ...".
inline constexpr char DerOrdner[] = "Der Ordner ";
inline constexpr char OrdnerFehlt[] = " fehlt: die Durchgaenge koennen erst gespeichert werden, wenn es ihn gibt";
inline constexpr char KeinOrdner[] = " ist kein Ordner: die Durchgaenge koennen erst gespeichert werden, wenn dort ein Ordner ist";

// The data file's lines: "Die Datei " path and one of the endings; or the
// output in the file: its start, the path, its end.
inline constexpr char DieDatei[] = "Die Datei ";
inline constexpr char NichtGeoeffnet[] = " kann nicht geoeffnet werden";
inline constexpr char Gesperrt[] = " wird gerade von einem anderen Programm benutzt";
inline constexpr char FremderVerweis[] = " ist ein Verweis eines anderen Benutzers und wird nicht geschrieben";
inline constexpr char NichtVollstaendig[] = " konnte nicht vollstaendig geschrieben werden";
inline constexpr char AusgabeInDieDatei[] = "Die Ausgabe geht in die Datei ";
inline constexpr char AusgabeInDieDateiEnde[] = " selbst; sie wird nicht geschrieben";

// The other failures, each before ": " and the reason.
inline constexpr char AusgabeVerloren[] = "Die Ausgabe konnte nicht geschrieben werden";
inline constexpr char EingabeVerloren[] = "Die Eingabe konnte nicht gelesen werden";
inline constexpr char SignaleNicht[] = "Die Signale koennen nicht eingerichtet werden";

}  // namespace texte
