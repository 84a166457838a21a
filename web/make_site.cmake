# SPDX-License-Identifier: MIT
# Lays out the static site beside the built module: the page, its manifest and icons, and a
# service worker whose cache is named by a digest of everything else, so each build has its own.
#   -DSOURCE_DIR (web/site) -DICONS_DIR -DSITE_DIR -DPROJECT_NAME -DQUILLMOOR_DESCRIPTION
file(MAKE_DIRECTORY "${SITE_DIR}/icons")
foreach(size 16 32 96 128 256)
  file(COPY_FILE "${ICONS_DIR}/quillmoor-${size}.png" "${SITE_DIR}/icons/quillmoor-${size}.png"
    ONLY_IF_DIFFERENT)
endforeach()
configure_file("${SOURCE_DIR}/index.html.in" "${SITE_DIR}/index.html" @ONLY)
configure_file("${SOURCE_DIR}/manifest.webmanifest.in" "${SITE_DIR}/manifest.webmanifest" @ONLY)
configure_file("${SOURCE_DIR}/page.js" "${SITE_DIR}/page.js" COPYONLY)
configure_file("${SOURCE_DIR}/page.css" "${SITE_DIR}/page.css" COPYONLY)

set(site_files index.html page.js page.css quillmoor.js quillmoor.wasm manifest.webmanifest)
foreach(size 16 32 96 128 256)
  list(APPEND site_files icons/quillmoor-${size}.png)
endforeach()
set(digests "")
set(quoted "'./'")
foreach(name IN LISTS site_files)
  file(SHA256 "${SITE_DIR}/${name}" digest)
  string(APPEND digests "${name} ${digest}\n")
  string(APPEND quoted ", './${name}'")
endforeach()
string(SHA256 build_digest "${digests}")
string(SUBSTRING "${build_digest}" 0 16 QUILLMOOR_BUILD_ID)
set(QUILLMOOR_SITE_FILES "${quoted}")
configure_file("${SOURCE_DIR}/sw.js.in" "${SITE_DIR}/sw.js" @ONLY)
