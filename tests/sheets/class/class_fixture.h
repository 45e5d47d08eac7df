// A program directory and a school data directory in which class tables are set up, loaded and
// saved the way showing and leaving their pages does.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/data_paths.h"
#include "base/settings.h"
#include "sheets/class/class_sheet.h"
#include "sheets/class/class_tables.h"
#include "support/program_dir.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "tables/datafile.h"
#include "tables/definition.h"

namespace tabulon::testing {

inline constexpr std::initializer_list<const char*> kClassKeyFiles = {
    "SSVB.SSD", "SSFSR.SSD", "SSAS.SSD",  "SSLTF.SSD", "SSUS.SSD",  "SSVB0.SSD", "SLAND.SSD",
    "SHKK.SSD", "SBBG1.SSD", "SBBG2.SSD", "SBBG3.SSD", "SBBG4.SSD", "SBBG5.SSD", "SBBG6.SSD"};

class ClassTableFixture : public ::testing::Test {
 protected:
  ClassTableFixture() {
    settings.dst_nr = "54321";
    settings.read_only = 0;
    CopyKeyFiles(prog, kClassKeyFiles);
    paths.program_dir = prog;
    paths.data_base_dir = dir.path();
    paths.school_data_dir = dir / "54321";
  }

  TableContext Ctx() { return TableContext{settings, paths, class_id, ui}; }
  DataFileContext DataCtx() {
    return DataFileContext{settings, paths.school_data_dir, class_id, ui};
  }
  std::filesystem::path File(int table) {
    return paths.school_data_dir / "KLASSE" /
           (class_id + (table < 10 ? "0" : "") + std::to_string(table) + ".CSV");
  }
  const TableDef& Def(int table) { return class_sheet::ClassTableDef(table); }

  // Set up and load, as showing the page does.
  Grid Show(int table) {
    Grid g;
    const TableDef& def = Def(table);
    SetUpGrid(g, def, prog, ui);
    if (const TableIO* io = ClassSheet().FindIO(def.name)) {
      io->load(g, def, Ctx());
    } else {
      ReadDataFile(g, def, DataCtx());
    }
    return g;
  }
  void Save(const Grid& g, int table) {
    const TableDef& def = Def(table);
    if (const TableIO* io = ClassSheet().FindIO(def.name)) {
      io->save(g, def, Ctx());
    } else {
      WriteDataFile(g, def, DataCtx());
    }
  }

  TempDir dir;
  std::filesystem::path prog = dir / "prog";
  DataPaths paths;
  Settings settings;
  std::string class_id = "ZIM003";
  ScriptedUi ui;
};

}  // namespace tabulon::testing
