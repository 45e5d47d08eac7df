// What the desktop program does to be on the screen sooner: work the window needs only once it
// paints is done when it paints, or beside the start on another core.
#pragma once

#include <QIcon>
#include <QProxyStyle>
#include <QStyle>
#include <QWidget>
#include <thread>

namespace tabulon::gui {

// Coloured (and bold) text through the widget's palette and font. A style sheet would do the same
// but puts the widget and all within it under the much slower style-sheet styling.
void SetTextLook(QWidget* widget, const QColor& color, bool bold = false);

// The style's standard icon, looked up (icon theme, image files) the first time it is drawn
// rather than when the action is made. It is never null: the style has one for every name.
QIcon DeferredStandardIcon(QStyle::StandardPixmap which);

// The application's style, unchanged but for the arrows that menu and tool bars keep ready for
// an overflow: drawn only when they are needed, they are looked up only then, and nothing needs
// an image file before the window is on the screen.
class StartupStyle : public QProxyStyle {
 public:
  explicit StartupStyle(QStyle* base) : QProxyStyle(base) {}
  QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                     const QWidget* widget) const override;
};

// Work the window will need, done on a thread of its own while the window is built; joined when
// the object goes. Those that use Qt are made after the application object and go before it.
class WarmUp {
 public:
  explicit WarmUp(void (*work)()) : thread_(work) {}
  ~WarmUp() { thread_.join(); }
  WarmUp(const WarmUp&) = delete;
  WarmUp& operator=(const WarmUp&) = delete;

 private:
  std::thread thread_;
};

// Loads the font configuration; may run before the application object exists.
void LoadFontConfiguration();

// Connects to the desktop's session bus. The menu bar asks it whether the desktop shows menus
// itself and the screen-reader bridge looks for the accessibility bus; without this, the first
// of them waits for the connection (or, without a session bus, for a failed attempt to start
// one). The connection is made once per process and kept.
void ConnectSessionBus();

}  // namespace tabulon::gui
