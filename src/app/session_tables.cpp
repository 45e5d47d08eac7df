#include "app/session_tables.h"

#include "sheets/school/school_tables.h"
#include "tables/datafile.h"
#include "tables/definition.h"

namespace tabulon {

Grid& GridStore::GridOf(std::string_view definition) {
  auto it = grids_.find(definition);
  if (it == grids_.end()) it = grids_.emplace(std::string(definition), Grid{}).first;
  return it->second;
}

const GridStore::Operations* GridStore::Find(std::string_view definition) const {
  auto it = ops_.find(definition);
  return it == ops_.end() ? nullptr : &it->second;
}

void GridStore::SetUpGrid(std::string_view definition) {
  if (const Operations* ops = Find(definition); ops && ops->set_up) ops->set_up(GridOf(definition));
}

int GridStore::LoadGrid(std::string_view definition, const TableContext& ctx) {
  const Operations* ops = Find(definition);
  return ops && ops->load ? ops->load(GridOf(definition), ctx) : 0;
}

void GridStore::SaveGrid(std::string_view definition, const TableContext& ctx) {
  if (const Operations* ops = Find(definition); ops && ops->save)
    ops->save(GridOf(definition), ctx);
}

namespace {

// A key-row table whose key file was missing at set-up has no rows a value could be typed into.
// Its file stays as it is; refusing the save as an error would keep the person from ever leaving
// the page, while the set-up has already said what is missing.
bool HasNoKeyRows(const Grid& grid, const TableDef& def) {
  if (def.kind != TableKind::kKeyRow) return false;
  for (int row = 2; row <= def.last_key_row && row < grid.RowCount(); ++row) {
    if (!grid.Cell(def.key_col, row).empty()) return false;
  }
  return true;
}

// School tables are named by the school's DST-Nr.
DataFileContext SchoolFileContext(const TableContext& ctx) {
  return DataFileContext{ctx.settings, ctx.paths.school_data_dir, ctx.settings.dst_nr, ctx.ui};
}

}  // namespace

void RegisterSchoolTables(GridStore& store, const std::filesystem::path& program_dir, Ui& ui) {
  for (const TableDef& def : SchoolTableDefs()) {
    const TableDef* d = &def;
    store.Register(std::string(def.name),
                   {[d, program_dir, &ui](Grid& g) { SetUpGrid(g, *d, program_dir, ui); },
                    [d](Grid& g, const TableContext& ctx) {
                      return ReadDataFile(g, *d, SchoolFileContext(ctx)).max_field_count;
                    },
                    [d](Grid& g, const TableContext& ctx) {
                      if (HasNoKeyRows(g, *d)) return;
                      WriteDataFile(g, *d, SchoolFileContext(ctx));
                    }});
  }
}

}  // namespace tabulon
