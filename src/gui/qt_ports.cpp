#include "gui/qt_ports.h"

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

#include "gui/calc_dialogs.h"
#include "gui/dialogs.h"
#include "gui/help_window.h"
#include "gui/print_preview.h"
#include "gui/qt_text.h"

namespace tabulon::gui {
namespace {

struct KindLook {
  MessageKind kind;
  QMessageBox::Icon icon;
  const char* title;
};
constexpr KindLook kLooks[] = {
    {MessageKind::kInformation, QMessageBox::Information, "Information"},
    {MessageKind::kWarning, QMessageBox::Warning, "Warnung"},
    {MessageKind::kError, QMessageBox::Critical, "Fehler"},
    {MessageKind::kConfirmation, QMessageBox::Question, "Bestätigen"},
    {MessageKind::kPlain, QMessageBox::NoIcon, "Tabulon BS"},
};

const KindLook& LookOf(MessageKind kind) {
  for (const KindLook& l : kLooks) {
    if (l.kind == kind) return l;
  }
  return kLooks[0];
}

}  // namespace

QString DisplayText(const std::string& text) {
  QString s = Q(text);
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s;
}

namespace {

class DialogHolder : public QObject {
 public:
  explicit DialogHolder(QObject* parent) : QObject(parent) {}
  // Made after the holder exists, so the parent deletes the holder (and with it the dialogs)
  // before it would reach the dialogs themselves.
  std::unique_ptr<CalcDialogs> dialogs;
};

}  // namespace

QtUi::QtUi(QWidget* parent) : parent_(parent) {}

QtUi::~QtUi() { delete dialogs_holder_.data(); }

void QtUi::SetParent(QWidget* parent) {
  delete dialogs_holder_.data();
  parent_ = parent;
}

CalcDialogs& QtUi::Dialogs() {
  // Created once on first use, so that they keep the last values entered while the program runs.
  if (!dialogs_holder_) {
    auto* holder = new DialogHolder(parent_);
    holder->dialogs = std::make_unique<CalcDialogs>(parent_);
    dialogs_ = holder->dialogs.get();
    dialogs_holder_ = holder;
  }
  return *dialogs_;
}

bool QtUi::AskCellChange(const CellChangeQuestion& question) {
  return Dialogs().AskCellChange(question);
}

int QtUi::ChooseCellValue(const CellChoiceQuestion& question) {
  return Dialogs().ChooseCellValue(question);
}

std::optional<BirthYearRange> QtUi::AskBirthYears() { return Dialogs().AskBirthYears(); }

std::optional<std::string> QtUi::AskOccupationGroup() { return Dialogs().AskOccupationGroup(); }

std::optional<SchoolTypeAndYears> QtUi::AskSchoolTypeAndYears() {
  return Dialogs().AskSchoolTypeAndYears();
}

void QtUi::Message(MessageKind kind, const std::string& text) {
  const KindLook& look = LookOf(kind);
  QMessageBox box(look.icon, QString::fromUtf8(look.title), DisplayText(text), QMessageBox::Ok,
                  parent_);
  box.exec();
}

bool QtUi::Ask(MessageKind kind, const std::string& text) {
  const KindLook& look = LookOf(kind);
  QMessageBox box(look.icon, QString::fromUtf8(look.title), DisplayText(text),
                  QMessageBox::NoButton, parent_);
  QPushButton* yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

std::optional<std::filesystem::path> QtUi::ChooseDirectory(const std::string& caption,
                                                           const std::filesystem::path& start) {
  DirectoryDialog dialog(parent_);
  dialog.setWindowTitle(QString::fromUtf8(caption));
  dialog.SetDirectory(start);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.ChosenDirectory();
}

std::optional<std::filesystem::path> QtUi::ChooseOpenFile(const std::string& caption,
                                                          const std::filesystem::path& start,
                                                          const std::string& filter) {
  const QString file = QFileDialog::getOpenFileName(parent_, QString::fromUtf8(caption),
                                                    Q(start.string()), QString::fromUtf8(filter));
  if (file.isEmpty()) return std::nullopt;
  return std::filesystem::path(S(file));
}

OverwriteChoice QtUi::AskOverwrite(const std::string& text) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigen"), DisplayText(text),
                  QMessageBox::NoButton, parent_);
  struct Choice {
    const char* caption;
    QMessageBox::ButtonRole role;
    OverwriteChoice choice;
  };
  static constexpr Choice kChoices[] = {
      {"Ja", QMessageBox::YesRole, OverwriteChoice::kYes},
      {"Ja, alle", QMessageBox::YesRole, OverwriteChoice::kYesToAll},
      {"Nein", QMessageBox::NoRole, OverwriteChoice::kNo},
      {"Abbrechen", QMessageBox::RejectRole, OverwriteChoice::kCancel},
  };
  std::vector<std::pair<QAbstractButton*, OverwriteChoice>> buttons;
  for (const Choice& c : kChoices) {
    buttons.emplace_back(box.addButton(QString::fromUtf8(c.caption), c.role), c.choice);
  }
  box.setEscapeButton(buttons.back().first);
  box.exec();
  for (auto& [button, choice] : buttons) {
    if (box.clickedButton() == button) return choice;
  }
  return OverwriteChoice::kCancel;
}

QtPlatform::QtPlatform(std::filesystem::path help_dir) : help_dir_(std::move(help_dir)) {}

QtPlatform::~QtPlatform() { delete help_; }

bool QtPlatform::MoveToTrash(const std::filesystem::path& path) {
  return QFile::moveToTrash(Q(path.string()));
}

void QtPlatform::SetClipboardText(const std::string& text) {
  QApplication::clipboard()->setText(Q(text));
}

namespace {

// The exit codes of xdg-email, as the mail programs' report.
struct MailExit {
  int exit_code;
  int result;
};
constexpr MailExit kMailExits[] = {
    {0, kMailTakenOver},
    {2, kMailAttachmentNotFound},
    {3, kMailNoProgram},  // no tool on this desktop that opens a mail
    {5, kMailAttachmentOpenFailure},
};

}  // namespace

int QtPlatform::SendMail(const MailMessage& message) {
  // An argument list, never a shell: the texts and the path reach the mail program as they are.
  QProcess process;
  process.setProgram(QStringLiteral("xdg-email"));
  process.setArguments({QStringLiteral("--utf8"), QStringLiteral("--subject"), Q(message.subject),
                        QStringLiteral("--body"), Q(message.body), QStringLiteral("--attach"),
                        Q(message.attachment.string())});
  process.setStandardInputFile(QProcess::nullDevice());
  QEventLoop loop;
  QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
  process.start();
  if (!process.waitForStarted()) return kMailNoProgram;
  // The window keeps painting while the desktop opens the mail program, but takes no input.
  if (process.state() != QProcess::NotRunning) loop.exec(QEventLoop::ExcludeUserInputEvents);
  if (process.exitStatus() != QProcess::NormalExit) return kMailFailure;
  for (const MailExit& e : kMailExits) {
    if (e.exit_code == process.exitCode()) return e.result;
  }
  return kMailFailure;
}

void QtPlatform::OpenHelp(const std::string& topic) {
  if (!help_) help_ = new HelpWindow(help_dir_);
  help_->ShowTopic(QString::fromUtf8(topic));
}

void QtPlatform::CloseHelp() {
  if (help_) help_->close();
}

}  // namespace tabulon::gui

namespace tabulon::gui {

void QtPlatform::PrintPreview(const PrintDocument& document) {
  gui::PrintPreview preview(document, QApplication::activeWindow());
  preview.exec();
}

}  // namespace tabulon::gui
