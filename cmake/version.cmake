# The program's version: project()'s, as the generated tessorin_version.h has it
# for the code and the Windows resources, and the git description of a build
# between releases (cmake/git_description.cmake), made at every build.
set(TESSORIN_GENERATED ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/cmake/version.h.in ${TESSORIN_GENERATED}/tessorin_version.h @ONLY)
add_custom_target(tessorin_build_description
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DVERSION=${PROJECT_VERSION}
          -DOUTPUT=${TESSORIN_GENERATED}/tessorin_build_description.h -P ${CMAKE_SOURCE_DIR}/cmake/build_description.cmake
  BYPRODUCTS ${TESSORIN_GENERATED}/tessorin_build_description.h
  COMMENT "git description of this build")
target_include_directories(tessorin_base PUBLIC ${TESSORIN_GENERATED})
add_dependencies(tessorin_base tessorin_build_description)

# The packages' version: the program's, and after a "+git." the description of a
# build between releases, its dashes as dots (Debian sorts it after the release).
include(${CMAKE_SOURCE_DIR}/cmake/git_description.cmake)
tessorin_git_description(${CMAKE_SOURCE_DIR} ${PROJECT_VERSION} TESSORIN_CONFIGURED_DESCRIPTION)
set(TESSORIN_PACKAGE_VERSION ${PROJECT_VERSION})
if(TESSORIN_CONFIGURED_DESCRIPTION)
  string(REPLACE "-" "." description_as_version ${TESSORIN_CONFIGURED_DESCRIPTION})
  string(APPEND TESSORIN_PACKAGE_VERSION "+git.${description_as_version}")
endif()
