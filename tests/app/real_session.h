// A session on the real sheet tables in a program directory of its own: the boxes the person
// sees, the files on disk and the plausi windows the session opens.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/session.h"
#include "app/session_plausi.h"
#include "app/session_tables.h"
#include "support/program_dir.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tabulon {

class RealSessionTest : public ::testing::Test {
 protected:
  // Copies `key_files` into `prog`, writes the settings of school `dst_nr` (`adjust` may change
  // them further) and starts the session as the window does.
  void StartSession(std::initializer_list<const char*> key_files, bool read_write = true,
                    const std::string& dst_nr = "4711",
                    const std::function<void(Settings&)>& adjust = nullptr) {
    testing::CopyKeyFiles(prog, key_files);
    testing::WriteSchoolSettings(prog, dst_nr, read_write, adjust);
    RegisterSheetTables(store, prog, ui);
    session = std::make_unique<Session>(prog, ui, platform, store);
    session->SetPlausiWindow([this](const PlausiReport& r) {
      windows.push_back(r);
      return choice;
    });
    session->FormCreate();
    session->FormShow();
  }
  // A file of the class sheet of school 4711.
  std::filesystem::path Klasse(const std::string& name) const {
    return prog / "4711" / "KLASSE" / name;
  }

  testing::TempDir dir;
  std::filesystem::path prog = dir / "prog";
  testing::ScriptedUi ui;
  testing::FakePlatform platform;
  GridStore store;
  std::unique_ptr<Session> session;
  std::vector<PlausiReport> windows;  // every plausi window opened
  std::optional<std::size_t> choice;  // the finding chosen in the window
};

}  // namespace tabulon
