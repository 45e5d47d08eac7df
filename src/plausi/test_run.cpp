#include "plausi/test_run.h"

#include <algorithm>

#include "tables/values.h"

namespace tabulon {

void TestRun::Fail(int entry) {
  flags_.Fail(entry);
  Record(entry, -1, -1);
}

void TestRun::FailAt(int entry, int col, int row) {
  flags_.Fail(entry);
  Record(entry, col, row);
  error_position_ = CellPosition{col, row};
}

void TestRun::FailCell(int entry, int col, int row) {
  flags_.Fail(entry);
  Record(entry, col, row);
}

void TestRun::ClearFailed(int entry) {
  if (ErrorFlags::Valid(entry)) flags_.failed[entry] = false;
  std::erase_if(findings_, [entry](const Finding& f) { return f.entry == entry; });
  std::erase_if(recorded_, [entry](const auto& t) { return std::get<0>(t) == entry; });
}

void TestRun::Record(int entry, int col, int row) {
  if (recorded_.insert({entry, col, row}).second) findings_.push_back({entry, col, row});
}

std::int32_t TestRun::Number(int col, int row) {
  scratch_.failed[kCellValueError] = false;
  std::int32_t value = CellNumber(Text(col, row), true, kCellValueError, scratch_);
  if (scratch_.failed[kCellValueError]) FailCell(kCellValueError, col, row);
  return value;
}

void MoveToErrorPosition(const TestRun& run, Grid& grid, bool take_focus) {
  if (!run.error_position()) return;
  grid.SetCurrentCell(run.error_position()->col, run.error_position()->row);
  if (take_focus) grid.RequestFocus();
}

}  // namespace tabulon
