// The grids of every table definition, with the set-up, load and save that each sheet declares
// for its tables. The session decides when these run; the window draws the grids held here.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "app/session.h"
#include "base/ports.h"
#include "tables/datafile.h"
#include "tables/definition.h"
#include "tables/grid.h"

namespace tabulon {

// A definition nobody registered keeps an empty grid, so a sheet still under construction shows
// its pages without data and never writes a file.
class GridStore : public TableStore {
 public:
  struct Operations {
    std::function<void(Grid&)> set_up;
    std::function<int(Grid&, const TableContext&)> load;
    std::function<void(Grid&, const TableContext&)> save;
  };
  void Register(std::string definition, Operations ops) {
    ops_[std::move(definition)] = std::move(ops);
  }
  Grid& GridOf(std::string_view definition);

  void SetUpGrid(std::string_view definition) override;
  int LoadGrid(std::string_view definition, const TableContext& ctx) override;
  void SaveGrid(std::string_view definition, const TableContext& ctx) override;
  Grid* FindGrid(std::string_view definition) override { return &GridOf(definition); }
  // From now on, definition files found missing at set-up wait until WriteDeferredDefinitions(),
  // which writes them (FileError for one that cannot be written) and ends the waiting.
  void DeferDefinitionWrites() { defer_definitions_ = true; }
  void WriteDeferredDefinitions();
  PendingDefinitions* pending_definitions() {
    return defer_definitions_ ? &pending_definitions_ : nullptr;
  }

 private:
  const Operations* Find(std::string_view definition) const;
  std::map<std::string, Grid, std::less<>> grids_;
  std::map<std::string, Operations, std::less<>> ops_;
  bool defer_definitions_ = false;
  PendingDefinitions pending_definitions_;
};

// Where the data file of a sheet's table lies: the school data directory and the prefix that
// names the file (the DST-Nr., or the current class).
DataFileContext FileContextOf(const SheetDef& sheet, const TableContext& ctx);

// The set-up of a table from its definition file, then its load, as showing its page does.
// Returns the largest field count of a line.
int SetUpAndLoadTable(Grid& grid, const SheetDef& sheet, const TableDef& def,
                      const TableContext& ctx);
// The load of a table's data into a set-up grid, by the sheet's own rule where it declares one.
int LoadTable(Grid& grid, const SheetDef& sheet, const TableDef& def, const TableContext& ctx);
// The save of a table, by the sheet's own rule where it declares one. False when the table was
// kept unsaved (a key-row table without its key rows).
bool SaveTable(const Grid& grid, const SheetDef& sheet, const TableDef& def,
               const TableContext& ctx);

// Registers every table of every sheet: set-up from their definition files in the program
// directory, load from and save to their data files.
void RegisterSheetTables(GridStore& store, const std::filesystem::path& program_dir, Ui& ui);

}  // namespace tabulon
