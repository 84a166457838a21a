// SPDX-License-Identifier: MIT
// The command line: --help and --version answered before Qt starts, anything left over named.
#pragma once

#include <string>

namespace quillmoor {

enum class CommandLineRequest { Play, ShowHelp, ShowVersion };

// What the arguments after the program name ask for: the first --help (-h) or --version wins;
// anything else plays. Needs no display, so it runs before the application object exists.
CommandLineRequest ReadCommandLineRequest(int argc, const char* const* argv);

// The texts --help and --version print, each ending in a newline.
std::string HelpText();
std::string VersionText();

// One line naming the arguments after the program name, or empty when there are none. Meant for
// what is left once Qt has taken its own options out of argv.
std::string IgnoredArgumentsWarning(int argc, const char* const* argv);

}  // namespace quillmoor
