// The ports of the core, implemented with Qt: message boxes, the program's dialogs, the trash,
// the clipboard, the mail program and the help window.
#pragma once

#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <memory>

#include "base/ports.h"

namespace tabulon::gui {

class HelpWindow;
class CalcDialogs;

// The core's texts use "\r" for a line break; a message box needs "\n".
QString DisplayText(const std::string& text);

class QtUi : public Ui {
 public:
  explicit QtUi(QWidget* parent = nullptr);
  ~QtUi() override;
  // The dialogs are made anew for the next parent; they keep their values while it lives.
  void SetParent(QWidget* parent);
  void Message(MessageKind kind, const std::string& text) override;
  bool Ask(MessageKind kind, const std::string& text) override;
  std::optional<std::filesystem::path> ChooseDirectory(const std::string& caption,
                                                       const std::filesystem::path& start) override;
  std::optional<std::filesystem::path> ChooseOpenFile(const std::string& caption,
                                                      const std::filesystem::path& start,
                                                      const std::string& filter) override;
  OverwriteChoice AskOverwrite(const std::string& text) override;
  bool AskCellChange(const CellChangeQuestion& question) override;
  int ChooseCellValue(const CellChoiceQuestion& question) override;
  std::optional<BirthYearRange> AskBirthYears() override;
  std::optional<SchoolTypeAndYears> AskSchoolTypeAndYears() override;
  std::optional<std::string> AskOccupationGroup() override;

 private:
  CalcDialogs& Dialogs();
  QWidget* parent_;
  // The dialogs are children of the window; their holder is too, so whichever of window and Ui
  // goes first, each dialog is deleted exactly once.
  QPointer<QObject> dialogs_holder_;
  CalcDialogs* dialogs_ = nullptr;
};

class QtPlatform : public Platform {
 public:
  // `help_dir`: where the help pages lie (beside the program, or the installed data directory).
  explicit QtPlatform(std::filesystem::path help_dir);
  ~QtPlatform() override;
  bool MoveToTrash(const std::filesystem::path& path) override;
  void SetClipboardText(const std::string& text) override;
  // Runs xdg-email and waits until it has handed the message to the desktop's mail program.
  int SendMail(const MailMessage& message) override;
  void OpenHelp(const std::string& topic) override;
  // Closing the program closes the help window too, even when the close is cancelled.
  void CloseHelp() override;
  void PrintPreview(const PrintDocument& document) override;

 private:
  std::filesystem::path help_dir_;
  HelpWindow* help_ = nullptr;
};

}  // namespace tabulon::gui
