# SPDX-License-Identifier: MIT
# Run by the install script: configures QUILLMOOR_TEMPLATE (or copies it, when QUILLMOOR_VERBATIM)
# into QUILLMOOR_TARGET, gzipped when QUILLMOOR_GZIP.
message(STATUS "Installing: ${QUILLMOOR_TARGET}")
if(QUILLMOOR_VERBATIM)
  set(configure_mode COPYONLY)
else()
  set(configure_mode @ONLY)
endif()

if(NOT QUILLMOOR_GZIP)
  configure_file(${QUILLMOOR_TEMPLATE} ${QUILLMOOR_TARGET} ${configure_mode})
  return()
endif()

get_filename_component(target_name ${QUILLMOOR_TARGET} NAME)
get_filename_component(target_dir ${QUILLMOOR_TARGET} DIRECTORY)
set(configured ${QUILLMOOR_SCRATCH_DIR}/${target_name}.plain)
configure_file(${QUILLMOOR_TEMPLATE} ${configured} ${configure_mode})
file(MAKE_DIRECTORY ${target_dir})
# -n leaves out the name and time stamp, so the same text always makes the same bytes.
execute_process(COMMAND gzip -9 -n -c ${configured}
  OUTPUT_FILE ${QUILLMOOR_TARGET}
  COMMAND_ERROR_IS_FATAL ANY)
file(CHMOD ${QUILLMOOR_TARGET} FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
