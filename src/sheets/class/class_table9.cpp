#include "sheets/class/class_table9.h"

#include <algorithm>

#include "files/files.h"
#include "tables/fields.h"
#include "text/encoding.h"

namespace tabulon::class_sheet {
namespace {

constexpr int kMinRows = 10;
constexpr int kTallRowHeight = 30;  // the key-9 row of a block: the block's own total
constexpr int kFields = 5;

bool IsTotalOfBlock(const Grid& grid, int row) {
  return grid.Cell(0, row) == "9" || grid.Cell(kT9SchoolingCol, row) == "9";
}

bool RowHasCounts(const Grid& grid, int row) {
  return CellHasData(grid.Cell(kT9TotalCol, row), false) ||
         CellHasData(grid.Cell(kT9FemaleCol, row), false);
}

}  // namespace

GroupIndex::GroupIndex(const Grid& grid) {
  for (int row = 1; row < grid.RowCount(); ++row) Add(grid.Cell(kT9GroupKeyCol, row), row);
}

const std::vector<int>* GroupIndex::Rows(const std::string& key) const {
  auto it = rows_.find(key);
  return it == rows_.end() ? nullptr : &it->second;
}

int AddGroupBlock(Grid& grid, const std::string& group_key, const std::vector<KeyEntry>& keys,
                  GroupIndex* index) {
  const int first = grid.RowCount();
  grid.SetRowCount(first + std::max<int>(kT9BlockRows, static_cast<int>(keys.size())));
  int row = first;
  for (const KeyEntry& e : keys) {
    grid.SetCell(0, row, e.key);
    grid.SetCell(1, row, e.text);
    grid.SetCell(kT9GroupKeyCol, row, group_key);
    grid.SetCell(kT9SchoolingCol, row, e.key);
    if (index != nullptr) index->Add(group_key, row);
    ++row;
  }
  return first;
}

void PrepareTable9(Grid& grid, const Settings& settings) {
  if (grid.RowCount() < kMinRows) grid.SetRowCount(kMinRows);
  const int height = settings.shrink_rows_without_data != 0 ? kShrunkRowHeight : kDefaultRowHeight;
  const bool copy_keys = settings.save_only_rows_with_data == 0;
  for (int row = 2; row < grid.RowCount(); ++row) {
    grid.SetRowHeight(row, height);
    if (copy_keys || grid.Cell(kT9SchoolingCol, row).empty()) {
      grid.SetCell(kT9SchoolingCol, row, grid.Cell(0, row));
    }
  }
  for (int row = kT9TotalBlockFirst; row <= kT9TotalBlockLast; ++row) {
    grid.SetCell(kT9GroupNameCol, row, kT9TotalGroupName);
    grid.SetCell(kT9GroupKeyCol, row, kT9TotalGroupKey);
  }
}

Table9Load ApplyTable9Bytes(Grid& grid, std::string_view bytes,
                            const std::optional<std::vector<KeyEntry>>& keys) {
  Table9Load result;
  const std::string utf8 = text::Cp850ToUtf8(bytes);
  const std::vector<std::string_view> lines = SplitLines(utf8);
  result.lines = static_cast<int>(lines.size());
  GroupIndex index(grid);
  std::vector<std::string> fields;
  for (std::string_view line : lines) {
    SplitFieldsInto(line, kFields, fields);
    const std::string& group = fields[1];
    if (group.empty()) {
      ++result.unassignable;
      continue;
    }
    const std::vector<int>* rows = index.Rows(group);
    if (rows == nullptr) {
      // Without the schooling keys a block would have no row a line could find; the line is
      // kept out, and the save refuses to overwrite the file (see the sheet's writer).
      if (!keys) continue;
      AddGroupBlock(grid, group, *keys, &index);
      ++result.blocks_added;
      rows = index.Rows(group);
    }
    for (int row : *rows) {
      if (grid.Cell(kT9SchoolingCol, row) != fields[2]) continue;
      for (int i = 0; i < kFields; ++i) {
        grid.SetCell(kT9GroupNameCol + i, row, fields[static_cast<std::size_t>(i)]);
      }
      grid.SetRowHeight(row, IsTotalOfBlock(grid, row) ? kTallRowHeight : kDefaultRowHeight);
    }
  }
  return result;
}

void CompleteTable9(Grid& grid) {
  for (int row = kT9TotalBlockFirst; row <= kT9TotalBlockLast; ++row) {
    if (grid.Cell(kT9GroupKeyCol, row).empty()) grid.SetCell(kT9GroupKeyCol, row, kT9TotalGroupKey);
    if (grid.Cell(kT9GroupNameCol, row).empty() &&
        grid.Cell(kT9GroupKeyCol, row) == kT9TotalGroupKey) {
      grid.SetCell(kT9GroupNameCol, row, kT9TotalGroupName);
    }
    if (grid.Cell(kT9SchoolingCol, row).empty()) {
      grid.SetCell(kT9SchoolingCol, row, grid.Cell(0, row));
    }
  }
}

std::string Table9Bytes(const Grid& grid, bool save_only_rows_with_data) {
  std::string utf8;
  for (int row = 1; row < grid.RowCount(); ++row) {
    if (row > 1 && save_only_rows_with_data && !RowHasCounts(grid, row)) continue;
    for (int i = 0; i < kFields; ++i) {
      if (i > 0) utf8 += ';';
      utf8 += grid.Cell(kT9GroupNameCol + i, row);
    }
    utf8 += "\r\n";
  }
  return text::Utf8ToCp850(utf8);
}

bool NewOccupationGroup(Grid& grid, Ui& ui, const std::filesystem::path& program_dir) {
  const std::optional<std::string> key = ui.AskOccupationGroup();
  if (!key || key->empty()) return false;
  const GroupIndex index(grid);
  if (const std::vector<int>* rows = index.Rows(*key); rows != nullptr && rows->front() >= 2) {
    grid.SetCurrentCell(kT9TotalCol, rows->front());
    grid.RequestFocus();
    return false;
  }
  const std::filesystem::path path = program_dir / kT9KeyFile;
  std::optional<std::vector<KeyEntry>> keys = ReadKeyFile(path);
  if (!keys) {
    ui.Message(MessageKind::kWarning, "Statistik-Schlüssel-Datei: Schulische Vorbildung\r" +
                                          DisplayPath(path) + "\rist nicht vorhanden!");
    keys.emplace();
  }
  const int first = AddGroupBlock(grid, *key, *keys);
  grid.SetCurrentCell(kT9TotalCol, first);
  grid.RequestFocus();
  return true;
}

}  // namespace tabulon::class_sheet
