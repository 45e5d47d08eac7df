#include "app/session_tables.h"

#include "app/registry.h"
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

void GridStore::WriteDeferredDefinitions() {
  defer_definitions_ = false;
  WritePendingDefinitions(pending_definitions_);
}

DataFileContext FileContextOf(const SheetDef& sheet, const TableContext& ctx) {
  const std::string& prefix =
      sheet.prefix == FilePrefix::kClassId ? ctx.class_id : ctx.settings.dst_nr;
  return DataFileContext{ctx.settings, ctx.paths.school_data_dir, prefix, ctx.ui,
                         ctx.create_missing_dirs};
}

int LoadTable(Grid& grid, const SheetDef& sheet, const TableDef& def, const TableContext& ctx) {
  if (const TableIO* io = sheet.FindIO(def.name); io && io->load) return io->load(grid, def, ctx);
  return ReadDataFile(grid, def, FileContextOf(sheet, ctx)).max_field_count;
}

int SetUpAndLoadTable(Grid& grid, const SheetDef& sheet, const TableDef& def,
                      const TableContext& ctx) {
  SetUpGrid(grid, def, ctx.paths.program_dir, ctx.ui);
  return LoadTable(grid, sheet, def, ctx);
}

bool SaveTable(const Grid& grid, const SheetDef& sheet, const TableDef& def,
               const TableContext& ctx) {
  if (const TableIO* io = sheet.FindIO(def.name); io && io->save) {
    io->save(grid, def, ctx);
    return true;
  }
  return SaveDataFile(grid, def, FileContextOf(sheet, ctx));
}

void RegisterSheetTables(GridStore& store, const std::filesystem::path& program_dir, Ui& ui) {
  for (const SheetDef* sheet : Sheets()) {
    for (const TableDef& def : sheet->tables) {
      const TableDef* d = &def;
      store.Register(
          std::string(def.name),
          {[d, program_dir, &ui, &store](Grid& g) {
             SetUpGrid(g, *d, program_dir, ui, store.pending_definitions());
           },
           [d, sheet](Grid& g, const TableContext& ctx) { return LoadTable(g, *sheet, *d, ctx); },
           [d, sheet](Grid& g, const TableContext& ctx) { SaveTable(g, *sheet, *d, ctx); }});
    }
  }
}

}  // namespace tabulon
