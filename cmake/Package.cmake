# cpack: a Debian package of what cmake --install puts in place, under /usr. Its dependencies
# come from the executables (dpkg-shlibdeps); the manual page and changelog are compressed and
# the copyright added in the staging folder (cmake/PackageDocs.cmake), so a plain install keeps
# its plain manual page.
set(CPACK_GENERATOR DEB)
# cpack installs what is built, without building the whole tree (tests included) first;
# scripts/package builds the two programs.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_PACKAGE_NAME orvik3)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The desktop entry is written at install time from the prefix, which must then be /usr itself.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "Orvik 3 service <service@orvik3.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "set-up and service program for the Orvik 3 thermal camera")
set(CPACK_PACKAGE_DESCRIPTION
    "Reads the camera's status into a Camera Setup Summary over a serial line,\n"
    "sets its clock and settings, downloads, colours and saves its stored\n"
    "pictures, and gives service engineers a raw console. A simulated camera,\n"
    "a command line and JSON output come with it.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
# Installed as a component, so the install manifest cpack leaves in the build folder is not the
# one a user's `cmake --install` wrote (install_manifest.txt).
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};Unspecified;/")
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog
               @ONLY)
set(CPACK_ORVIK_PACKAGE_DOCS ${CMAKE_SOURCE_DIR}/packaging/copyright
    ${CMAKE_BINARY_DIR}/packaging/changelog)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/PackageDocs.cmake)
include(CPack)
