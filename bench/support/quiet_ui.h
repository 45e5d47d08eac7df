// A Ui for benchmarks: messages are dropped and every question is answered "Nein", so that only
// the measured work takes time.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "base/ports.h"

namespace tabulon::bench {

class QuietUi : public Ui {
 public:
  void Message(MessageKind, const std::string&) override {}
  bool Ask(MessageKind, const std::string&) override { return false; }
  std::optional<std::filesystem::path> ChooseDirectory(const std::string&,
                                                       const std::filesystem::path&) override {
    return std::nullopt;
  }
  OverwriteChoice AskOverwrite(const std::string&) override { return OverwriteChoice::kNo; }
};

}  // namespace tabulon::bench
