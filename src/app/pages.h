// The sheets and table pages of the main window as one declarative list: the window builds its
// tabs, grids and buttons from it, and the session maps pages to (sheet, table) with it. Keeping
// it in one list means the window and the rules of switching and saving can never disagree
// about which page is which table.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tabulon {

inline constexpr int kSheetQuick = 0;
inline constexpr int kSheetSchool = 1;
inline constexpr int kSheetTeacher = 2;
inline constexpr int kSheetClass = 3;
// What a page that no sheet or table belongs to maps to.
inline constexpr int kUnknownIndex = 100;

// What a page button does. The window forwards the action with its page to the session or to the
// sheet commands; copy buttons name the grid they copy.
enum class PageAction {
  kNone,              // a button without an action
  kPlausi,            // the table's internal plausibility test
  kAppendRow,         // one new row
  kAppendRows,        // ten new rows
  kSortRows,          // the table's sort
  kPrefillSchoolTypeYears,
  kPrefillBirthYears,
  kFillTexts,
  kFillKeys,
  kFillTexts2,        // second text fill-in of a page (class table 8: Herkunftskreise)
  kFillKeys2,
  kTakeOverQuick,     // take data over from the quick report (hidden)
  kConvertTeacher2008,
  kNewOccupationGroup,
  kDeleteClass,
  kAddClass,
  kTestClassNumbering,
  kAllClassTests,
  kFootnoteTest,
};

struct PageButton {
  PageAction action;
  std::string_view caption;
  std::string_view hint = {};
  bool hidden = false;
};

struct PageGrid {
  std::string_view name;        // the grid's name, for accessibility and tests
  std::string_view definition;  // "Bog1Tab0", ...
  bool copy_buttons = true;     // the class identification grid has none
  bool copy_data_with_first_row = false;  // a grid without ES row copies from its first data row
  bool reports_edits = true;              // edits in the class identification grid do not count
};

struct TablePage {
  int sheet;
  int table;
  std::string_view caption;
  std::span<const PageGrid> grids;
  std::span<const PageButton> buttons;
  // Which calculation tool buttons are enabled while the table is current.
  bool subtotals;
  bool summary_columns;
  bool summary_row;
  // The test title of the page's internal PLAUSI run; empty when the button starts no run.
  std::string_view plausi_title;
};

struct SheetPage {
  int sheet;
  std::string_view caption;
  std::string_view hint;
  bool enabled;
};

// The four sheet pages in their order on the top-level tabs.
std::span<const SheetPage> SheetPages();
// The table pages of one sheet in their order on the sheet's tabs.
std::span<const TablePage> TablePagesOf(int sheet);
// The page of (sheet, table), or nullptr.
const TablePage* FindTablePage(int sheet, int table);

// Top-level page position -> sheet index (kUnknownIndex when out of range).
int SheetIndexOf(int top_page);
// Position of a page on a sheet's tabs -> table index (kUnknownIndex when out of range).
int TableIndexOf(int sheet, int page);
// The position of a table's page on its sheet's tabs, or -1.
int PagePositionOf(int sheet, int table);

inline constexpr std::string_view kQuickNotice =
    "die SCHNELL-Meldung gehört (ab) 2010 nicht (mehr) zum Statistik-Umfang";
inline constexpr std::string_view kCopyTableCaption = "Tabelle kopieren";
inline constexpr std::string_view kCopyTableHint =
    "gesamte Tabelle in die Windows-Zwischenablage kopieren";
inline constexpr std::string_view kCopyDataCaption = "Daten kopieren";
inline constexpr std::string_view kCopyDataHint =
    "Datenteil der Tabelle in die Windows-Zwischenablage kopieren";

}  // namespace tabulon
