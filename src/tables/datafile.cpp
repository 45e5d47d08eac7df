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

std::filesystem::path DataFilePath(const TableDef& def,
                                   const std::filesystem::path& school_data_dir,
                                   const std::string& prefix) {
  char number[8];
  std::snprintf(number, sizeof number, "%02d", def.file_number);
  std::filesystem::path dir = school_data_dir / std::string(def.sheet_dir);
  std::filesystem::path path = dir / (prefix + number + ".CSV");
  if (!IsSafeNameComponent(prefix)) {
    throw FileError(path, "Öffnen", "\"" + prefix + "\" kann nicht Teil eines Dateinamens sein.");
  }
  return path;
}

namespace {

// Fills the grid from the file's text (already UTF-8). Lines are walked in place: a large file is
// not held a second time as a list of its lines.
ReadResult LoadDataText(Grid& grid, const TableDef& def, std::string_view utf8,
                        const Settings& settings) {
  ReadResult result;
  result.file_found = true;
  std::string_view rest = utf8, line;
  while (NextLine(rest, line)) {
    ++result.lines;
    result.max_field_count = std::max(result.max_field_count, FieldCount(line));
  }
  std::vector<std::string> fields;
  rest = utf8;

  switch (def.kind) {
    case TableKind::kSingleRecord:
      for (int k = 1; k <= 2 && NextLine(rest, line); ++k) {
        SplitFieldsInto(line, def.data_col_count, fields);
        PutFields(grid, def, k, fields);
      }
      break;
    case TableKind::kFreeRow: {
      // The grid shows exactly the file's rows. It keeps at least its ES row, though: an empty
      // file must not leave a grid without the row its codes live in.
      int rows = std::max(result.lines + 1, 2);
      grid.SetRowCount(rows);
      grid.SetFreeRowCount(rows);
      for (int k = 1; NextLine(rest, line); ++k) {
        SplitFieldsInto(line, def.data_col_count, fields);
        PutFields(grid, def, k, fields);
      }
      break;
    }
    case TableKind::kKeyRow: {
      const bool shrink = def.shrink_key_rows && settings.shrink_rows_without_data != 0;
      const int last = std::min(def.last_key_row, grid.RowCount() - 1);
      while (NextLine(rest, line)) {
        SplitFieldsInto(line, def.data_col_count, fields);
        if (fields.empty() || fields[0].empty()) {
          ++result.unassignable;
          continue;
        }
        for (int row = 1; row <= last; ++row) {
          if (grid.Cell(def.key_col, row) != fields[0]) continue;
          std::vector<std::string> copy = fields;
          PutFields(grid, def, row, copy);
          grid.SetRowHeight(
              row, shrink && !RowHasData(grid, def, row) ? kShrunkRowHeight : kDefaultRowHeight);
        }
      }
      break;
    }
  }
  return result;
}

}  // namespace

ReadResult LoadDataBytes(Grid& grid, const TableDef& def, std::string_view bytes,
                         const Settings& settings) {
  return LoadDataText(grid, def, text::Cp850ToUtf8(bytes), settings);
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
  // A name that cannot be looked at (no access above it) is no missing file: the read reports it.
  if (std::filesystem::status(path, ec).type() == std::filesystem::file_type::not_found) {
    if (ctx.create_missing_dir) EnsureSheetDirectory(path.parent_path(), ctx.ui);
    EmptyDataArea(grid, def);
  } else {
    // The file's bytes go as soon as they are converted; only its text is held while filling.
    const std::string utf8 = text::Cp850ToUtf8Owned(ReadFileBytes(path));
    result = LoadDataText(grid, def, utf8, ctx.settings);
  }

  if (def.complete != nullptr) def.complete(grid, LoadContext{ctx.settings, ctx.ui});

  if (def.kind == TableKind::kKeyRow && result.unassignable > 0 &&
      ctx.settings.report_unclear_records != 0) {
    ctx.ui.Message(MessageKind::kInformation, "Beim Einlesen der Datendatei:\r" +
                                                  DisplayPath(path) + "\rkonnte(n) " +
                                                  std::to_string(result.unassignable) +
                                                  " Datensatz/-sätze nicht zugeordnet werden!");
  }
  return result;
}

void EnsureSheetDirectory(const std::filesystem::path& dir, Ui& ui) {
  std::error_code ec;
  if (std::filesystem::is_directory(dir, ec)) return;
  if (!CreateOneDirectory(dir)) {
    ui.Message(MessageKind::kInformation,
               "Problem beim Erstellen des Datenverzeichnis:\r" + DisplayPath(dir) +
                   "\rErmöglich Sie den Zugriff auf das untergeordnete Verzeichnis!");
  }
}

std::string DataFileBytes(const Grid& grid, const TableDef& def, bool save_only_rows_with_data,
                          int* data_rows) {
  RowRange range = DataRows(grid, def);
  auto written = [&](int row) { return !save_only_rows_with_data || RowHasData(grid, def, row); };
  // The size first, so that a large table is built in one buffer of its own size.
  std::size_t size = 0;
  bool ascii = true;
  for (int row = range.first; row <= range.last; ++row) {
    if (!written(row)) continue;
    for (int i = 0; i < def.data_col_count; ++i) {
      const std::string& cell = grid.Cell(def.first_data_col + i, row);
      size += cell.size();
      ascii = ascii && std::all_of(cell.begin(), cell.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    }
    size += static_cast<std::size_t>(std::max(def.data_col_count - 1, 0)) + 2;
  }
  std::string text;
  text.reserve(size);
  int with_data = 0;
  for (int row = range.first; row <= range.last; ++row) {
    const bool has_data = RowHasData(grid, def, row);
    if (has_data && row >= 2) ++with_data;
    if (!has_data && save_only_rows_with_data) continue;
    for (int i = 0; i < def.data_col_count; ++i) {
      if (i > 0) text += ';';
      text += grid.Cell(def.first_data_col + i, row);
    }
    text += "\r\n";
  }
  if (data_rows != nullptr) *data_rows = with_data;
  // Plain ASCII is its own IBM 850; anything else is converted as one text, so that a character
  // reads the same whatever else the file holds.
  if (ascii) return text;
  return text::Utf8ToCp850(text);
}

void CompleteDstNrRecord(Grid& grid, const LoadContext& ctx) {
  const std::string& dst = grid.Cell(1, 2);
  if (IsBlankCell(dst) || dst == "00000") grid.SetCell(1, 2, ctx.settings.dst_nr);
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
