# A Debian package of both programs: `cpack -G DEB` in the build folder. Its library dependencies
# are read from the binaries (dpkg-shlibdeps); the comparison script adds Python and AT-SPI.

# Debian's documentation files: the copyright and the compressed changelog.
set(deb_docdir ${CMAKE_INSTALL_DATADIR}/doc/orthova)
set(deb_changelog ${PROJECT_BINARY_DIR}/packaging/changelog.Debian.gz)
add_custom_command(OUTPUT ${deb_changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
  COMMAND gzip -n -9 -c ${CMAKE_CURRENT_LIST_DIR}/changelog > ${deb_changelog}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog)
add_custom_target(orthova_deb_docs ALL DEPENDS ${deb_changelog})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${deb_changelog} DESTINATION ${deb_docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orthova)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGE_VENDOR "The Orthova developers")
set(CPACK_PACKAGE_CONTACT "The Orthova developers <developers@orthova.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "learn from your own spelling mistakes")
set(CPACK_PACKAGE_DESCRIPTION
  "Typewarden, a status-bar agent, keeps each spelling correction you make in an
editor as a word pair. Lexotrace holds a graded spelling course and tells you
which lesson and rule each of your mistakes broke.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The comparison script runs under Debian's python3 and reads documents over AT-SPI.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "python3, python3-gi, gir1.2-atspi-2.0, at-spi2-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
