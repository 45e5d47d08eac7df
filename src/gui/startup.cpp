#include "gui/startup.h"

#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <QDBusConnection>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <optional>

namespace tabulon::gui {
namespace {

class DeferredIconEngine : public QIconEngine {
 public:
  explicit DeferredIconEngine(QStyle::StandardPixmap which, const QStyle* style = nullptr)
      : which_(which), style_(style) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().pixmap(size, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                       qreal scale) override {
    return Icon().pixmap(size, scale, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().actualSize(size, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return Icon().availableSizes(mode, state);
  }
  QString iconName() override { return Icon().name(); }
  // Asked while the tool bar is laid out, before anything is drawn: answered without a look-up.
  bool isNull() override { return false; }
  QString key() const override { return QStringLiteral("DeferredStandardIcon"); }
  QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

 private:
  QIcon& Icon() {
    if (!icon_) icon_ = (style_ ? style_.data() : QApplication::style())->standardIcon(which_);
    return *icon_;
  }

  QStyle::StandardPixmap which_;
  QPointer<const QStyle> style_;
  std::optional<QIcon> icon_;
};

}  // namespace

void SetTextLook(QWidget* widget, const QColor& color, bool bold) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, color);
  palette.setColor(QPalette::Text, color);
  widget->setPalette(palette);
  if (bold) {
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
  }
}

QIcon DeferredStandardIcon(QStyle::StandardPixmap which) {
  return QIcon(new DeferredIconEngine(which));
}

QIcon StartupStyle::standardIcon(StandardPixmap which, const QStyleOption* option,
                                 const QWidget* widget) const {
  if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton) {
    return QIcon(new DeferredIconEngine(which, baseStyle()));
  }
  return QProxyStyle::standardIcon(which, option, widget);
}

// FcInit is idempotent and safe beside another thread's: whichever call comes second finds the
// configuration loaded, or loads its own and keeps the first.
void LoadFontConfiguration() { FcInit(); }

void ConnectSessionBus() { QDBusConnection::sessionBus(); }

}  // namespace tabulon::gui
