# SPDX-License-Identifier: MIT
# Writes a text file into a C++ source as a NUL-terminated UTF-8 string, every byte escaped:
# -DINPUT, -DOUTPUT, -DSYMBOL (in namespace quillmoor).
file(READ "${INPUT}" bytes HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" bytes "${bytes}")
# One literal piece per 32 bytes keeps the lines short.
string(REPEAT "\\\\x.." 32 piece)
string(REGEX REPLACE "(${piece})" "\\1\"\n\"" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp" "// Generated from ${INPUT}.\nnamespace quillmoor {\nextern const char ${SYMBOL}[];\nconst char ${SYMBOL}[] =\n\"${bytes}\";\n}  // namespace quillmoor\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
