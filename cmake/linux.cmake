find_package(PkgConfig REQUIRED)
pkg_check_modules(HIDAPI REQUIRED IMPORTED_TARGET hidapi-hidraw)
# hidapi opens and moves reports; udev finds the boards (device/hidraw_nodes.h says why).
pkg_check_modules(UDEV REQUIRED IMPORTED_TARGET libudev)
target_link_libraries(tessorin_device PUBLIC PkgConfig::HIDAPI PkgConfig::UDEV)

# The station's results lines: JSON (nlohmann-json) with the image's SHA-256 (libcrypto).
find_package(OpenSSL REQUIRED COMPONENTS Crypto)
find_package(nlohmann_json 3 REQUIRED)
target_link_libraries(tessorin_base PUBLIC OpenSSL::Crypto)
target_link_libraries(tessorin_station PUBLIC nlohmann_json::nlohmann_json)

add_executable(tessorin-run ${CMAKE_SOURCE_DIR}/runner/tessorin_run_main.cpp)
target_link_libraries(tessorin-run PRIVATE tessorin_runner)

if(TESSORIN_TESTS)
  enable_testing()
  find_package(GTest REQUIRED)
  include(GoogleTest)
  foreach(suite ${TESSORIN_LAYERS} emulator soak tools architecture)
    tessorin_test_suite(${suite})
  endforeach()
  # The layer check reads the sources; __FILE__ may be relative (compiler caches make it so).
  target_compile_definitions(tessorin_architecture_tests PRIVATE TESSORIN_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

  # Fake hidraw boards: the platform transport through hidapi, udev and hidraw
  # nodes that a umockdev testbed serves from the board emulator.
  pkg_check_modules(UMOCKDEV REQUIRED IMPORTED_TARGET umockdev-1.0)
  file(GLOB FAKE_HIDRAW_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/emulator/fake_hidraw/*.cpp)
  add_library(tessorin_fake_hidraw STATIC EXCLUDE_FROM_ALL ${FAKE_HIDRAW_SOURCES})
  target_link_libraries(tessorin_fake_hidraw PUBLIC tessorin_emulator PkgConfig::UMOCKDEV)
  # Its own main, which starts the suite again under umockdev's preload library.
  file(GLOB FAKE_HIDRAW_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fake_hidraw/*.cpp)
  add_executable(tessorin_fake_hidraw_tests ${FAKE_HIDRAW_TESTS})
  target_link_libraries(tessorin_fake_hidraw_tests PRIVATE tessorin_fake_hidraw tessorin_runner GTest::gtest)
  # The --all-boards and live script runs start the programs themselves, beside the suite.
  add_dependencies(tessorin_fake_hidraw_tests tessorin tessorin-run)
  gtest_discover_tests(tessorin_fake_hidraw_tests DISCOVERY_TIMEOUT 60)
endif()

include(cmake/qt.cmake)

if(TESSORIN_BENCH)
  find_package(benchmark QUIET)
  file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/bench/*_bench.cpp)
  if(benchmark_FOUND AND BENCH_SOURCES)
    add_executable(tessorin_bench ${BENCH_SOURCES})
    target_link_libraries(tessorin_bench PRIVATE tessorin_runner benchmark::benchmark_main)
  endif()
endif()
