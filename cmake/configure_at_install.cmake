# SPDX-License-Identifier: MIT
# Run by the install script: configures QUILLMOOR_TEMPLATE (or copies it, when QUILLMOOR_VERBATIM),
# gzips it when QUILLMOOR_GZIP, and installs it as QUILLMOOR_DESTINATION/QUILLMOOR_NAME.
if(QUILLMOOR_VERBATIM)
  set(configure_mode COPYONLY)
else()
  set(configure_mode @ONLY)
endif()

# One scratch folder per installed file, so that installs into two staging folders at once (tests
# run in parallel) never share one.
string(MD5 file_key "$ENV{DESTDIR}${QUILLMOOR_DESTINATION}/${QUILLMOOR_NAME}")
set(scratch ${QUILLMOOR_SCRATCH_DIR}/${file_key})
file(REMOVE_RECURSE ${scratch})

if(QUILLMOOR_GZIP)
  string(REGEX REPLACE "\\.gz$" "" plain_name ${QUILLMOOR_NAME})
  configure_file(${QUILLMOOR_TEMPLATE} ${scratch}/plain/${plain_name} ${configure_mode})
  # -n leaves out the name and time stamp, so the same text always makes the same bytes.
  execute_process(COMMAND gzip -9 -n -c ${scratch}/plain/${plain_name}
    OUTPUT_FILE ${scratch}/${QUILLMOOR_NAME}
    COMMAND_ERROR_IS_FATAL ANY)
else()
  configure_file(${QUILLMOOR_TEMPLATE} ${scratch}/${QUILLMOOR_NAME} ${configure_mode})
endif()

# file(INSTALL) adds DESTDIR, sets the permissions and records the file in install_manifest.txt.
file(INSTALL DESTINATION ${QUILLMOOR_DESTINATION} TYPE FILE FILES ${scratch}/${QUILLMOOR_NAME})
