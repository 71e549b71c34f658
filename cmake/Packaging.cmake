# Debian package of the installation: `cpack -G DEB` in a build folder makes
# tallyvane_<version>_<arch>.deb. The package installs under /usr, whatever
# prefix the build was configured with for `cmake --install`.
set(TV_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)

# What Debian asks of every package beside the program: the copyright, the
# changelog and a manual page, the last two compressed as Debian wants them
# (gzip -9, no time stamp, so the package builds the same twice).
set(TV_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tallyvane)
set(TV_GZIPPED ${CMAKE_BINARY_DIR}/packaging)
foreach(file changelog tallyvane.1)
  add_custom_command(OUTPUT ${TV_GZIPPED}/${file}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TV_GZIPPED}
    COMMAND sh -c "gzip -9n < '${TV_PACKAGING}/${file}' > '${TV_GZIPPED}/${file}.gz'"
    DEPENDS ${TV_PACKAGING}/${file}
    VERBATIM)
endforeach()
add_custom_target(tv_package_docs ALL
  DEPENDS ${TV_GZIPPED}/changelog.gz ${TV_GZIPPED}/tallyvane.1.gz)
install(FILES ${TV_PACKAGING}/copyright ${TV_GZIPPED}/changelog.gz DESTINATION ${TV_DOC_DIR})
install(FILES ${TV_GZIPPED}/tallyvane.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tallyvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Kestrune)
set(CPACK_PACKAGE_CONTACT "Kestrune <tallyvane@kestrune.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "scoreboard for the player statistics of two teams")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# MIT; Debian reads it from the copyright file installed above.
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kestrune <tallyvane@kestrune.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Read here rather than named as CPACK_PACKAGE_DESCRIPTION_FILE, which CPack
# escapes for XML on its way into the control file.
file(READ ${TV_PACKAGING}/description.txt CPACK_DEBIAN_PACKAGE_DESCRIPTION)
# The libraries come from dpkg-shlibdeps; the layouts and screenshots are
# drawn with Liberation's metric twins of Arial and Times New Roman.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)

include(CPack)
