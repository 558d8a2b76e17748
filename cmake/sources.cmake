set(TESSORIN_SUBSYSTEMS base app config device download rftest)

# Core sources: every .cpp of the subsystem folders, less program entry points
# (*_main.cpp) and the files of the other platform.
function(tessorin_collect_core out)
  set(result)
  foreach(dir ${TESSORIN_SUBSYSTEMS})
    file(GLOB files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND result ${files})
  endforeach()
  list(FILTER result EXCLUDE REGEX "_main\\.cpp$")
  if(WIN32)
    list(FILTER result EXCLUDE REGEX "_(linux|hidapi)\\.cpp$")
  else()
    list(FILTER result EXCLUDE REGEX "_win32\\.cpp$")
  endif()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# One test executable per folder under tests/, so a change in one subsystem
# never stops another's suite from building.
function(tessorin_test_suite name)
  file(GLOB files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${name}/*_test.cpp)
  if(NOT files)
    return()
  endif()
  add_executable(tessorin_${name}_tests ${files})
  target_link_libraries(tessorin_${name}_tests PRIVATE tessorin_test_support GTest::gtest_main)
  gtest_discover_tests(tessorin_${name}_tests DISCOVERY_TIMEOUT 60)
endfunction()
