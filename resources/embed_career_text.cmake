# SPDX-License-Identifier: MIT
# Build step: writes the UTF-8 career text into a C++ source as bytes, every line ending CR LF
# whatever line ends the checkout has. Plain CMake, so that cross builds need no host tool.
# Usage: cmake -DINPUT=career_text.txt -DOUTPUT=career_text_data.cpp -P embed_career_text.cmake
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REPLACE "'\\x0d'," "" bytes "${bytes}")
# One line of the text per line of source.
string(REPLACE "'\\x0a'," "'\\x0d','\\x0a',\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}"
  "// Generated from resources/career_text.txt by resources/embed_career_text.cmake; do not edit.\n"
  "#include \"resources/career_text.h\"\n\n"
  "namespace quillmoor {\n\n"
  "namespace {\n\n"
  "constexpr char CareerTextBytes[] = {\n    ${bytes}'\\0'};\n\n"
  "}  // namespace\n\n"
  "std::string_view CareerText() {\n"
  "  return std::string_view(CareerTextBytes, sizeof CareerTextBytes - 1);\n"
  "}\n\n"
  "}  // namespace quillmoor\n")
