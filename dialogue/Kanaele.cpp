// The reports the dialogue and its passes share.
#include "Kanaele.hpp"

#include <cerrno>

#include "Texte.hpp"
#include "platform/Fehlerausgabe.hpp"
#include "platform/Schreiber.hpp"
#include "platform/Unterbrechung.hpp"

namespace {
std::string DieDatei(const char* Pfad, const char* Was) {
  return texte::DieDatei + std::string(Pfad) + Was;
}
}  // namespace

void DateiNichtGeschrieben(const Kanaele& k, int Nummer) {
  k.fehler.Zeile(DieDatei(k.Pfad, texte::NichtVollstaendig), Nummer);
}

// A reason of the system's, or one of the file's own, which needs no errno.
void NichtGeoeffnet(const Fehlerausgabe& fehler, const char* Pfad, Oeffnung o,
                    int Nummer) {
  switch (o) {
    case Oeffnung::IstDieFehlerausgabe:
    case Oeffnung::Offen:
      return;
    case Oeffnung::Gescheitert:
      fehler.Zeile(DieDatei(Pfad, texte::NichtGeoeffnet), Nummer);
      return;
    case Oeffnung::Gesperrt:
      fehler.Zeile(DieDatei(Pfad, texte::Gesperrt));
      return;
    case Oeffnung::FremderVerweis:
      fehler.Zeile(DieDatei(Pfad, texte::FremderVerweis));
      return;
    case Oeffnung::IstDieAusgabe:
      fehler.Zeile(texte::AusgabeInDieDatei + std::string(Pfad) +
                   texte::AusgabeInDieDateiEnde);
      return;
  }
}

Ausgang InDieDateiPruefen(const Fehlerausgabe& fehler, const char* Pfad,
                          int Deskriptor, Oeffnung Ja) {
  int Nummer = 0;
  const Oeffnung o =
      Abstandsdatei::AusgabePruefen(Pfad, Deskriptor, &Nummer, Ja);
  if (o == Oeffnung::Offen) {
    return std::nullopt;
  }
  NichtGeoeffnet(fehler, Pfad, o, Nummer);
  return Ende{1};
}

Ende AusgabeVerloren(const Kanaele& k) {
  const int Nummer = k.Ausgabe.Fehlernummer();
  if (const int Signal = unterbrechung::RohrbruchSignal();
      Nummer == EPIPE && Signal != 0) {
    return Ende{0, Signal};
  }
  k.fehler.Zeile(texte::AusgabeVerloren, Nummer);
  return Ende{1};
}
