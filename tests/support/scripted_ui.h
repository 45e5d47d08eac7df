// Test doubles for the ports: they record every message with its kind and exact text and answer
// questions from a scripted queue. A question nobody scripted fails the test.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "base/ports.h"

namespace tabulon::testing {

struct RecordedMessage {
  MessageKind kind;
  std::string text;
  bool operator==(const RecordedMessage&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const RecordedMessage& m) {
  return os << "{kind " << static_cast<int>(m.kind) << ", \"" << m.text << "\"}";
}

class ScriptedUi : public Ui {
 public:
  void Message(MessageKind kind, const std::string& text) override {
    messages.push_back({kind, text});
  }
  bool Ask(MessageKind kind, const std::string& text) override {
    questions.push_back({kind, text});
    return Next(answers, "question: " + text, false);
  }

  std::optional<std::filesystem::path> ChooseDirectory(
      const std::string& caption, const std::filesystem::path& start) override {
    questions.push_back({MessageKind::kPlain, "Verzeichnis: " + caption + " @ " + start.string()});
    return Next(directories, "directory dialog: " + caption, std::nullopt);
  }
  std::optional<std::filesystem::path> ChooseOpenFile(const std::string& caption,
                                                      const std::filesystem::path& /*start*/,
                                                      const std::string& /*filter*/) override {
    questions.push_back({MessageKind::kPlain, "Datei: " + caption});
    return Next(files, "file dialog: " + caption, std::nullopt);
  }
  OverwriteChoice AskOverwrite(const std::string& text) override {
    questions.push_back({MessageKind::kConfirmation, text});
    return Next(overwrite_answers, "overwrite question: " + text, OverwriteChoice::kCancel);
  }

  bool AskCellChange(const CellChangeQuestion& question) override {
    cell_changes.push_back(question);
    return Next(cell_change_answers,
                "cell change question: " + question.row_text + " / " + question.column_text, false);
  }
  int ChooseCellValue(const CellChoiceQuestion& question) override {
    cell_choices.push_back(question);
    return Next(cell_choice_answers, "three-way choice: " + question.row_text, 0);
  }
  std::optional<BirthYearRange> AskBirthYears() override {
    ++birth_year_dialogs;
    return Next(birth_year_answers, "birth year dialog", std::nullopt);
  }
  std::optional<SchoolTypeAndYears> AskSchoolTypeAndYears() override {
    ++school_type_dialogs;
    return Next(school_type_answers, "school type dialog", std::nullopt);
  }
  std::optional<std::string> AskOccupationGroup() override {
    ++group_dialogs;
    return Next(group_answers, "occupation group dialog", std::nullopt);
  }

  std::vector<RecordedMessage> messages;
  std::vector<RecordedMessage> questions;
  std::deque<bool> answers;
  std::deque<std::optional<std::filesystem::path>> directories;
  std::deque<std::optional<std::filesystem::path>> files;
  std::deque<OverwriteChoice> overwrite_answers;
  std::vector<CellChangeQuestion> cell_changes;
  std::deque<bool> cell_change_answers;
  std::vector<CellChoiceQuestion> cell_choices;
  std::deque<int> cell_choice_answers;
  int birth_year_dialogs = 0;
  std::deque<std::optional<BirthYearRange>> birth_year_answers;
  int school_type_dialogs = 0;
  std::deque<std::optional<SchoolTypeAndYears>> school_type_answers;
  int group_dialogs = 0;
  std::deque<std::optional<std::string>> group_answers;

 private:
  // The next scripted answer; a dialog nobody scripted fails the test and is cancelled.
  template <typename T, typename Cancel>
  static T Next(std::deque<T>& queue, const std::string& what, Cancel cancel) {
    if (queue.empty()) {
      ADD_FAILURE() << "unexpected " << what;
      return T(cancel);
    }
    T a = queue.front();
    queue.pop_front();
    return a;
  }
};

class FakePlatform : public Platform {
 public:
  bool MoveToTrash(const std::filesystem::path& path) override {
    trashed.push_back(path);
    std::error_code ec;
    return trash_succeeds && std::filesystem::remove(path, ec);
  }
  void SetClipboardText(const std::string& text) override { clipboard = text; }
  int SendMail(const MailMessage& message) override {
    mails.push_back(message);
    return mail_result;
  }
  void OpenHelp(const std::string& topic) override { help_topics.push_back(topic); }
  void PrintPreview(const PrintDocument& document) override { printed.push_back(document); }

  std::vector<std::filesystem::path> trashed;
  bool trash_succeeds = true;
  std::string clipboard;
  std::vector<MailMessage> mails;
  int mail_result = kMailTakenOver;
  std::vector<std::string> help_topics;
  std::vector<PrintDocument> printed;
};

}  // namespace tabulon::testing

// The tests of every folder use these by their short names.
namespace tabulon {
using testing::FakePlatform;
using testing::RecordedMessage;
using testing::ScriptedUi;
}  // namespace tabulon
