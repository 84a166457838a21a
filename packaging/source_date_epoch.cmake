# SPDX-License-Identifier: MIT
# Read by cpack before it packages: the date the build was configured with, unless the environment
# names its own.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH} AND NOT CPACK_QUILLMOOR_SOURCE_DATE_EPOCH STREQUAL "")
  set(ENV{SOURCE_DATE_EPOCH} ${CPACK_QUILLMOOR_SOURCE_DATE_EPOCH})
endif()
