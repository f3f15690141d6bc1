# Reads the #include lines of platform/ and gaps/ and fails, naming each
# FILE:LINE, where a lower layer includes a higher one: platform/ may include
# neither gaps/ nor dialogue/, gaps/ not dialogue/.
# Usage: cmake -DQUELLEN=SOURCE-ROOT -P Schichten.cmake
set(hoeher_platform "gaps|dialogue")
set(hoeher_gaps "dialogue")
set(verstoesse 0)
foreach(schicht platform gaps)
  file(GLOB dateien RELATIVE ${QUELLEN} ${QUELLEN}/${schicht}/*.hpp
       ${QUELLEN}/${schicht}/*.cpp)
  foreach(datei IN LISTS dateien)
    file(READ ${QUELLEN}/${datei} inhalt)
    # One list element per line: list separators and brackets made harmless.
    string(REGEX REPLACE "[][;\\]" "_" inhalt "${inhalt}")
    string(REPLACE "\n" ";" zeilen "${inhalt}")
    set(nummer 0)
    foreach(zeile IN LISTS zeilen)
      math(EXPR nummer "${nummer} + 1")
      if(zeile MATCHES "^[ \t]*#[ \t]*include[ \t]*[\"<](${hoeher_${schicht}})/")
        message("${datei}:${nummer}: ${schicht}/ includes ${CMAKE_MATCH_1}/: ${zeile}")
        math(EXPR verstoesse "${verstoesse} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()
if(verstoesse GREATER 0)
  message(FATAL_ERROR "${verstoesse} include(s) against the layers' direction")
endif()
