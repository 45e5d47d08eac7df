// The run behind a table page's "interne PLAUSI" button and the tool button "PLAUSI durchführen":
// clear the flags, test the grid as it stands, and decide between the error window and the box
// that says all went well. Beside the protocol it names every finding's cell in words, so the
// window can list them and jump to the one the person picks.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "plausi/protocol.h"
#include "sheets/sheet_def.h"
#include "tables/error_flags.h"
#include "tables/grid.h"

namespace tabulon {

// A finding with the texts that let a person find its cell: the column's header (title and
// code) and the row's labels. Findings that name no single cell have col and row -1 and empty
// texts.
struct FindingPlace {
  int entry = 0;
  int col = -1;
  int row = -1;
  std::string column_header;
  std::string row_label;
  // The page of the finding's table where one run tests several ("Tab. 3"); "" otherwise.
  std::string table{};
  bool operator==(const FindingPlace&) const = default;
};

struct PlausiReport {
  std::string title;
  // Whether the error window opens; otherwise the person sees kTestPassedMessage.
  bool window = false;
  ErrorProtocol protocol;  // only when the window opens
  std::vector<FindingPlace> places;
  TestResult result;  // the findings and error position as the test left them
};

// The words for a cell of a grid: "title (code)" of its column, "Zeile n: labels" of its row.
std::string ColumnHeaderOf(const Grid& grid, int col);
std::string RowLabelOf(const Grid& grid, int row);

// The one run procedure of the buttons, the tool button and the command line: clear the flags,
// run the sheet's test on the grid (which moves its current cell to the error position), and
// build the report the error window or the command line shows.
PlausiReport RunPlausi(const SheetTest& test, TestEnv& env, bool log_all_tests);

}  // namespace tabulon
