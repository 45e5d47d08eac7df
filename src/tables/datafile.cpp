#include "tables/datafile.h"

#include <algorithm>
#include <cstdio>
#include <system_error>
#include <vector>

#include "files/files.h"
#include "tables/fields.h"
#include "tables/values.h"
#include "text/encoding.h"

namespace tabulon {

namespace {

struct RowRange {
  int first;
  int last;
};

RowRange DataRows(const Grid& grid, const TableDef& def) {
  switch (def.kind) {
    case TableKind::kSingleRecord:
      return {1, 2};
    case TableKind::kKeyRow:
      return {1, def.last_key_row};
    case TableKind::kFreeRow:
      break;
  }
  return {1, grid.RowCount() - 1};
}

bool RowHasData(const Grid& grid, const TableDef& def, int row) {
  for (int col = def.has_data_first_col; col <= def.has_data_last_col; ++col) {
    if (CellHasData(grid.Cell(col, row), def.zero_is_data)) return true;
  }
  return false;
}

void PutFields(Grid& grid, const TableDef& def, int row, std::vector<std::string>& fields) {
  for (int i = 0; i < def.data_col_count; ++i) {
    grid.SetCell(def.first_data_col + i, row, std::move(fields[static_cast<std::size_t>(i)]));
  }
}

int FieldCount(std::string_view line) {
  int n = 0;
  while (!line.empty() && line.front() != '\r') {
    NextField(line);
    ++n;
  }
  return n;
}

void EmptyDataArea(Grid& grid, const TableDef& def) {
  RowRange range = DataRows(grid, def);
  for (int row = 2; row <= range.last; ++row) {
    for (int i = 0; i < def.data_col_count; ++i) grid.SetCell(def.first_data_col + i, row, "");
  }
}

void SetKeyRowHeights(Grid& grid, const TableDef& def, const Settings& settings) {
  if (def.kind != TableKind::kKeyRow) return;
  const bool shrink = def.shrink_key_rows && settings.shrink_rows_without_data != 0;
  for (int row = 2; row <= def.last_key_row; ++row) {
    grid.SetRowHeight(row, shrink ? kShrunkRowHeight : kDefaultRowHeight);
  }
}

bool HasAnyKey(const Grid& grid, const TableDef& def) {
  for (int row = 2; row <= def.last_key_row; ++row) {
    if (!grid.Cell(def.key_col, row).empty()) return true;
  }
  return false;
}

}  // namespace

std::filesystem::path DataFilePath(const TableDef& def, const std::filesystem::path& school_data_dir,
                                   const std::string& prefix) {
  char number[8];
  std::snprintf(number, sizeof number, "%02d", def.file_number);
  std::filesystem::path dir = school_data_dir / std::string(def.sheet_dir);
  std::filesystem::path path = dir / (prefix + number + ".CSV");
  if (!IsSafeNameComponent(prefix)) {
    throw FileError(path, "Öffnen",
                    "\"" + prefix + "\" kann nicht Teil eines Dateinamens sein.");
  }
  return path;
}

ReadResult LoadDataBytes(Grid& grid, const TableDef& def, std::string_view bytes,
                         const Settings& settings) {
  ReadResult result;
  result.file_found = true;
  const std::string utf8 = text::Cp850ToUtf8(bytes);
  const std::vector<std::string_view> lines = SplitLines(utf8);
  result.lines = static_cast<int>(lines.size());
  std::vector<std::string> fields;
  for (std::string_view line : lines) {
    result.max_field_count = std::max(result.max_field_count, FieldCount(line));
  }

  switch (def.kind) {
    case TableKind::kSingleRecord:
      for (int k = 1; k <= 2 && k <= result.lines; ++k) {
        SplitFieldsInto(lines[static_cast<std::size_t>(k - 1)], def.data_col_count, fields);
        PutFields(grid, def, k, fields);
      }
      break;
    case TableKind::kFreeRow: {
      // The grid shows exactly the file's rows. It keeps at least its ES row, though: an empty
      // file must not leave a grid without the row its codes live in.
      int rows = std::max(result.lines + 1, 2);
      grid.SetRowCount(rows);
      grid.SetFreeRowCount(rows);
      for (int k = 1; k <= result.lines; ++k) {
        SplitFieldsInto(lines[static_cast<std::size_t>(k - 1)], def.data_col_count, fields);
        PutFields(grid, def, k, fields);
      }
      break;
    }
    case TableKind::kKeyRow: {
      const bool shrink = def.shrink_key_rows && settings.shrink_rows_without_data != 0;
      const int last = std::min(def.last_key_row, grid.RowCount() - 1);
      for (std::string_view line : lines) {
        SplitFieldsInto(line, def.data_col_count, fields);
        if (fields.empty() || fields[0].empty()) {
          ++result.unassignable;
          continue;
        }
        for (int row = 1; row <= last; ++row) {
          if (grid.Cell(def.key_col, row) != fields[0]) continue;
          std::vector<std::string> copy = fields;
          PutFields(grid, def, row, copy);
          grid.SetRowHeight(row, shrink && !RowHasData(grid, def, row) ? kShrunkRowHeight
                                                                       : kDefaultRowHeight);
        }
      }
      break;
    }
  }
  return result;
}

ReadResult ReadDataFile(Grid& grid, const TableDef& def, const DataFileContext& ctx) {
  const std::filesystem::path path = DataFilePath(def, ctx.school_data_dir, ctx.prefix);
  if (def.kind == TableKind::kFreeRow) {
    if (grid.RowCount() < 10) grid.SetRowCount(10);
    grid.SetFreeRowCount(grid.RowCount());
  }
  SetKeyRowHeights(grid, def, ctx.settings);

  ReadResult result;
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    const std::filesystem::path dir = path.parent_path();
    if (!std::filesystem::is_directory(dir, ec)) {
      std::filesystem::create_directories(dir, ec);
      if (ec || !std::filesystem::is_directory(dir)) {
        ctx.ui.Message(MessageKind::kInformation,
                       "Problem beim Erstellen des Datenverzeichnis:\r" + DisplayPath(dir) +
                           "\rErmöglich Sie den Zugriff auf das untergeordnete Verzeichnis!");
      }
    }
    EmptyDataArea(grid, def);
  } else {
    result = LoadDataBytes(grid, def, ReadFileBytes(path), ctx.settings);
  }

