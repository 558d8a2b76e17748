# The Debian package, made by CPack's DEB generator from the install rules below;
# dpkg-shlibdeps finds the libraries' packages for Depends.
find_program(TESSORIN_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(TESSORIN_GZIP gzip REQUIRED)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${TESSORIN_PACKAGE_VERSION})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The rule matters only where udev runs; Chinese needs a CJK font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS udev)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS fonts-noto-cjk)
set(CPACK_PACKAGE_DESCRIPTION
    "Tessorin reaches a 2.4 GHz / Bluetooth radio chip through its USB HID download
board. It downloads firmware (ROM images into chip RAM, DAT images into the
EEPROM behind the chip), interactively in its window or as an unattended
production station, and drives the chip's RF certification test modes from an
INI file. tessorin-run carries out the window's steps from a script, on an
emulated board or a real one.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/packaging/postinst ${CMAKE_SOURCE_DIR}/packaging/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(doc share/doc/tessorin)

install(TARGETS tessorin tessorin-run RUNTIME DESTINATION bin)
install(FILES ${CMAKE_SOURCE_DIR}/tools/udev/70-tessorin-board.rules DESTINATION lib/udev/rules.d)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/tessorin.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/tessorin.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/docs/runner.md ${CMAKE_SOURCE_DIR}/docs/results.md
              ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION ${doc})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/demo/ DESTINATION ${doc}/demo)

# Made at build time: the icon's sizes from its SVG, the man pages and the
# changelog gzipped as Debian keeps them (best compression, no time stamp).
set(made "")
foreach(size 16 22 24 32 48 64 128 256)
  set(png ${TESSORIN_PACKAGE_TOOLS}/icons/${size}x${size}/tessorin.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TESSORIN_PACKAGE_TOOLS}/icons/${size}x${size}
    COMMAND ${TESSORIN_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${CMAKE_SOURCE_DIR}/packaging/tessorin.svg
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/tessorin.svg)
  install(FILES ${png} DESTINATION share/icons/hicolor/${size}x${size}/apps)
  list(APPEND made ${png})
endforeach()

string(TIMESTAMP TESSORIN_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog.in ${TESSORIN_PACKAGE_TOOLS}/changelog @ONLY)
foreach(page packaging/tessorin.1 packaging/tessorin-run.1 ${TESSORIN_PACKAGE_TOOLS}/changelog)
  get_filename_component(name ${page} NAME)
  get_filename_component(source ${page} ABSOLUTE BASE_DIR ${CMAKE_SOURCE_DIR})
  set(gzipped ${TESSORIN_PACKAGE_TOOLS}/${name}.gz)
  add_custom_command(OUTPUT ${gzipped} COMMAND ${TESSORIN_GZIP} -9n -c ${source} > ${gzipped} DEPENDS ${source})
  list(APPEND made ${gzipped})
endforeach()
install(FILES ${TESSORIN_PACKAGE_TOOLS}/tessorin.1.gz ${TESSORIN_PACKAGE_TOOLS}/tessorin-run.1.gz DESTINATION share/man/man1)
install(FILES ${TESSORIN_PACKAGE_TOOLS}/changelog.gz DESTINATION ${doc})
add_custom_target(tessorin_package_files ALL DEPENDS ${made})
