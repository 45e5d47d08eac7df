#include "gui/main_window.h"

namespace tabulon::gui {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QString::fromUtf8(kMainWindowCaption));
  setMinimumSize(1050, 775);
  resize(1050, 775);
}

}  // namespace tabulon::gui
