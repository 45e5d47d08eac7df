// A program directory and one school's data directory in which teacher tables are set up,
// loaded and saved as showing and leaving their pages does.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/session_tables.h"
#include "base/data_paths.h"
#include "base/settings.h"
#include "files/files.h"
#include "sheets/teacher/teacher_sheet.h"
#include "sheets/teacher/teacher_tables.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "tables/definition.h"
#include "text/encoding.h"

namespace tabulon::testing {

class TeacherFixture : public ::testing::Test {
 protected:
  TeacherFixture() {
    settings.dst_nr = "12345";
    settings.read_only = 0;
    paths.program_dir = dir / "prog";
    paths.data_base_dir = dir / "basis";
    paths.school_data_dir = paths.data_base_dir / "12345";
    std::filesystem::create_directories(paths.program_dir);
    std::filesystem::create_directories(paths.school_data_dir);
  }

  TableContext Ctx() { return TableContext{settings, paths, class_id, ui}; }
  std::filesystem::path File(int table) {
    return paths.school_data_dir / "LEHRER" /
           ("12345" + std::string("0") + std::to_string(table) + ".CSV");
  }
  std::filesystem::path ProgramList() { return paths.program_dir / "LEHRER.CSV"; }
  std::filesystem::path SchoolList() { return paths.school_data_dir / "LEHRER.CSV"; }

  // Set up and load, as showing the table does; returns the largest field count of the file.
  int Show(Grid& g, const TableDef& def) {
    return SetUpAndLoadTable(g, TeacherSheet(), def, Ctx());
  }
  Grid Show(const TableDef& def) {
    Grid g;
    Show(g, def);
    return g;
  }
  void Save(const Grid& g, const TableDef& def) { SaveTable(g, TeacherSheet(), def, Ctx()); }

  // Files hold IBM 850; tests write and compare UTF-8 text.
  void WriteOem(const std::filesystem::path& p, const std::string& utf8) {
    WriteBytes(p, text::Utf8ToCp850(utf8));
  }
  std::string ReadOem(const std::filesystem::path& p) { return text::Cp850ToUtf8(ReadBytes(p)); }
  void CopySampleKeyFiles() {
    const std::filesystem::path data = std::filesystem::path(TABULON_SOURCE_DIR) / "data";
    for (const char* name : {"SSSA-140.SSD", "ILKLWS-4.SSD"}) {
      std::filesystem::copy_file(data / name, paths.program_dir / name);
    }
  }

  TempDir dir;
  Settings settings;
  DataPaths paths;
  std::string class_id = "ZZZ999";
  ScriptedUi ui;
};

// A table-1 record: the number, then values at the given codes (ES<n> -> text), 59 fields with a
// ";" after each, as saving writes them.
inline std::string Record(const std::string& number,
                          std::initializer_list<std::pair<int, std::string>> values = {},
                          int fields = 59) {
  std::vector<std::string> f(static_cast<std::size_t>(fields));
  f[0] = number;
  for (const auto& [code, text] : values) f[static_cast<std::size_t>(code - 1)] = text;
  std::string line;
  for (const std::string& s : f) line += s + ";";
  return line;
}

}  // namespace tabulon::testing
