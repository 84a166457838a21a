// SPDX-License-Identifier: MIT
// Runs the widget tests inside the application object, on Qt's offscreen platform by default.
#include <gtest/gtest.h>

#include <QtGlobal>

#include "app/quillmoor_app.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Also when the test list is read at build time, where no display may exist.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  quillmoor::CQuillmoorApp app(argc, argv);
  // Tests open and close many windows; closing one must not end the application.
  app.setQuitOnLastWindowClosed(false);
  return RUN_ALL_TESTS();
}
