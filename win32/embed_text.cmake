# SPDX-License-Identifier: MIT
# Writes a text file's bytes as a C++ header: cmake -DINPUT=... -DOUTPUT=... -DNAME=... -P this.
file(READ ${INPUT} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(('\\\\x[0-9a-f][0-9a-f]',)('\\\\x[0-9a-f][0-9a-f]',)('\\\\x[0-9a-f][0-9a-f]',)('\\\\x[0-9a-f][0-9a-f]',)('\\\\x[0-9a-f][0-9a-f]',)('\\\\x[0-9a-f][0-9a-f]',)('\\\\x[0-9a-f][0-9a-f]',)('\\\\x[0-9a-f][0-9a-f]',))" "\\1\n    " bytes "${bytes}")
file(WRITE ${OUTPUT} "// Generated from ${NAME}'s text file by embed_text.cmake; do not edit.
#pragma once

#include <string_view>

namespace quillmoor::win32 {

inline constexpr char ${NAME}Bytes[] = {
    ${bytes}};
inline constexpr std::string_view ${NAME}Utf8(${NAME}Bytes, sizeof ${NAME}Bytes);

}  // namespace quillmoor::win32
")
