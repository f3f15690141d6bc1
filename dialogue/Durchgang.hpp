// One pass over an accepted range: the data file created anew, a listing line
// per prime with its gap stored once the line is shown, the summary, and the
// file closed. The pass owns the open file, says when it is open, and decides
// how an interrupt ends it.
#pragma once

#include <cstdint>

#include "Kanaele.hpp"
#include "gaps/Abstandsdatei.hpp"

class Durchgang {
 public:
  explicit Durchgang(const Kanaele& k);
  Durchgang(const Durchgang&) = delete;
  Durchgang& operator=(const Durchgang&) = delete;

  // Runs the pass; `Minimalwert` ends as the scan leaves it. Nothing when
  // the dialogue goes on; else its end: an interrupt noted during the pass
  // ends the program by its signal once the file is closed, which keeps
  // exactly the gaps of the lines shown.
  Ausgang Ausfuehren(std::uint32_t& Minimalwert, std::uint32_t Maximalwert);

 private:
  std::uint32_t Auflisten(std::uint32_t& Minimalwert,
                          std::uint32_t Maximalwert);
  Ausgang Beenden();

  const Kanaele& k_;
  Abstandsdatei Datei_;
};
