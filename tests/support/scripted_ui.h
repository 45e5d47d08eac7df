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
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected question: " << text;
      return false;
    }
    bool a = answers.front();
    answers.pop_front();
    return a;
  }

  std::optional<std::filesystem::path> ChooseDirectory(
      const std::string& caption, const std::filesystem::path& start) override {
    questions.push_back({MessageKind::kPlain, "Verzeichnis: " + caption + " @ " + start.string()});
    if (directories.empty()) {
      ADD_FAILURE() << "unexpected directory dialog: " << caption;
      return std::nullopt;
    }
    auto d = directories.front();
    directories.pop_front();
    return d;
  }
  std::optional<std::filesystem::path> ChooseOpenFile(const std::string& caption,
                                                      const std::filesystem::path& /*start*/,
                                                      const std::string& /*filter*/) override {
    questions.push_back({MessageKind::kPlain, "Datei: " + caption});
    if (files.empty()) {
      ADD_FAILURE() << "unexpected file dialog: " << caption;
      return std::nullopt;
    }
    auto f = files.front();
    files.pop_front();
    return f;
  }
  OverwriteChoice AskOverwrite(const std::string& text) override {
    questions.push_back({MessageKind::kConfirmation, text});
    if (overwrite_answers.empty()) {
      ADD_FAILURE() << "unexpected overwrite question: " << text;
      return OverwriteChoice::kCancel;
    }
    auto a = overwrite_answers.front();
    overwrite_answers.pop_front();
    return a;
  }

  bool AskCellChange(const CellChangeQuestion& question) override {
    cell_changes.push_back(question);
    if (cell_change_answers.empty()) {
      ADD_FAILURE() << "unexpected cell change question: " << question.row_text << " / "
                    << question.column_text;
      return false;
    }
    bool a = cell_change_answers.front();
    cell_change_answers.pop_front();
    return a;
  }
  int ChooseCellValue(const CellChoiceQuestion& question) override {
    cell_choices.push_back(question);
    if (cell_choice_answers.empty()) {
      ADD_FAILURE() << "unexpected three-way choice: " << question.row_text;
      return 0;
    }
    int a = cell_choice_answers.front();
    cell_choice_answers.pop_front();
    return a;
  }
  std::optional<BirthYearRange> AskBirthYears() override {
    ++birth_year_dialogs;
    if (birth_year_answers.empty()) {
      ADD_FAILURE() << "unexpected birth year dialog";
      return std::nullopt;
    }
    auto a = birth_year_answers.front();
    birth_year_answers.pop_front();
    return a;
  }
  std::optional<SchoolTypeAndYears> AskSchoolTypeAndYears() override {
    ++school_type_dialogs;
    if (school_type_answers.empty()) {
      ADD_FAILURE() << "unexpected school type dialog";
      return std::nullopt;
    }
    auto a = school_type_answers.front();
    school_type_answers.pop_front();
    return a;
  }

  std::optional<std::string> AskOccupationGroup() override {
    ++group_dialogs;
    if (group_answers.empty()) {
      ADD_FAILURE() << "unexpected occupation group dialog";
      return std::nullopt;
    }
    auto a = group_answers.front();
    group_answers.pop_front();
    return a;
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
