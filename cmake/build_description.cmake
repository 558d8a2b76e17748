cmake_minimum_required(VERSION 3.25)
# Run at every build (cmake -P): writes the git description header, touching it
# only when the description changed, so a rebuild recompiles one file at most.
include(${CMAKE_CURRENT_LIST_DIR}/git_description.cmake)
tessorin_git_description(${SOURCE_DIR} ${VERSION} TESSORIN_BUILD_DESCRIPTION)
file(CONFIGURE OUTPUT ${OUTPUT} CONTENT
     "// Made at build time: empty for a release.\n#define TESSORIN_BUILD_DESCRIPTION \"@TESSORIN_BUILD_DESCRIPTION@\"\n" @ONLY)
