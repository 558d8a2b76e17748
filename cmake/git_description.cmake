# A release is a build of a clean tree whose commit carries the tag v<version>.
# Any other build of a git checkout is between releases: its description is
# `git describe` (the last v* tag, the commits since and the commit; the commit
# alone before the first tag; -dirty for local changes). Outside a checkout (a
# source tarball) or without git there is no description: the build counts as
# the release.
function(tessorin_git_description source_dir version out)
  set(description "")
  find_program(TESSORIN_GIT git)
  if(TESSORIN_GIT AND EXISTS ${source_dir}/.git)
    # Read only: a tree owned by another user (a build as root) is described too.
    execute_process(COMMAND ${TESSORIN_GIT} -c safe.directory=* -C ${source_dir} describe --tags --always --dirty --abbrev=10 --match "v[0-9]*"
                    OUTPUT_VARIABLE described OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
    if(NOT failed AND NOT described STREQUAL "v${version}")
      set(description ${described})
    endif()
  endif()
  set(${out} "${description}" PARENT_SCOPE)
endfunction()
