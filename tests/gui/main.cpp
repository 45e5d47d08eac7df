// The GUI tests share one QApplication on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "gui/accessibility.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  tabulon::gui::InstallAccessibility();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
