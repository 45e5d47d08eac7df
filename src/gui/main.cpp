#include <QApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QStyleFactory>
#include <filesystem>

#include "base/program_dir.h"
#include "gui/main_window.h"
#include "gui/qt_ports.h"
#include "gui/qt_text.h"
#include "gui/startup.h"

int main(int argc, char** argv) {
  const tabulon::gui::WarmUp font_configuration(tabulon::gui::LoadFontConfiguration);
  QApplication app(argc, argv);
  const tabulon::gui::WarmUp session_bus(tabulon::gui::ConnectSessionBus);
  QApplication::setApplicationName(QStringLiteral("Tabulon BS"));
  QApplication::setDesktopFileName(QStringLiteral("tabulon"));
  QApplication::setStyle(
      new tabulon::gui::StartupStyle(QStyleFactory::create(QApplication::style()->name())));
  // Settings, key files, definitions and help lie beside the program; installed, they lie in the
  // user's data directory, the same one tabulon-cli uses.
  const std::filesystem::path exe_dir = tabulon::gui::S(QCoreApplication::applicationDirPath());
  const QString user_data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  const std::filesystem::path per_user =
      user_data.isEmpty() ? std::filesystem::path()
                          : std::filesystem::path(tabulon::gui::S(user_data)) / "tabulon";
  const tabulon::ProgramDirChoice choice =
      tabulon::ChooseProgramDir(exe_dir, per_user, tabulon::InstalledDataDir(exe_dir));
  tabulon::gui::QtUi ui;
  if (!choice.error.empty()) ui.Message(tabulon::MessageKind::kError, choice.error);
  tabulon::gui::QtPlatform platform(choice.help_dir);
  tabulon::Program program(choice.program_dir, ui, platform);
  tabulon::gui::MainWindow window(program, ui, platform);
  ui.SetParent(&window);
  // Centred on the desktop, whatever the window manager would choose.
  if (const QScreen* screen = window.screen()) {
    window.move(screen->availableGeometry().center() - window.rect().center());
  }
  window.show();
  return app.exec();
}
