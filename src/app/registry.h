// The sheets of the program, in the order of the window's top-level pages, and the page lookups
// that the session and the window share. Keeping one list means the window and the rules of
// switching and saving can never disagree about which page is which table.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "base/sheet.h"
#include "sheets/sheet_def.h"

namespace tabulon {

// Every sheet, in the order of the top-level tabs.
std::span<const SheetDef* const> Sheets();
// The declaration of a sheet.
const SheetDef& SheetOf(Sheet sheet);
// The sheet with this command-line name ("schule"), or nullptr.
const SheetDef* FindSheetByCliName(std::string_view name);
// The sheet that declares this table definition, or nullptr.
const SheetDef* FindSheetOfDefinition(std::string_view definition);

// The table pages of one sheet in their order on the sheet's tabs.
std::span<const TablePage> TablePagesOf(Sheet sheet);
// The page of (sheet, table), or nullptr.
const TablePage* FindTablePage(Sheet sheet, int table);

// The top-level page the window opens on: the first sheet that is still handed in.
int StartPage();
// Top-level page position -> sheet (nullopt when out of range).
std::optional<Sheet> SheetAt(int top_page);
// Position of a page on a sheet's tabs -> table index (kUnknownIndex when out of range).
int TableIndexOf(Sheet sheet, int page);
// The position of a table's page on its sheet's tabs, or -1.
int PagePositionOf(Sheet sheet, int table);

}  // namespace tabulon
