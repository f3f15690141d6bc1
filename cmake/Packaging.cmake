# Installation and packages: a Debian package on Linux, a ZIP on Windows.
set(CPACK_PACKAGE_NAME primzahlabstand)
set(CPACK_PACKAGE_VENDOR "primzahlabstand developers")
set(CPACK_PACKAGE_CONTACT "primzahlabstand developers <maintainers@users.noreply.c-seed-ebe83d4d.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  install(TARGETS primzahlabstand RUNTIME DESTINATION .)
  install(FILES packaging/LIESMICH.txt LICENSE DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win32)
else()
  include(GNUInstallDirs)
  install(TARGETS primzahlabstand RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # Debian wants manual pages compressed.
  find_program(GZIP gzip REQUIRED)
  set(man ${CMAKE_CURRENT_BINARY_DIR}/primzahlabstand.1.gz)
  add_custom_command(OUTPUT ${man}
    COMMAND ${GZIP} -9nc ${PROJECT_SOURCE_DIR}/packaging/primzahlabstand.1 > ${man}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/primzahlabstand.1)
  add_custom_target(manpage ALL DEPENDS ${man})
  install(FILES ${man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION math)
  # The long description; CPack puts the summary line before it, indents
  # each line and turns the empty one into Debian's paragraph separator.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "An interactive console program with a German dialogue. The user types a
range of whole numbers (0 to 4294967295); the program lists every prime
above 8 in it with the largest gap so far, the gap to the previous prime
and a bar of asterisks that grows by three each time the gap doubles. A new
record gap rings the terminal bell.

Every gap is also stored as one raw byte (the gap modulo 256) in the file
c:/temp/PRIMraw8bit.dat below the working directory; the folder must exist.
After each pass the program asks whether to go on.")
  # A native package keeps its history as changelog.gz.
  set(changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
  add_custom_command(OUTPUT ${changelog}
    COMMAND ${GZIP} -9nc ${PROJECT_SOURCE_DIR}/packaging/changelog > ${changelog}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog)
  add_custom_target(changelog ALL DEPENDS ${changelog})
  install(FILES ${changelog} DESTINATION ${CMAKE_INSTALL_DOCDIR})
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6 (>= 2.34), libgcc-s1 (>= 3.0), libstdc++6 (>= 12)")
endif()

include(CPack)
