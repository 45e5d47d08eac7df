// A small school on disk, written through the program's own set-up and save: school "4711"
// whose tables all pass, with classes whose every test passes (table 0 with the class's keys,
// table 1's total row, table 8's one group with its "99" row). Tests spoil single cells.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/registry.h"
#include "app/session_tables.h"
#include "base/data_paths.h"
#include "base/settings.h"
#include "support/program_dir.h"
#include "support/scripted_ui.h"

namespace tabulon::testing {

struct CellText {
  int col;
  int row;
  std::string text;
};

// Sets up and loads a stored table as its page does, changes the cells and saves it.
inline void WriteTableCells(const std::filesystem::path& prog, Sheet sheet, int table,
                            const std::string& class_id, const std::vector<CellText>& cells) {
  ScriptedUi ui;
  Settings settings;
  ReadSettingsFile(prog, settings, ui);
  const DataPaths paths = FormDataPaths(settings, prog);
  const TableContext ctx{settings, paths, class_id, ui, /*create_missing_dirs=*/true};
  const SheetDef& def = SheetOf(sheet);
  const TableDef& table_def = *def.FindTableNumber(table);
  Grid grid;
  SetUpAndLoadTable(grid, def, table_def, ctx);
  for (const CellText& c : cells) grid.SetCell(c.col, c.row, c.text);
  SaveTable(grid, def, table_def, ctx);
}

inline void WriteSoundClass(const std::filesystem::path& prog, const std::string& id) {
  WriteTableCells(prog, Sheet::kClass, 0, id,
                  {{1, 2, "4711"}, {2, 2, "020"}, {3, 2, id.substr(3)}, {4, 2, "1"}, {5, 2, "2"}});
  WriteTableCells(prog, Sheet::kClass, 1, id, {{1, 2, "9999"}});
  WriteTableCells(prog, Sheet::kClass, 8, id, {{1, 2, "01"}, {3, 2, "1230"}, {1, 3, "99"}});
}

inline void WriteSmallSchool(const std::filesystem::path& prog,
                             const std::vector<std::string>& classes) {
  std::filesystem::create_directories(prog);
  for (const auto& f : std::filesystem::directory_iterator(kSampleData)) {
    if (f.path().extension() == ".SSD")
      std::filesystem::copy_file(f.path(), prog / f.path().filename());
  }
  WriteSchoolSettings(prog, "4711", /*read_write=*/true, [](Settings& s) {
    s.log_all_tests = 0;
    s.backup_at_start = 0;
    s.save_only_rows_with_data = 0;  // table 1's total row holds only its key
  });
  for (const char* sub : {"SCHULE", "LEHRER", "KLASSE"}) {
    std::filesystem::create_directories(prog / "4711" / sub);
  }
  for (const std::string& id : classes) WriteSoundClass(prog, id);
}

// The faults the tests look for: a value that is no number in class table 4 and in teacher
// table 2, each in the first data row's first number column.
inline const CellText kFaultyCell{3, 2, "abc"};

}  // namespace tabulon::testing
