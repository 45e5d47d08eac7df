#pragma once

#include <QMainWindow>

namespace tabulon::gui {

inline constexpr const char* kMainWindowCaption =
    "Tabulon      Varnland  V.1.10. (2011) Berufsschule";

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
};

}  // namespace tabulon::gui
