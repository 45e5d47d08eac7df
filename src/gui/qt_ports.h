// The ports of the core, implemented with Qt: message boxes, the program's dialogs, the trash,
// the clipboard, the mail program and the help window.
#pragma once

#include <QWidget>
#include <filesystem>

#include "app/ports.h"

namespace tabulon::gui {

class HelpWindow;

// The core's texts use "\r" for a line break; a message box needs "\n".
QString DisplayText(const std::string& text);

class QtUi : public Ui {
 public:
  explicit QtUi(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  void Message(MessageKind kind, const std::string& text) override;
  bool Ask(MessageKind kind, const std::string& text) override;
  std::optional<std::filesystem::path> ChooseDirectory(
      const std::string& caption, const std::filesystem::path& start) override;
  OverwriteChoice AskOverwrite(const std::string& text) override;

 private:
  QWidget* parent_;
};

class QtPlatform : public Platform {
 public:
  explicit QtPlatform(std::filesystem::path program_dir);
  ~QtPlatform() override;
  bool MoveToTrash(const std::filesystem::path& path) override;
  void SetClipboardText(const std::string& text) override;
  bool SendMail(const std::string& subject, const std::filesystem::path& attachment) override;
  void OpenHelp(const std::string& topic) override;
  // Closing the program closes the help window too, even when the close is cancelled.
  void CloseHelp();

 private:
  std::filesystem::path program_dir_;
  HelpWindow* help_ = nullptr;
};

}  // namespace tabulon::gui
