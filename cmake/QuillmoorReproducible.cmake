# SPDX-License-Identifier: MIT
# What makes two builds of one commit give the same bytes: one date for every time stamp, and no
# path of the source or build folder in what is compiled.

# QUILLMOOR_SOURCE_DATE_EPOCH: SOURCE_DATE_EPOCH from the environment, as reproducible builds set
# it, or else the date of the last commit. Empty when neither is known (no git checkout).
function(quillmoor_find_source_date_epoch)
  set(epoch "")
  if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(epoch $ENV{SOURCE_DATE_EPOCH})
  else()
    find_package(Git QUIET)
    if(GIT_FOUND)
      # Only this project's own checkout counts, not one that a copy of it happens to lie in.
      execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --show-toplevel
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE top_level OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
      file(REAL_PATH "${PROJECT_SOURCE_DIR}" source_dir)
      if(top_level STREQUAL source_dir)
        execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
          WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
          OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --path-format=absolute
                                --git-path logs/HEAD
          WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
          OUTPUT_VARIABLE head_log OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
      endif()
      if(EXISTS "${head_log}")
        # Every commit and checkout adds a line to HEAD's log: the next build configures again
        # and takes the new date.
        set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
          ${head_log})
      endif()
    endif()
  endif()
  if(NOT epoch MATCHES "^[0-9]+$")
    message(STATUS "No SOURCE_DATE_EPOCH and no git history: the package takes today's date")
    set(epoch "")
  endif()
  set(QUILLMOOR_SOURCE_DATE_EPOCH "${epoch}" PARENT_SCOPE)
endfunction()

# Maps the source and build folders to "." in the file names that every target defined in the
# given folders compiles in (__FILE__, debug information): the program's bytes, its build id and
# the checksum of its debug symbols then do not depend on where it was built.
function(quillmoor_map_build_paths)
  if(MSVC)
    return()
  endif()
  # The build folder may lie inside the source folder; GCC and clang try the last map first.
  set(maps -ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)
  foreach(folder IN LISTS ARGN)
    get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|OBJECT_LIBRARY)$")
        target_compile_options(${target} PRIVATE ${maps})
      endif()
    endforeach()
  endforeach()
endfunction()
