# SPDX-License-Identifier: MIT
# Installs text files that name installed paths, filled in once the final prefix is known: the
# prefix is chosen at install time (cmake --install --prefix, cpack), so the install script itself
# configures them.

set(QUILLMOOR_CONFIGURE_AT_INSTALL_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/configure_at_install.cmake)

# Installs template as destination/name, destination relative to the prefix. The template may use
# @QUILLMOOR_VERSION@, @QUILLMOOR_GAMES_PATH@ and @QUILLMOOR_DATA_PATH@; VERBATIM copies it
# unchanged instead. GZIP compresses the result, as manual pages and changelogs are shipped.
function(quillmoor_install_configured template destination name)
  cmake_parse_arguments(PARSE_ARGV 3 arg "GZIP;VERBATIM" "" "")
  install(CODE "
    set(QUILLMOOR_VERSION \"${PROJECT_VERSION}\")
    set(QUILLMOOR_GAMES_PATH \"\${CMAKE_INSTALL_PREFIX}/${QUILLMOOR_INSTALL_GAMESDIR}\")
    set(QUILLMOOR_DATA_PATH \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}\")
    set(QUILLMOOR_TEMPLATE \"${template}\")
    set(QUILLMOOR_SCRATCH_DIR \"${CMAKE_CURRENT_BINARY_DIR}/configured_at_install\")
    set(QUILLMOOR_DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${destination}\")
    set(QUILLMOOR_NAME \"${name}\")
    set(QUILLMOOR_GZIP ${arg_GZIP})
    set(QUILLMOOR_VERBATIM ${arg_VERBATIM})
    include(\"${QUILLMOOR_CONFIGURE_AT_INSTALL_SCRIPT}\")
  ")
endfunction()
