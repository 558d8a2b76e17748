# The Linux program with its Qt 6 window (qt/), and the window's test suite,
# which runs on Qt's offscreen platform.
find_package(Qt6 REQUIRED COMPONENTS Widgets)

# libxcb: whether the X display answers before Qt is asked to open it.
pkg_check_modules(XCB REQUIRED IMPORTED_TARGET xcb)
tessorin_layer(qt tessorin_app Qt6::Widgets PkgConfig::XCB)
# The Windows program's icon, the same file.
qt_add_resources(tessorin_qt tessorin_icon PREFIX /tessorin BASE ${CMAKE_SOURCE_DIR}/win32
                 FILES ${CMAKE_SOURCE_DIR}/win32/tessorin.ico)

add_executable(tessorin ${CMAKE_SOURCE_DIR}/qt/tessorin_main.cpp)
target_link_libraries(tessorin PRIVATE tessorin_qt tessorin_station)

file(GLOB QT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/qt/*.cpp)
if(TESSORIN_TESTS AND QT_TEST_SOURCES)
  find_package(Qt6 REQUIRED COMPONENTS Test)
  # Its own main, which makes the one QApplication of the suite.
  add_executable(tessorin_qt_tests ${QT_TEST_SOURCES})
  target_link_libraries(tessorin_qt_tests PRIVATE tessorin_qt tessorin_runner GTest::gtest Qt6::Test)
  # The start-up tests run the program itself, beside the suite.
  add_dependencies(tessorin_qt_tests tessorin)
  gtest_discover_tests(tessorin_qt_tests DISCOVERY_TIMEOUT 60)
endif()
