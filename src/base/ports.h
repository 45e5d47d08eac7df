// The ports through which the core talks to the person and to the platform. The core never shows
// anything itself: the desktop program implements these with Qt, the command line with text,
// and the tests with scripted doubles that record every message.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "base/print_document.h"
#include "base/sheet.h"

namespace tabulon {

enum class MessageKind {
  kInformation,
  kWarning,
  kError,
  kConfirmation,
  kPlain,  // a box without an icon (drive checks, mail results)
};

// The four answers of the question before a file is overwritten during a copy.
enum class OverwriteChoice { kYes, kYesToAll, kNo, kCancel };

// "Zellenwert ändern?": a computed value differs from the one in the cell. The texts are shown as
// they stand; the core has already cut them to the dialog's width.
struct CellChangeQuestion {
  std::string column_text;
  std::string row_text;
  std::string current_value;
  std::string new_value;
  bool operator==(const CellChangeQuestion&) const = default;
};

// "Zellenwert auswählen und ändern?": a cell that can be computed in three ways.
struct CellChoiceQuestion {
  std::string column_text;
  std::string row_text;
  std::string current_value;
  std::array<std::string, 3> captions;
  std::array<std::string, 3> values;
  bool operator==(const CellChoiceQuestion&) const = default;
};

// A birth-year range "von" .. "bis" as a pre-filling dialog returns it.
struct BirthYearRange {
  int von = 0;
  int bis = 0;
  bool operator==(const BirthYearRange&) const = default;
};

// A school type code and a birth-year range.
struct SchoolTypeAndYears {
  std::string code;
  BirthYearRange years;
  bool operator==(const SchoolTypeAndYears&) const = default;
};

// Message boxes and the program's dialogs as plain calls with plain results. Texts are exactly
// the program's texts, "\r" included; only the desktop program turns "\r" into line breaks.
class Ui {
 public:
  virtual ~Ui() = default;
  // A box with an OK button.
  virtual void Message(MessageKind kind, const std::string& text) = 0;
  // A box with the buttons Ja and Nein; true for Ja.
  virtual bool Ask(MessageKind kind, const std::string& text) = 0;
  // The directory dialog: a directory chosen by the person, or nothing after "Abbrechen".
  virtual std::optional<std::filesystem::path> ChooseDirectory(
      const std::string& caption, const std::filesystem::path& start) = 0;
  // The dialog that picks a file to read: the file chosen, or nothing after "Abbrechen".
  // `filter` lists the offered kinds of file, "Schülerlisten (*.csv *.txt)". Without a dialog
  // nothing is chosen.
  virtual std::optional<std::filesystem::path> ChooseOpenFile(
      const std::string& /*caption*/, const std::filesystem::path& /*start*/,
      const std::string& /*filter*/) {
    return std::nullopt;
  }
  // Before a copy overwrites a file: "Ja", "Ja, alle", "Nein" or "Abbrechen".
  virtual OverwriteChoice AskOverwrite(const std::string& text) = 0;
  // The calculation and pre-filling dialogs. Without a dialog the answer is the one that changes
  // nothing (keep the value, no candidate, cancel), so a Ui that does not show them is safe.
  // After a calculation: write the computed value over the cell's value? true for "Ja".
  virtual bool AskCellChange(const CellChangeQuestion& /*question*/) { return false; }
  // The three-way choice: 1, 2 or 3 for the candidate chosen, 0 for "Nein" or closing.
  virtual int ChooseCellValue(const CellChoiceQuestion& /*question*/) { return 0; }
  // "Geburtsjahre vortragen ...": the range, or nothing after "Abbrechen".
  virtual std::optional<BirthYearRange> AskBirthYears() { return std::nullopt; }
  // "vortragen von ...": school type and range, or nothing after "Abbrechen".
  virtual std::optional<SchoolTypeAndYears> AskSchoolTypeAndYears() { return std::nullopt; }
  // "neue Berufsgruppe": the group key typed, or nothing when the dialog was closed.
  virtual std::optional<std::string> AskOccupationGroup() { return std::nullopt; }
};

// A message handed to the person's mail program, which completes and sends it: no recipient,
// the person enters them there.
struct MailMessage {
  std::string subject;
  std::string body;
  std::filesystem::path attachment;
  bool operator==(const MailMessage&) const = default;
};

// What a mail program reports, in the numbering mail programs share: 0 taken over, 1 cancelled
// by the person, 2 failure, 11 attachment not found, 12 attachment not readable, and so on.
inline constexpr int kMailTakenOver = 0;
inline constexpr int kMailUserAbort = 1;
inline constexpr int kMailFailure = 2;
inline constexpr int kMailAttachmentNotFound = 11;
inline constexpr int kMailAttachmentOpenFailure = 12;
// There is no mail program to hand the message to.
inline constexpr int kMailNoProgram = -1;

// What the platform does for us beyond files.
class Platform {
 public:
  virtual ~Platform() = default;
  // Moves a file to the desktop's trash; false when that failed.
  virtual bool MoveToTrash(const std::filesystem::path& path) = 0;
  virtual void SetClipboardText(const std::string& text) = 0;
  // Hands the message to the person's mail program; returns its report (kMailTakenOver ...).
  virtual int SendMail(const MailMessage& message) = 0;
  // Opens the help: topic "" for the contents, "index" for its index, "suche" for the search.
  virtual void OpenHelp(const std::string& topic) = 0;
  // Closes the help when the program ends; nothing where the help is not a window of ours.
  virtual void CloseHelp() {}
  // Shows the print preview of a document, from which it is printed or saved as PDF.
  virtual void PrintPreview(const PrintDocument& /*document*/) {}
};

// The session tells the window what changed; the window then reads the session's state.
class View {
 public:
  virtual ~View() = default;
  virtual void GridRebuilt(Sheet /*sheet*/, int /*table*/) {}
  virtual void CurrentCellMoved(Sheet /*sheet*/, int /*table*/, int /*col*/, int /*row*/) {}
  virtual void ChangeStateChanged() {}
  virtual void ControlsChanged() {}
  // The session showed another table by itself (a finding in it was chosen): the window turns to
  // the session's pages.
  virtual void PagesChanged() {}
};

}  // namespace tabulon
