// SPDX-License-Identifier: MIT
// The program: answer --help and --version, or start the application and run the event loop.
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/command_line.h"
#include "app/quillmoor_app.h"

namespace {

// Blocks from this size up are mapped on their own and unmapped when freed.
constexpr int OwnMappingFromBytes = 1 << 20;

// Writes the text to standard output; EXIT_FAILURE when it cannot be written (closed, full).
int Print(const std::string& text) {
  std::fputs(text.c_str(), stdout);
  return std::fflush(stdout) == 0 && !std::ferror(stdout) ? EXIT_SUCCESS : EXIT_FAILURE;
}

}  // namespace

int main(int argc, char** argv) {
  switch (quillmoor::ReadCommandLineRequest(argc, argv)) {
    case quillmoor::CommandLineRequest::ShowHelp:
      return Print(quillmoor::HelpText());
    case quillmoor::CommandLineRequest::ShowVersion:
      return Print(quillmoor::VersionText());
    case quillmoor::CommandLineRequest::Play:
      break;
  }

  // Every resize replaces the frame-sized blocks: the frame buffer and the backing store. Left to
  // itself glibc raises its mapping threshold to each such block freed, so the next ones come
  // from the heap and stay resident after the window shrinks; a fixed threshold hands every one
  // back.
  mallopt(M_MMAP_THRESHOLD, OwnMappingFromBytes);
  // The application takes Qt's own options out of argc and argv; what is left is not ours either.
  quillmoor::CQuillmoorApp app(argc, argv);
  std::fputs(quillmoor::IgnoredArgumentsWarning(argc, argv).c_str(), stderr);
  if (!app.InitInstance()) {
    return EXIT_FAILURE;
  }
  return app.exec();
}
