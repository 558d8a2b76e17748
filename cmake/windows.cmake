# Windows build (mingw-w64 cross-build, see cmake/mingw-w64.cmake): the layers
# with their *_win32.cpp files, the GUI program tessorin.exe and the Windows test suite.
enable_language(RC)

# Wide Win32 API throughout; CancelIoEx needs Vista or later.
target_compile_definitions(tessorin_base PUBLIC UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
target_link_libraries(tessorin_base PUBLIC bcrypt)
target_link_libraries(tessorin_report PUBLIC shlwapi)
target_link_libraries(tessorin_device PUBLIC setupapi hid)

# nlohmann-json is header-only and Debian ships it for the host: its own folder
# goes on the include path through a link, never the host's /usr/include.
set(TESSORIN_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
if(NOT EXISTS /usr/include/nlohmann/json.hpp)
  message(FATAL_ERROR "nlohmann/json.hpp is missing (Debian: nlohmann-json3-dev)")
endif()
file(MAKE_DIRECTORY ${TESSORIN_HOST_HEADERS})
file(CREATE_LINK /usr/include/nlohmann ${TESSORIN_HOST_HEADERS}/nlohmann SYMBOLIC)
target_include_directories(tessorin_station SYSTEM PUBLIC ${TESSORIN_HOST_HEADERS})

# The dialog on plain Win32, shared by the program and the window tests.
set(TESSORIN_RESOURCES ${CMAKE_SOURCE_DIR}/win32/tessorin.rc)
tessorin_layer(win32 tessorin_app comctl32 comdlg32 shell32 shlwapi gdi32 user32)

add_executable(tessorin WIN32 ${CMAKE_SOURCE_DIR}/win32/tessorin_main.cpp ${TESSORIN_RESOURCES})
target_link_libraries(tessorin PRIVATE tessorin_win32 tessorin_station)
target_link_options(tessorin PRIVATE -municode)

if(TESSORIN_TESTS)
  enable_testing()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Third-party code: its warnings are not ours to fail on.
  target_compile_options(gtest PRIVATE -Wno-error)
  target_compile_options(gtest_main PRIVATE -Wno-error)

  # Every file of tests/win32: the suites and the helpers they share; and the
  # portable suites of code that has a Windows file of its own.
  file(GLOB WIN32_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp)
  list(APPEND WIN32_TEST_SOURCES ${CMAKE_SOURCE_DIR}/tests/base/sha256_test.cpp
       ${CMAKE_SOURCE_DIR}/tests/station/results_file_test.cpp ${CMAKE_SOURCE_DIR}/tests/device/board_lock_test.cpp)
  if(WIN32_TEST_SOURCES)
    # The dialog template is loaded from the test executable's own resources.
    add_executable(tessorin_win32_tests ${WIN32_TEST_SOURCES} ${TESSORIN_RESOURCES})
    target_link_libraries(tessorin_win32_tests PRIVATE tessorin_win32 tessorin_runner gtest_main)
    add_test(NAME tessorin_win32_tests COMMAND tessorin_win32_tests)
  endif()
endif()
