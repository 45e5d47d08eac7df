#include <QApplication>
#include <QScreen>
#include <filesystem>

#include "gui/main_window.h"
#include "gui/qt_ports.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tabulon BS"));
  // Settings, key files, definitions and help lie beside the program.
  const std::filesystem::path program_dir =
      QCoreApplication::applicationDirPath().toUtf8().toStdString();
  tabulon::gui::QtUi ui;
  tabulon::gui::QtPlatform platform(program_dir);
  tabulon::Program program(program_dir, ui, platform);
  tabulon::gui::MainWindow window(program, ui, platform);
  ui.SetParent(&window);
  // Centred on the desktop, whatever the window manager would choose.
  if (const QScreen* screen = window.screen()) {
    window.move(screen->availableGeometry().center() - window.rect().center());
  }
  window.show();
  return app.exec();
}
