# The packages tools/package builds with CPack: the Debian package on Linux
# (cmake/package_deb.cmake), the zip on Windows (cmake/package_zip.cmake). The
# version is the program's (cmake/version.cmake).
set(CPACK_PACKAGE_NAME tessorin)
set(CPACK_PACKAGE_VERSION ${TESSORIN_PACKAGE_VERSION})
set(CPACK_PACKAGE_VENDOR "the Tessorin developers")
set(CPACK_PACKAGE_CONTACT "Tessorin developers <tessorin@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "firmware download and RF test tool for the Tessorin radio chip")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)
# tools/package builds the packaged targets; CPack installs them without building the rest.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(TESSORIN_PACKAGE_TOOLS ${CMAKE_BINARY_DIR}/package-files)
file(MAKE_DIRECTORY ${TESSORIN_PACKAGE_TOOLS})
if(WIN32)
  include(${CMAKE_SOURCE_DIR}/cmake/package_zip.cmake)
else()
  include(${CMAKE_SOURCE_DIR}/cmake/package_deb.cmake)
endif()
include(CPack)
