// The base of every GUI test: the real main window on a temporary program directory, with
// scripted message boxes and a fake platform, and helpers for the modal dialogs it opens. The GUI
// tests take the window, the grid view, the test library and the support headers from here.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <initializer_list>
#include <memory>

#include "app/program.h"
#include "gui/error_window.h"
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

// The focus widget of the active window: where a key typed now arrives.
inline QWidget* Focus() { return QApplication::focusWidget(); }

// Types a key as the keyboard does: to whatever has the focus.
inline void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QWidget* target = Focus();
  ASSERT_NE(target, nullptr) << "no widget has the keyboard focus";
  QTest::keyClick(target, key, mods);
}

// Double-clicks the row `index` of `view` where a person would: in sight, at its middle.
inline void DoubleClick(QAbstractItemView* view, const QModelIndex& index) {
  ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
  view->scrollTo(index);
  const QPoint at = view->visualRect(index).center();
  ASSERT_TRUE(view->viewport()->rect().contains(at)) << at.x() << "," << at.y();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

// For an error window that is the next modal dialog: `inspect` sees it, then its findings list
// opens, `findings` gets the list's lines and line `item` is double-clicked (which is to close
// both windows; should it not, they are closed after some seconds and the test fails).
inline void ChooseFromNextErrorWindow(int item, QStringList& findings,
                                      std::function<void(ErrorWindow&)> inspect = nullptr) {
  OnNextModal([&findings, item, inspect](QWidget* modal) {
    auto* w = qobject_cast<ErrorWindow*>(modal);
    ASSERT_NE(w, nullptr);
    if (inspect) inspect(*w);
    OnNextModal([&findings, item](QWidget* list_dialog) {
      auto* list = list_dialog->findChild<QListWidget*>(QStringLiteral("findings"));
      ASSERT_NE(list, nullptr);
      for (int i = 0; i < list->count(); ++i) findings << list->item(i)->text();
      QTimer::singleShot(3000, list_dialog, &QWidget::close);
      list->doItemsLayout();
      DoubleClick(list, list->model()->index(item, 0));
    });
    QTimer::singleShot(6000, w, &QWidget::close);
    QTest::mouseClick(w->findings_button(), Qt::LeftButton);
  });
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
  // otherwise, and without a backup at start.
  void OpenSchool(std::initializer_list<const char*> key_files = testing::kSchoolKeyFiles,
                  const std::function<void(Settings&)>& adjust = nullptr) {
    testing::CopyKeyFiles(dir.path(), key_files);
    testing::WriteSchoolSettings(dir.path(), "4711", true, [&](Settings& s) {
      s.backup_at_start = 0;
      if (adjust) adjust(s);
    });
    StartWindow();
  }
  // Creates and shows the window on what `dir` holds; the start-up timer's backup question is
  // answered "Nein" and forgotten.
  void StartWindow() {
    CreateWindow();
    ui.answers = {false};
    ShowWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !ui.questions.empty(); }, 5000));
    ui.questions.clear();
  }
  // Whether the unsaved-changes indicator shows (the tool bar lays out its widgets when events
  // are processed).
  bool IndicatorShown() {
    QCoreApplication::processEvents();
    return window->indicator()->isVisible();
  }
  // Waits until the whole-school check has run to its end.
  void WaitForWholeCheck() {
    ASSERT_TRUE(QTest::qWaitFor([this] { return !window->whole_check_running(); }, 20000));
  }
  // The program directory of a test lacks some key files; their boxes are the only ones said.
  void ExpectOnlyMissingKeyFileMessages() const {
    for (const auto& m : ui.messages) {
      EXPECT_EQ(m.text.rfind("Statistik-Schlüssel-Datei: ", 0), 0u) << m.text;
    }
  }
  // A file of the class sheet of school 4711.
  fs::path ClassFile(const std::string& name) const {
    return dir.path() / "4711" / "KLASSE" / name;
  }
  // School table `table`: its grid and its page.
  GridView* View(int table) const { return window->GridViewOf("Bog1Tab" + std::to_string(table)); }
  // The grid shown by the view of `definition`.
  const Grid& GridOf(const char* definition) const {
    return *window->GridViewOf(definition)->grid_model()->grid();
  }
  void ShowTable(int table) { window->table_tabs(1)->setCurrentIndex(table); }
  // The page button of `action` on page `table` of sheet number `sheet`, and a click on it.
  QPushButton* ButtonOf(int sheet, int table, PageAction action) const {
    return window->findChild<QPushButton*>(
        QStringLiteral("Button_%1_%2_%3").arg(sheet).arg(table).arg(static_cast<int>(action)));
  }
  void Click(int sheet, int table, PageAction action) {
    QTest::mouseClick(ButtonOf(sheet, table, action), Qt::LeftButton);
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
