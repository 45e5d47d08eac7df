// Test doubles for the ports: they record every message with its kind and exact text and answer
// questions from a scripted queue. A question nobody scripted fails the test.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/ports.h"

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

  std::vector<RecordedMessage> messages;
  std::vector<RecordedMessage> questions;
  std::deque<bool> answers;
  std::deque<std::optional<std::filesystem::path>> directories;
  std::deque<OverwriteChoice> overwrite_answers;
};

class FakePlatform : public Platform {
 public:
  bool MoveToTrash(const std::filesystem::path& path) override {
    trashed.push_back(path);
    std::error_code ec;
    return trash_succeeds && std::filesystem::remove(path, ec);
  }
  void SetClipboardText(const std::string& text) override { clipboard = text; }
  bool SendMail(const std::string& subject, const std::filesystem::path& attachment) override {
    mails.push_back(subject + "|" + attachment.string());
    return mail_succeeds;
  }
  void OpenHelp(const std::string& topic) override { help_topics.push_back(topic); }

  std::vector<std::filesystem::path> trashed;
  bool trash_succeeds = true;
  std::string clipboard;
  std::vector<std::string> mails;
  bool mail_succeeds = true;
  std::vector<std::string> help_topics;
};

}  // namespace tabulon::testing
