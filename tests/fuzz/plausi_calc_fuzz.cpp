// Runs every sheet's plausibility test and every calculation on grids of random content: any
// table of any registered sheet, its frame from the built-in definition, key columns with real
// and marker keys, cells of numbers, overflowing numbers, negatives, blanks and junk, and free-row
// tables of random length. A test must leave the grid as it found it; a calculation must keep the
// grid's columns, its header and code rows, and its rows (a free-row table may gain appended
// total rows); neither may crash (the fuzz build runs under ASan and UBSan).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/calculations.h"
#include "app/registry.h"
#include "base/settings.h"
#include "fuzz_support.h"
#include "tables/grid.h"

namespace {

using namespace tabulon;

// Reads the fuzzer's bytes as a stream of small decisions; zeros once they are used up.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  bool Bool() { return (Byte() & 1) != 0; }
  std::size_t Pick(std::size_t n) { return n == 0 ? 0 : Byte() % n; }
  std::string Bytes(std::size_t max) {
    std::size_t n = Pick(max + 1);
    std::string s;
    while (n-- > 0 && pos_ < size_) s.push_back(static_cast<char>(Byte()));
    return s;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// Texts that sit on the edges of the value rules and the sheets' row markers.
const char* const kCellTexts[] = {
    "",         "0",    "1",    "7",          "12",         "-1",          "99",
    "999",      "9999", "8888", "9",          "010",        "011",         "1990",
    "2010",     " 5",   "5 ",   "2147483647", "2147483648", "-2147483648", "99999999999999",
    "abc",      "0x1F", "1e3",  "+3",         "00000",      "12345",       "ZIM003",
    "\xC3\xA4", ";",    "\t",   " ",
};

std::string CellText(Input& in) {
  const std::size_t n = sizeof kCellTexts / sizeof kCellTexts[0];
  const std::size_t choice = in.Pick(n + 2);
  if (choice < n) return kCellTexts[choice];
  if (choice == n) return std::to_string(in.Byte() * 7 + in.Byte());
  return in.Bytes(6);
}

class FuzzUi : public fuzz::SilentUi {
 public:
  explicit FuzzUi(Input& in) : in_(in) {}
  bool Ask(MessageKind, const std::string&) override { return in_.Bool(); }
  bool AskCellChange(const CellChangeQuestion&) override { return in_.Bool(); }
  int ChooseCellValue(const CellChoiceQuestion&) override { return static_cast<int>(in_.Pick(4)); }

 private:
  Input& in_;
};

std::vector<std::string> Snapshot(const Grid& g) {
  std::vector<std::string> cells;
  cells.reserve(static_cast<std::size_t>(g.RowCount() * g.ColCount()));
  for (int r = 0; r < g.RowCount(); ++r) {
    for (int c = 0; c < g.ColCount(); ++c) cells.push_back(g.Cell(c, r));
  }
  return cells;
}

std::vector<std::string> Row(const Grid& g, int row) {
  std::vector<std::string> cells;
  for (int c = 0; c < g.ColCount(); ++c) cells.push_back(g.Cell(c, row));
  return cells;
}

// Every table of every sheet that has a test or a calculation, in a fixed order.
struct Target {
  const SheetDef* sheet;
  const TableDef* def;
};
const std::vector<Target>& Targets() {
  static const std::vector<Target> targets = [] {
    std::vector<Target> all;
    for (const SheetDef* sheet : Sheets()) {
      for (const TableDef& def : sheet->tables) {
        if (sheet->FindTableNumber(def.table) != &def) continue;  // identification grids
        if (sheet->FindTest(def.table) != nullptr || sheet->FindCalc(def.table) != nullptr) {
          all.push_back({sheet, &def});
        }
      }
    }
    return all;
  }();
  return targets;
}

void FillGrid(Grid& g, const TableDef& def, Input& in) {
  if (def.kind == TableKind::kFreeRow) {
    const int rows = 2 + static_cast<int>(in.Pick(40));
    g.SetRowCount(rows);
    g.SetFreeRowCount(rows);
  }
  // Key columns as the key files would fill them, with the total and foreign-pupil markers.
  if (def.kind == TableKind::kKeyRow) {
    for (int r = 2; r < g.RowCount(); ++r) g.SetCell(def.key_col, r, CellText(in));
  }
  const int cells = static_cast<int>(in.Pick(256));
  for (int i = 0; i < cells; ++i) {
    const int col = static_cast<int>(in.Pick(static_cast<std::size_t>(g.ColCount())));
    const int row = 2 + static_cast<int>(in.Pick(static_cast<std::size_t>(g.RowCount() - 2 + 1)));
    g.SetCell(col, row, CellText(in));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  const std::vector<Target>& targets = Targets();
  if (targets.empty()) return 0;
  const Target& t = targets[in.Pick(targets.size())];

  Grid grid = fuzz::BuiltInGrid(*t.def);
  if (grid.RowCount() < 2) return 0;
  FillGrid(grid, *t.def, in);

  Settings settings;
  settings.dst_nr = in.Bool() ? "12345" : "00000";
  settings.read_only = in.Bool() ? 1 : 0;
  settings.ask_after_calculations = in.Bool() ? 1 : 0;
  settings.warn_unsuitable_access = in.Bool() ? 1 : 0;
  const std::string class_id = in.Bool() ? "ZIM003" : kNoClass;

  if (const SheetTest* test = t.sheet->FindTest(t.def->table)) {
    const std::vector<std::string> before = Snapshot(grid);
    const int rows = grid.RowCount(), cols = grid.ColCount();
    ErrorFlags flags;
    TestEnv env{grid, flags, settings, class_id};
    test->run(env);
    if (grid.RowCount() != rows || grid.ColCount() != cols || Snapshot(grid) != before) {
      std::fprintf(stderr, "Test von %s veränderte die Tabelle\n",
                   std::string(t.def->name).c_str());
      __builtin_trap();  // a test only looks
    }
  }

  FuzzUi ui(in);
  const CalcTarget where{t.sheet->sheet, t.def->table, class_id};
  for (CalcCommand command :
       {CalcCommand::kSummaryRow, CalcCommand::kSubtotalRows, CalcCommand::kSummaryColumns}) {
    const int rows = grid.RowCount(), cols = grid.ColCount();
    const std::vector<std::string> header = Row(grid, 0), codes = Row(grid, 1);
    ErrorFlags flags;
    RunCalculation(command, where, grid, settings, ui, flags);
    // A free-row table may grow by the total rows a calculation appends; nothing else changes
    // size, and the header and code rows stay.
    const bool size_kept =
        t.def->kind == TableKind::kFreeRow ? grid.RowCount() >= rows : grid.RowCount() == rows;
    if (!size_kept || grid.ColCount() != cols || Row(grid, 0) != header || Row(grid, 1) != codes) {
      std::fprintf(stderr, "Berechnung %d auf %s: %dx%d -> %dx%d\n", static_cast<int>(command),
                   std::string(t.def->name).c_str(), cols, rows, grid.ColCount(), grid.RowCount());
      __builtin_trap();  // sums go into data rows only
    }
  }
  return 0;
}