  if (def.complete != nullptr) def.complete(grid, LoadContext{ctx.settings, ctx.ui});

  if (def.kind == TableKind::kKeyRow && result.unassignable > 0 &&
      ctx.settings.report_unclear_records != 0) {
    ctx.ui.Message(MessageKind::kInformation,
                   "Beim Einlesen der Datendatei:\r" + DisplayPath(path) + "\rkonnte(n) " +
                       std::to_string(result.unassignable) +
                       " Datensatz/-sätze nicht zugeordnet werden!");
  }
  return result;
}

std::string DataFileBytes(const Grid& grid, const TableDef& def, bool save_only_rows_with_data,
                          int* data_rows) {
  RowRange range = DataRows(grid, def);
  std::string utf8;
  int with_data = 0;
  for (int row = range.first; row <= range.last; ++row) {
    bool has_data = RowHasData(grid, def, row);
    if (has_data && row >= 2) ++with_data;
    if (!has_data && save_only_rows_with_data) continue;
    for (int i = 0; i < def.data_col_count; ++i) {
      if (i > 0) utf8 += ';';
      utf8 += grid.Cell(def.first_data_col + i, row);
    }
    utf8 += "\r\n";
  }
  if (data_rows != nullptr) *data_rows = with_data;
  return text::Utf8ToCp850(utf8);
}

bool KeyRowsMissing(const Grid& grid, const TableDef& def) {
  return def.kind == TableKind::kKeyRow && !HasAnyKey(grid, def);
}

bool SaveDataFile(const Grid& grid, const TableDef& def, const DataFileContext& ctx) {
  if (KeyRowsMissing(grid, def)) return false;
  WriteDataFile(grid, def, ctx);
  return true;
}

WriteResult WriteDataFile(const Grid& grid, const TableDef& def, const DataFileContext& ctx) {
  const std::filesystem::path path = DataFilePath(def, ctx.school_data_dir, ctx.prefix);
  if (KeyRowsMissing(grid, def)) {
    // Without its key file the grid has no rows a record could be matched to, so nothing was
    // loaded; writing now would replace the school's stored figures with an empty table.
    throw FileError(path, "Schreiben",
                    "Die Schlüssel-Datei " + std::string(def.key_file) +
                        " fehlt; ohne ihre Zeilen würden die gespeicherten Daten verloren gehen. "
                        "Die Datei bleibt unverändert.");
  }
  WriteResult result;
  const std::string bytes =
      DataFileBytes(grid, def, ctx.settings.save_only_rows_with_data != 0, &result.data_rows);
  WriteFileAtomic(path, bytes);
  result.bytes = bytes.size();
  if (def.delete_when_empty && result.data_rows == 0) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
    if (ec) {
      ctx.ui.Message(MessageKind::kInformation, "Die datenleere Datei:\r" + DisplayPath(path) +
                                                    "\rkonnte nicht gelöscht werden!");
    } else {
      result.deleted = true;
    }
  }
  return result;
}

}  // namespace tabulon
