# SPDX-License-Identifier: MIT
# CPack pre-build step: moves the program's debug symbols into quillmoor.debug beside the package
# and strips the packaged program the way Debian's own tools do.
set(staged_prefix ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
set(program ${staged_prefix}/${CPACK_QUILLMOOR_PROGRAM})
get_filename_component(program_name ${program} NAME)
set(debug_name ${program_name}.debug)
set(debug_file ${CPACK_PACKAGE_DIRECTORY}/${debug_name})

message(STATUS "Debug symbols: ${debug_file}")
execute_process(COMMAND ${CPACK_QUILLMOOR_OBJCOPY} --only-keep-debug ${program} ${debug_file}
  COMMAND_ERROR_IS_FATAL ANY)
# Symbols to read, not a program to run.
file(CHMOD ${debug_file} FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
# .comment only names the compiler; .note is the section Debian strips too (build ids stay, they
# live in .note.gnu.build-id).
execute_process(COMMAND ${CPACK_QUILLMOOR_STRIP} --strip-all --remove-section=.comment
                        --remove-section=.note ${program}
  COMMAND_ERROR_IS_FATAL ANY)
# The link holds the file's name and checksum, by which debuggers look for it beside the program
# and under /usr/lib/debug.
execute_process(COMMAND ${CPACK_QUILLMOOR_OBJCOPY} --add-gnu-debuglink=${debug_name} ${program}
  WORKING_DIRECTORY ${CPACK_PACKAGE_DIRECTORY}
  COMMAND_ERROR_IS_FATAL ANY)
