// SPDX-License-Identifier: MIT
// The program: start the application, open the main frame, run the event loop.
#include <cstdlib>

#include "app/quillmoor_app.h"

int main(int argc, char** argv) {
  quillmoor::CQuillmoorApp app(argc, argv);
  if (!app.InitInstance()) {
    return EXIT_FAILURE;
  }
  return app.exec();
}
