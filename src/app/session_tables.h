// The grids of every table definition, with the set-up, load and save that each sheet registers
// for its tables. The session decides when these run; the window draws the grids held here.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "base/ports.h"
#include "app/session.h"
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

 private:
  const Operations* Find(std::string_view definition) const;
  std::map<std::string, Grid, std::less<>> grids_;
  std::map<std::string, Operations, std::less<>> ops_;
};

// Registers the school sheet's five tables: set-up from their definition files in the program
// directory, load from and save to the files named by the DST-Nr. in "SCHULE".
void RegisterSchoolTables(GridStore& store, const std::filesystem::path& program_dir, Ui& ui);

}  // namespace tabulon
