// A program directory and the data directory of one school whose tables are set up, loaded and
// saved as showing and leaving them in the program does.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/settings.h"
#include "sheets/school/school_tables.h"
#include "support/program_dir.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "tables/datafile.h"
#include "tables/definition.h"

namespace tabulon::testing {

class SchoolTableFixture : public ::testing::Test {
 protected:
  // The school's data directory is `data_dir` below the temporary directory; access read-write.
  SchoolTableFixture(const std::string& dst_nr, const std::filesystem::path& data_dir)
      : data(dir.path() / data_dir) {
    settings.dst_nr = dst_nr;
    settings.read_only = 0;
    // The program creates the school's data directory at start; loading adds a sheet directory.
    std::filesystem::create_directories(data);
  }
  DataFileContext Ctx() { return DataFileContext{settings, data, settings.dst_nr, ui}; }
  std::filesystem::path File(int table) { return SchoolTableFile(data, settings.dst_nr, table); }
  // Set up and load, as showing the table does.
  Grid Show(int table) {
    Grid g;
    SetUpGrid(g, SchoolTableDef(table), prog, ui);
    ReadDataFile(g, SchoolTableDef(table), Ctx());
    return g;
  }
  void Save(const Grid& g, int table) { WriteDataFile(g, SchoolTableDef(table), Ctx()); }

  TempDir dir;
  std::filesystem::path prog = dir / "prog";
  std::filesystem::path data;
  Settings settings;
  ScriptedUi ui;
};

}  // namespace tabulon::testing
