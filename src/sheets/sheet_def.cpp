#include "sheets/sheet_def.h"

namespace tabulon {
namespace {

template <typename T, typename Pred>
const T* FindIn(std::span<const T> items, Pred pred) {
  for (const T& item : items) {
    if (pred(item)) return &item;
  }
  return nullptr;
}

}  // namespace

const TableDef* SheetDef::FindTable(std::string_view definition) const {
  return FindIn(tables, [&](const TableDef& t) { return t.name == definition; });
}

const TableDef* SheetDef::FindTableNumber(int table) const {
  const TablePage* page = FindPage(table);
  if (page == nullptr) return nullptr;
  for (const PageGrid& g : page->grids) {
    const TableDef* def = FindTable(g.definition);
    if (def != nullptr && def->table == table) return def;
  }
  return nullptr;
}

const TablePage* SheetDef::FindPage(int table) const {
  return FindIn(pages, [&](const TablePage& p) { return p.table == table; });
}

const SheetTest* SheetDef::FindTest(int table) const {
  return FindIn(tests, [&](const SheetTest& t) { return t.table == table; });
}

const CalcEntry* SheetDef::FindCalc(int table) const {
  return FindIn(calcs, [&](const CalcEntry& c) { return c.table == table; });
}

const GridCommand* SheetDef::FindCommand(int table, PageAction action) const {
  return FindIn(commands, [&](const GridCommand& c) {
    return (c.table == -1 || c.table == table) && c.action == action;
  });
}

const TableIO* SheetDef::FindIO(std::string_view definition) const {
  return FindIn(io, [&](const TableIO& t) { return t.definition == definition; });
}

}  // namespace tabulon
