// SPDX-License-Identifier: MIT
// The command line: --help and --version answered before Qt starts, anything left over named.
#include "app/command_line.h"

#include <algorithm>
#include <string_view>

#include "resources/version.h"

namespace quillmoor {

namespace {

constexpr std::string_view ProgramName = "quillmoor";
constexpr std::string_view HelpOptions[] = {"--help", "-h"};
constexpr std::string_view VersionOption = "--version";

bool IsHelpOption(std::string_view argument) {
  return std::ranges::find(HelpOptions, argument) != std::ranges::end(HelpOptions);
}

}  // namespace

CommandLineRequest ReadCommandLineRequest(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    if (IsHelpOption(argv[i])) {
      return CommandLineRequest::ShowHelp;
    }
    if (argv[i] == VersionOption) {
      return CommandLineRequest::ShowVersion;
    }
  }
  return CommandLineRequest::Play;
}

std::string HelpText() {
  std::string text = "Usage: ";
  text += ProgramName;
  text +=
      " [Qt options]\n"
      "A maze that grows across a Klein bottle while you play, in one window.\n"
      "\n"
      "  -h, --help     print this help and exit\n"
      "  --version      print the version and exit\n"
      "\n"
      "Qt's own options (-platform, -style, ...) are honoured. The game has none of its own: any\n"
      "other argument is ignored with a warning. The keys are listed in quillmoor(6).\n";
  return text;
}

std::string VersionText() {
  std::string text(ProgramName);
  text += ' ';
  text += VersionString;
  text += '\n';
  return text;
}

std::string IgnoredArgumentsWarning(int argc, const char* const* argv) {
  if (argc <= 1) {
    return {};
  }
  std::string line(ProgramName);
  line += ": ignoring unknown arguments:";
  for (int i = 1; i < argc; ++i) {
    line += ' ';
    line += argv[i];
  }
  line += '\n';
  return line;
}

}  // namespace quillmoor
