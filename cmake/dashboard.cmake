# The line's dashboard (dashboard/): `tessorin dashboard`, an HTTP server
# (cpp-httplib) over the store, with the page's files (dashboard/web/) built in.
pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
file(GLOB DASHBOARD_WEB CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/dashboard/web/*)
set(DASHBOARD_WEB_CPP ${CMAKE_BINARY_DIR}/generated/dashboard_web_files.cpp)
add_custom_command(OUTPUT ${DASHBOARD_WEB_CPP}
                   COMMAND ${CMAKE_COMMAND} "-DFILES=${DASHBOARD_WEB}" -DOUTPUT=${DASHBOARD_WEB_CPP}
                           -P ${CMAKE_SOURCE_DIR}/cmake/embed_web.cmake
                   DEPENDS ${DASHBOARD_WEB} ${CMAKE_SOURCE_DIR}/cmake/embed_web.cmake VERBATIM)
tessorin_layer(dashboard tessorin_store PkgConfig::HTTPLIB nlohmann_json::nlohmann_json)
target_sources(tessorin_dashboard PRIVATE ${DASHBOARD_WEB_CPP})
target_link_libraries(tessorin PRIVATE tessorin_dashboard)

if(TESSORIN_TESTS)
  tessorin_test_suite(dashboard)
  target_link_libraries(tessorin_dashboard_tests PRIVATE tessorin_dashboard)
  # The browser test: Chromium driven by Selenium against `tessorin dashboard`
  # and stations on fake boards.
  add_dependencies(tessorin_dashboard_tests tessorin)
endif()

if(TESSORIN_TESTS)
  # The browser test runs in the fake boards' suite; its screenshots go to build/artifacts.
  target_compile_definitions(tessorin_fake_hidraw_tests PRIVATE
    TESSORIN_DASHBOARD_BROWSER_TEST="${CMAKE_SOURCE_DIR}/tests/dashboard/browser_test.py"
    TESSORIN_ARTIFACTS="${CMAKE_SOURCE_DIR}/build/artifacts")
  target_link_libraries(tessorin_fake_hidraw_tests PRIVATE tessorin_store)
endif()

if(TARGET tessorin_bench)
  target_link_libraries(tessorin_bench PRIVATE tessorin_dashboard)
endif()
