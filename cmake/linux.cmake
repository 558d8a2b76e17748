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

# The station store: SQLite files and PostgreSQL servers (libsqlite3, libpq).
pkg_check_modules(SQLITE3 REQUIRED IMPORTED_TARGET sqlite3)
pkg_check_modules(LIBPQ REQUIRED IMPORTED_TARGET libpq)
tessorin_layer(store tessorin_report PkgConfig::SQLITE3 PkgConfig::LIBPQ nlohmann_json::nlohmann_json)

# The station's job files: TOML through toml++. The station records to the store.
pkg_check_modules(TOMLPLUSPLUS REQUIRED IMPORTED_TARGET tomlplusplus)
target_link_libraries(tessorin_job PUBLIC PkgConfig::TOMLPLUSPLUS)
target_link_libraries(tessorin_station PUBLIC tessorin_store)

add_executable(tessorin-run ${CMAKE_SOURCE_DIR}/runner/tessorin_run_main.cpp)
target_link_libraries(tessorin-run PRIVATE tessorin_runner)

if(TESSORIN_TESTS)
  enable_testing()
  find_package(GTest REQUIRED)
  include(GoogleTest)
  set(TESSORIN_OWN_DISCOVERY store)
  foreach(suite ${TESSORIN_LAYERS} store emulator soak tools architecture)
    tessorin_test_suite(${suite})
  endforeach()
  # The store's suite runs against real engines: SQLite files and a PostgreSQL
  # server that a ctest fixture starts in a folder of its own and stops after.
  target_link_libraries(tessorin_store_tests PRIVATE tessorin_store)
  target_compile_definitions(tessorin_store_tests PRIVATE TESSORIN_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  string(SHA1 build_key "${CMAKE_BINARY_DIR}")
  string(SUBSTRING "${build_key}" 0 12 build_key)
  set(TESSORIN_TEST_POSTGRES "/tmp/tessorin-postgres-${build_key}")
  add_test(NAME postgres_server_start COMMAND ${CMAKE_SOURCE_DIR}/tests/store/postgres_server start ${TESSORIN_TEST_POSTGRES})
  add_test(NAME postgres_server_stop COMMAND ${CMAKE_SOURCE_DIR}/tests/store/postgres_server stop ${TESSORIN_TEST_POSTGRES})
  set_tests_properties(postgres_server_start PROPERTIES FIXTURES_SETUP postgres)
  set_tests_properties(postgres_server_stop PROPERTIES FIXTURES_CLEANUP postgres)
  gtest_discover_tests(tessorin_store_tests DISCOVERY_TIMEOUT 60 PROPERTIES FIXTURES_REQUIRED postgres
                       ENVIRONMENT "TESSORIN_TEST_POSTGRES=${TESSORIN_TEST_POSTGRES}")
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
  # The station crash test starts a PostgreSQL server of its own with the store tests' script.
  target_compile_definitions(tessorin_fake_hidraw_tests PRIVATE TESSORIN_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
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
    # The store's benchmark starts a PostgreSQL server with the tests' script.
    target_compile_definitions(tessorin_bench PRIVATE TESSORIN_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  endif()
endif()

include(cmake/dashboard.cmake)
