# What a Debian user installs: the program, its menu entry and icon, the manual
# page and the copyright file, as brevane_<version>_<arch>.deb (`make package`).

include(GNUInstallDirs)

# Debian keeps manual pages compressed, reproducibly (no name or time stamp).
# Its version line comes from the project's version.
configure_file(app/resources/brevane.1 ${CMAKE_CURRENT_BINARY_DIR}/brevane.1 @ONLY)
set(BREVANE_MANPAGE ${CMAKE_CURRENT_BINARY_DIR}/brevane.1.gz)
add_custom_command(OUTPUT ${BREVANE_MANPAGE}
    COMMAND gzip -9 -n -c ${CMAKE_CURRENT_BINARY_DIR}/brevane.1 > ${BREVANE_MANPAGE}
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/brevane.1
    VERBATIM)
add_custom_target(brevane_manpage ALL DEPENDS ${BREVANE_MANPAGE})

install(FILES ${BREVANE_MANPAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES app/resources/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/brevane)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brevane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Velmor")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "firmware updater for the Arvella over MIDI")
set(CPACK_PACKAGE_DESCRIPTION
"Brevane loads new firmware into the Arvella through a standard MIDI
interface, as SysEx messages sent one by one with a fixed pause, while a
window shows the progress. The Arvella's firmware 1.2 is built in; a SysEx
file can be sent instead. An unattended mode (--autoupdate) does the same
from a script, with an exit status it can trust.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Brevane maintainers <maintainers@users.noreply.c-seed-a2e06a4f.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
