// Icons looked up only when first drawn look exactly like the style's own.
#include "gui/startup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QStyleFactory>

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

}  // namespace
}  // namespace tabulon::gui
