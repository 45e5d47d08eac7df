// The context of one test run over one table's grid: the tests of every sheet mark checks as
// tested, report violations and read cells through it. Beyond the flags that the error window
// shows, it keeps every single finding with its cell, in the order found, so that the desktop
// program can list and jump to each violating cell and the command line can print them.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "tables/error_flags.h"
#include "tables/grid.h"

namespace tabulon {

// The number of the check that every unreadable or negative cell value is reported to.
inline constexpr int kCellValueError = 7;

struct CellPosition {
  int col = 0;
  int row = 0;
  bool operator==(const CellPosition&) const = default;
};

struct Finding {
  int entry = 0;
  // The cell the finding is about; both -1 when the rule names no single cell.
  int col = -1;
  int row = -1;
  bool operator==(const Finding&) const = default;
};

// What a test leaves behind beside the flags.
struct TestResult {
  std::vector<Finding> findings;
  std::optional<CellPosition> error_position;
};

class TestRun {
 public:
  TestRun(const Grid& grid, ErrorFlags& flags) : grid_(grid), flags_(flags) {}

  const Grid& grid() const { return grid_; }
  ErrorFlags& flags() { return flags_; }

  void MarkTested(int entry) { flags_.MarkTested(entry); }
  // A violation that names no cell: the error position stays as it was.
  void Fail(int entry);
  // A violation at a cell, which becomes the error position (the last one wins).
  void FailAt(int entry, int col, int row);
  // A violation at a cell that the finding list names but that does not move the error position
  // (rules that check a whole block report each occupied cell this way).
  void FailCell(int entry, int col, int row);
  // Withdraws a failure found earlier in the same run, with its findings.
  void ClearFailed(int entry);

  // The cell's text; empty outside the grid, so that a grid smaller than its test expects reads
  // as empty cells instead of failing.
  const std::string& Text(int col, int row) const { return grid_.Cell(col, row); }
  // Any text at all, a single blank included.
  bool Occupied(int col, int row) const { return !Text(col, row).empty(); }
  // The cell's number with negatives rejected; an unreadable or negative value fails entry 7 and
  // is recorded as a finding at that cell (without moving the error position).
  std::int32_t Number(int col, int row);

  const std::optional<CellPosition>& error_position() const { return error_position_; }
  const std::vector<Finding>& findings() const { return findings_; }
  TestResult Result() const { return {findings_, error_position_}; }

 private:
  const Grid& grid_;
  ErrorFlags& flags_;
  ErrorFlags scratch_;  // catches the report of one cell read
  std::optional<CellPosition> error_position_;
  std::vector<Finding> findings_;
  // A cell read by several rules, or a rule failing twice at one cell, is one finding.
  std::set<std::tuple<int, int, int>> recorded_;

  void Record(int entry, int col, int row);
};

// The end of every test: the current cell moves to the error position, if any; with
// take_focus the grid also asks for the keyboard focus.
void MoveToErrorPosition(const TestRun& run, Grid& grid, bool take_focus);

}  // namespace tabulon
