#include "sheets/class/class_wide.h"

#include <optional>
#include <span>
#include <utility>

#include "plausi/catalogue.h"
#include "sheets/class/class_tests.h"
#include "tables/values.h"

namespace tabulon::class_sheet {
namespace {

constexpr int kValueError = 7;
constexpr int kNoSumRow = 231;

std::int64_t Value(const Grid& grid, int col, int row, ErrorFlags& flags) {
  return CellNumber(grid.Cell(col, row), true, kValueError, flags);
}

// A footnote's value as the table read it; kNoFootnote while its cell was not found.
struct Read {
  int footnote;  // 0 = a) ... 7 = h)
  std::int64_t value = kNoFootnote;
};

// The footnotes of a table whose figures stand in a sum row: the last matching row wins.
template <typename Match>
void ReadSumRow(const Grid& grid, ErrorFlags& flags, Match match, std::span<Read> out,
                std::span<const int> cols) {
  flags.MarkTested(kNoSumRow);
  flags.Fail(kNoSumRow);
  for (int row = 2; row < grid.RowCount(); ++row) {
    if (!match(row)) continue;
    flags.failed[kNoSumRow] = false;
    for (std::size_t i = 0; i < out.size(); ++i) out[i].value = Value(grid, cols[i], row, flags);
  }
}

}  // namespace

TableStatus SummaryStep(int table, TestEnv& env, ErrorFlags& accumulator, TestResult* result) {
  ResetErrorFlags(env.flags);
  TestResult r = TestClassTable(table, env);
  const TableStatus status = AnyErrorFailed(env.flags) ? kTableFaulty : kTableFaultFree;
  MergeErrorFlags(accumulator, env.flags);
  if (result != nullptr) *result = std::move(r);
  return status;
}

void ReportFootnotes(int table, const Grid& grid, ErrorFlags& flags, FootnoteRefs& refs) {
  flags.MarkTested(kValueError);
  std::vector<Read> reads;
  switch (table) {
    case 1: {
      // The 9999 row gives a) to d); an 8888 row gives c) and d) from its columns 2 and 3.
      reads = {{0}, {1}, {2}, {3}};
      flags.MarkTested(kNoSumRow);
      flags.Fail(kNoSumRow);
      for (int row = 2; row < grid.RowCount(); ++row) {
        const std::string& key = grid.Cell(1, row);
        if (key == "9999") {
          flags.failed[kNoSumRow] = false;
          for (int i = 0; i < 4; ++i) reads[i].value = Value(grid, 2 + i, row, flags);
        } else if (key == "8888") {
          reads[2].value = Value(grid, 2, row, flags);
          reads[3].value = Value(grid, 3, row, flags);
        }
      }
      break;
    }
    case 2:
      reads = {{0, Value(grid, 3, 12, flags)}, {1, Value(grid, 4, 12, flags)}};
      break;
    case 3: {
      reads = {{2}, {3}};
      constexpr int kCols[] = {3, 4};
      ReadSumRow(
          grid, flags, [&](int row) { return grid.Cell(2, row) == "999"; }, reads, kCols);
      break;
    }
    case 5:
      reads = {{4, Value(grid, 3, 2, flags)}, {5, Value(grid, 4, 2, flags)}};
      break;
    case 7:
      // Row 13 fixes g) and h) whatever they held; row 12 is compared with it.
      refs.value[6] = Value(grid, 5, 13, flags);
      refs.value[7] = Value(grid, 6, 13, flags);
      reads = {{6, Value(grid, 3, 12, flags)}, {7, Value(grid, 4, 12, flags)}};
      break;
    case 8: {
      reads = {{0}, {1}};
      constexpr int kCols[] = {6, 7};
      ReadSumRow(
          grid, flags, [&](int row) { return grid.Cell(1, row) == "99"; }, reads, kCols);
      break;
    }
    case 9: {
      reads = {{4}, {5}};
      constexpr int kCols[] = {5, 6};
      ReadSumRow(
          grid, flags,
          [&](int row) { return grid.Cell(3, row) == "9999" && grid.Cell(4, row) == "9"; }, reads,
          kCols);
      break;
    }
    default:
      return;
  }
  for (Read& r : reads) {
    if (r.value == kNoFootnote) r.value = 0;
    std::int64_t& ref = refs.value[static_cast<std::size_t>(r.footnote)];
    if (ref == kNoFootnote) {
      ref = r.value;
      continue;
    }
    const int entry = 251 + r.footnote;
    flags.MarkTested(entry);
    if (r.value != ref) flags.Fail(entry);
  }
}

}  // namespace tabulon::class_sheet
