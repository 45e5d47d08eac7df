#include <QApplication>

#include "gui/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  tabulon::gui::MainWindow window;
  window.show();
  return app.exec();
}
