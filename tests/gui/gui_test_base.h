// The base of every GUI test: the real main window on a temporary program directory, with
// scripted message boxes and a fake platform, and helpers for the modal dialogs it opens.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>
#include <initializer_list>
#include <memory>

#include "app/program.h"
#include "gui/grid_view.h"
#include "gui/main_window.h"
#include "support/program_dir.h"
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
  // Opens the window on school 4711 with these key files, read-write unless `adjust` says
  // otherwise; the start-up timer's backup question is answered "Nein" and forgotten.
  void OpenSchool(std::initializer_list<const char*> key_files,
                  const std::function<void(Settings&)>& adjust = nullptr) {
    testing::CopyKeyFiles(dir.path(), key_files);
    testing::WriteSchoolSettings(dir.path(), "4711", true, [&](Settings& s) {
      s.backup_at_start = 0;
      if (adjust) adjust(s);
    });
    CreateWindow();
    ui.answers = {false};
    ShowWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !ui.questions.empty(); }, 5000));
    ui.questions.clear();
  }
  // Types into grid cell (col, row) of `v` as a person would: F2, the text, and Enter unless the
  // editor is to stay open.
  static void TypeText(GridView* v, int col, int row, const QString& text,
                       bool leave_open = false) {
    const Grid& g = *v->grid_model()->grid();
    v->setFocus();
    v->setCurrentIndex(v->model()->index(row - g.FixedRows(), col - g.FixedCols()));
    QTest::keyClick(v, Qt::Key_F2);
    // Editors closed before wait hidden for their deletion; the open one is the visible one.
    QLineEdit* editor = nullptr;
    for (QLineEdit* e : v->findChildren<QLineEdit*>()) {
      if (e->isVisible()) editor = e;
    }
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    // The test library types only ASCII keys; other characters arrive as an input method would.
    bool ascii = true;
    for (QChar ch : text) ascii = ascii && ch.unicode() < 128;
    if (ascii) {
      QTest::keyClicks(editor, text);
    } else {
      editor->insert(text);
    }
    if (!leave_open) {
      QTest::keyClick(editor, Qt::Key_Return);
      QCoreApplication::processEvents();  // the delegate commits by a queued call
    }
  }

  testing::TempDir dir;
  testing::ScriptedUi ui;
  testing::FakePlatform platform;
  // The window goes before the program whose session and grids it shows.
  std::unique_ptr<Program> program;
  std::unique_ptr<MainWindow> window;
};

}  // namespace tabulon::gui
