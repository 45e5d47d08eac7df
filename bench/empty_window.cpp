// An empty Qt main window, to compare the desktop program's start-up against what Qt alone costs.
// Built by CMake as build/bench/empty_window.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Leeres Fenster"));
  window.resize(1050, 775);
  window.show();
  return app.exec();
}
