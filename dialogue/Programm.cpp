// The program's body.
#include "Programm.hpp"

#include "Aufruf.hpp"
#include "Fehlerausgabe.hpp"
#include "Kanaele.hpp"
#include "Konsole.hpp"
#include "Leser.hpp"
#include "Unterbrechung.hpp"
#include "gaps/Schreiber.hpp"

namespace {

// Standard error appended to the data file would put its lines into it:
// refused before its first line can be written.
Ausgang FehlerausgabePruefen(const Umgebung& u, const Fehlerausgabe& fehler) {
  int Nummer = 0;
  const Oeffnung o = Abstandsdatei::AusgabePruefen(
      u.Pfad, u.Fehler, &Nummer, Oeffnung::IstDieFehlerausgabe);
  if (o == Oeffnung::Offen) {
    return std::nullopt;
  }
  NichtGeoeffnet(fehler, u.Pfad, o, Nummer);
  return Ende{1};
}

}  // namespace

Ende Programm(int argc, const char* const* argv, const Umgebung& u) {
  // Standard output, the descriptor the caller gave, through our own writer:
  // one write per flushed line, the first failure's reason kept, and the
  // banner's letter as the console shows it. Once an interrupt is noted it
  // writes nothing more. Each writer and the reader are given the one stop
  // question.
  Schreiber Ausgabe(
      u.Aus, KonsolenSchreibfunktion(u.Aus, unterbrechung::Unterbrochen));
  Ausgabe.AbbruchBeachten(unterbrechung::Unterbrochen,
                          Schreiber::Abbruch::Sofort);
  const Fehlerausgabe fehler(u.Fehler, unterbrechung::Unterbrochen);
  if (const Ausgang a = FehlerausgabePruefen(u, fehler)) {
    return *a;
  }
  if (const auto Status = Optionen(argc, argv, Ausgabe, fehler)) {
    return Ende{*Status};
  }
  if (const int Nummer = unterbrechung::Einrichten()) {
    fehler.Zeile("Die Signale koennen nicht eingerichtet werden", Nummer);
    return Ende{1};
  }
  OrdnerPruefen(u.Pfad, fehler);
  Leser Eingabe(u.Ein, unterbrechung::Unterbrochen);
  const Ende e = Dialog(Eingabe, Ausgabe, fehler, u.Pfad);
  unterbrechung::Ruhen();
  return e;
}
