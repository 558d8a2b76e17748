# The layers, lowest first. Each folder is one static library, tessorin_<folder>,
# linked only to the layers below it; tests/architecture checks the includes.
set(TESSORIN_LAYERS base report config device download rftest app job station)

# A layer's library: every .cpp of its folder, less program entry points
# (*_main.cpp) and the files of the other platform.
function(tessorin_layer name)
  file(GLOB files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${name}/*.cpp)
  list(FILTER files EXCLUDE REGEX "_main\\.cpp$")
  if(WIN32)
    list(FILTER files EXCLUDE REGEX "_(linux|hidapi)\\.cpp$")
  else()
    list(FILTER files EXCLUDE REGEX "_win32\\.cpp$")
  endif()
  add_library(tessorin_${name} STATIC ${files})
  target_link_libraries(tessorin_${name} PUBLIC ${ARGN})
endfunction()

# One test executable per folder under tests/ (its suites and the helpers they
# share), so a change in one layer never stops another's suite from building.
function(tessorin_test_suite name)
  file(GLOB files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${name}/*.cpp)
  if(NOT files)
    return()
  endif()
  add_executable(tessorin_${name}_tests ${files})
  target_link_libraries(tessorin_${name}_tests PRIVATE tessorin_runner GTest::gtest_main)
  # A suite that needs more (a fixture, an environment) discovers its tests itself.
  if(NOT name IN_LIST TESSORIN_OWN_DISCOVERY)
    gtest_discover_tests(tessorin_${name}_tests DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
