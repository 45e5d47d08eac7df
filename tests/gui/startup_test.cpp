// The start of the window: icons looked up only when first drawn look exactly like the style's
// own; the window appears with only its first page built, another page is built as it is first
// shown, complete and on the screen at once, and the definition files come once the window is up.
#include "gui/startup.h"

#include <QImage>
#include <QStyleFactory>
#include <QTabWidget>

#include "gui/table_page.h"
#include "gui_test_base.h"

namespace tabulon::gui {
namespace {

QImage Drawn(const QIcon& icon, int size) { return icon.pixmap(size, size).toImage(); }

TEST(StartupTest, DeferredIconsDrawLikeTheStylesOwn) {
  const QStyle* style = QApplication::style();
  for (const QStyle::StandardPixmap which :
       {QStyle::SP_DirOpenIcon, QStyle::SP_DialogSaveButton, QStyle::SP_DialogCloseButton,
        QStyle::SP_MessageBoxInformation}) {
    const QIcon deferred = DeferredStandardIcon(which);
    // A null icon would turn its tool button into a text button.
    EXPECT_FALSE(deferred.isNull()) << which;
    for (const int size : {16, 32}) {
      EXPECT_EQ(Drawn(deferred, size), Drawn(style->standardIcon(which), size)) << which;
    }
  }
  const StartupStyle startup(QStyleFactory::create(style->name()));
  for (const QStyle::StandardPixmap which :
       {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton,
        QStyle::SP_TrashIcon}) {
    EXPECT_EQ(Drawn(startup.standardIcon(which, nullptr, nullptr), 16),
              Drawn(style->standardIcon(which), 16))
        << which;
  }
}

TEST_F(GuiTestBase, APageIsBuiltWhenFirstShownAndTheRestAfterTheStart) {
  testing::CopyKeyFiles(dir.path());
  testing::WriteSchoolSettings(dir.path(), "4711", true,
                               [](Settings& s) { s.backup_at_start = 0; });
  CreateWindow();
  ui.answers = {false};
  QTabWidget* tables = window->table_tabs(1);
  auto* page2 = qobject_cast<TablePageWidget*>(tables->widget(2));
  ASSERT_NE(page2, nullptr);
  EXPECT_TRUE(qobject_cast<TablePageWidget*>(tables->widget(0))->built());
  EXPECT_FALSE(page2->built());
  EXPECT_EQ(window->GridViewOf("Bog1Tab2"), nullptr);

  window->show();
  tables->setCurrentIndex(2);
  ASSERT_TRUE(page2->built());
  GridView* view = window->GridViewOf("Bog1Tab2");
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->isVisible());
  EXPECT_TRUE(view->model()
                  ->headerData(0, Qt::Horizontal)
                  .toString()
                  .startsWith(QStringLiteral("Schulart-Nr.")));
  const auto buttons = page2->findChildren<QPushButton*>();
  EXPECT_FALSE(buttons.isEmpty());
  for (QPushButton* b : buttons) EXPECT_TRUE(b->isVisible()) << b->text().toStdString();

  ASSERT_TRUE(QTest::qWaitFor([this] { return !ui.questions.empty(); }, 5000));
  EXPECT_TRUE(std::filesystem::exists(dir / "Bog1Tab0.TBD"));
  EXPECT_TRUE(std::filesystem::exists(dir / "Bog1Tab2.TBD"));
  ASSERT_TRUE(QTest::qWaitFor([this] { return window->all_pages_built(); }, 5000));
  EXPECT_NE(window->GridViewOf("Bog1Tab1"), nullptr);
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace tabulon::gui
