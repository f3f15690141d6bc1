// The program's body.
#include "Programm.hpp"

#include "Aufruf.hpp"
#include "Kanaele.hpp"
#include "Texte.hpp"
#include "platform/Fehlerausgabe.hpp"
#include "platform/Konsole.hpp"
#include "platform/Leser.hpp"
#include "platform/Schreiber.hpp"
#include "platform/Unterbrechung.hpp"

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
  const Fehlerausgabe fehler(u.Fehler, texte::Vorsatz,
                             unterbrechung::Unterbrochen);
  const char* const Pfad = u.Pfad != nullptr ? u.Pfad : texte::Datenpfad;
  // Standard error appended to the data file would put its lines into it:
  // refused before its first line can be written.
  if (const Ausgang a = InDieDateiPruefen(fehler, Pfad, u.Fehler,
                                          Oeffnung::IstDieFehlerausgabe)) {
    return *a;
  }
  if (const auto Status = Optionen(argc, argv, Ausgabe, fehler)) {
    return Ende{*Status};
  }
  if (const int Nummer = unterbrechung::Einrichten()) {
    fehler.Zeile(texte::SignaleNicht, Nummer);
    return Ende{1};
  }
  OrdnerPruefen(Pfad, fehler);
  Leser Eingabe(u.Ein, unterbrechung::Unterbrochen);
  const Ende e = Dialog(Eingabe, Ausgabe, fehler, Pfad);
  unterbrechung::Ruhen();
  return e;
}
