// The base of every GUI test: the real main window on a temporary program directory, with
// scripted message boxes and a fake platform, and helpers for the modal dialogs it opens.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/program.h"
#include "gui/main_window.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tabulon::gui {

// Runs `inspect` on the next modal dialog as soon as it is open (exec() blocks the test).
inline void OnNextModal(std::function<void(QWidget*)> inspect) {
  auto* poll = new QTimer;
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, [poll, inspect] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      poll->stop();
      poll->deleteLater();
      inspect(modal);
    }
  });
  poll->start();
}

// The child of `parent` with this object name; a test failure when there is none.
template <class T>
T* Child(QObject& parent, const char* name) {
  T* w = parent.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(w, nullptr) << name;
  return w;
}

class GuiTestBase : public ::testing::Test {
 protected:
  // Creates the program and its window on `dir` (the window runs its creation steps); the test
  // may then replace table operations before ShowWindow() shows it.
  void CreateWindow() {
    program = std::make_unique<Program>(dir.path(), ui, platform);
    window = std::make_unique<MainWindow>(*program, ui, platform);
  }
  // Shows the window and waits until it is on the screen and has built every page, so that the
  // tests find the controls of pages not opened yet.
  void ShowWindow() {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->all_pages_built(); }, 5000));
  }

  testing::TempDir dir;
  testing::ScriptedUi ui;
  testing::FakePlatform platform;
  // The window goes before the program whose session and grids it shows.
  std::unique_ptr<Program> program;
  std::unique_ptr<MainWindow> window;
};

}  // namespace tabulon::gui
