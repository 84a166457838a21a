// SPDX-License-Identifier: MIT
// The program: start the application, open the main frame, run the event loop.
#include <malloc.h>

#include <cstdlib>

#include "app/quillmoor_app.h"

namespace {

// Blocks from this size up are mapped on their own and unmapped when freed.
constexpr int OwnMappingFromBytes = 1 << 20;

}  // namespace

int main(int argc, char** argv) {
  // Every resize replaces the frame-sized blocks: the frame buffer, its opaque copy, the backing
  // store. Left to itself glibc raises its mapping threshold to each such block freed, so the
  // next ones come from the heap and stay resident after the window shrinks; a fixed threshold
  // hands every one back.
  mallopt(M_MMAP_THRESHOLD, OwnMappingFromBytes);
  quillmoor::CQuillmoorApp app(argc, argv);
  if (!app.InitInstance()) {
    return EXIT_FAILURE;
  }
  return app.exec();
}
