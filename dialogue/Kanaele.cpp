// The reports the dialogue and its passes share.
#include "Kanaele.hpp"

#include <cerrno>

#include "Fehlerausgabe.hpp"
#include "Unterbrechung.hpp"
#include "gaps/Schreiber.hpp"

namespace {
std::string DieDatei(const char* Pfad, const char* Was) {
  return std::string("Die Datei ") + Pfad + Was;
}
}  // namespace

std::string DieDatei(const Kanaele& k, const char* Was) {
  return DieDatei(k.Pfad, Was);
}

// A reason of the system's, or one of the file's own, which needs no errno.
void NichtGeoeffnet(const Fehlerausgabe& fehler, const char* Pfad, Oeffnung o,
                    int Nummer) {
  if (o == Oeffnung::IstDieFehlerausgabe) {
    return;
  }
  if (o == Oeffnung::Gescheitert) {
    fehler.Zeile(DieDatei(Pfad, " kann nicht geoeffnet werden"), Nummer);
    return;
  }
  fehler.Zeile(o == Oeffnung::Gesperrt
                   ? DieDatei(Pfad,
                              " wird gerade von einem anderen Programm "
                              "benutzt")
               : o == Oeffnung::FremderVerweis
                   ? DieDatei(Pfad,
                              " ist ein Verweis eines anderen Benutzers "
                              "und wird nicht geschrieben")
                   : std::string("Die Ausgabe geht in die Datei ") + Pfad +
                         " selbst; sie wird nicht geschrieben");
}

Ende AusgabeVerloren(const Kanaele& k) {
  const int Nummer = k.Ausgabe.Fehlernummer();
  if (const int Signal = unterbrechung::RohrbruchSignal();
      Nummer == EPIPE && Signal != 0) {
    return Ende{0, Signal};
  }
  k.fehler.Zeile("Die Ausgabe konnte nicht geschrieben werden", Nummer);
  return Ende{1};
}
