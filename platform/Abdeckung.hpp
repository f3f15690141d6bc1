// The coverage build's hooks (gcov), empty in every other build: counts that
// survive a file-size limit set by a test and an end by a signal.
#pragma once

#ifdef PRIMZAHLABSTAND_ABDECKUNG
void AbdeckungEinrichten();  // at the start of the program
void AbdeckungSichern();     // before a signal ends the program
#else
inline void AbdeckungEinrichten() {}
inline void AbdeckungSichern() {}
#endif
