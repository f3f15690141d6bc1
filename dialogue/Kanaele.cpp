// The reports the dialogue and its passes share.
#include "Kanaele.hpp"

#include <cerrno>

#include "Fehlerausgabe.hpp"
#include "Unterbrechung.hpp"
#include "gaps/Schreiber.hpp"

std::string DieDatei(const Kanaele& k, const char* Was) {
  return std::string("Die Datei ") + k.Pfad + Was;
}

// A reason of the system's, or one of the file's own, which needs no errno.
void NichtGeoeffnet(const Kanaele& k, Oeffnung o, int Nummer) {
  if (o == Oeffnung::Gescheitert) {
    k.fehler.Zeile(DieDatei(k, " kann nicht geoeffnet werden"), Nummer);
    return;
  }
  k.fehler.Zeile(o == Oeffnung::Gesperrt
                     ? DieDatei(k,
                                " wird gerade von einem anderen Programm "
                                "benutzt")
                 : o == Oeffnung::FremderVerweis
                     ? DieDatei(k,
                                " ist ein Verweis eines anderen Benutzers "
                                "und wird nicht geschrieben")
                     : std::string("Die Ausgabe geht in die Datei ") + k.Pfad +
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
