#include "tables/definition.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "files/files.h"
#include "tables/fields.h"
#include "tables/values.h"
#include "text/encoding.h"

namespace tabulon {

namespace {

// The grid as a fresh table has it, before any file is looked at.
void ResetToInitialFrame(Grid& grid, const TableDef& def) {
  grid.SetRowCount(0);
  grid.SetColCount(def.cols);
  grid.SetRowCount(def.rows);
  grid.SetFixedRows(1);
  grid.SetFixedCols(def.fixed_cols);
  grid.SetBackground(def.background);
  grid.SetDefaultRowHeight(kDefaultRowHeight);
  grid.SetDefaultColWidth(def.default_col_width);
  for (const ColumnWidth& w : def.widths) grid.SetColWidth(w.col, w.width);
  grid.SetCurrentCell(def.fixed_cols, 1);
  grid.SetFreeRowCount(def.kind == TableKind::kFreeRow ? def.rows : 0);
}

void SetBuiltInCells(Grid& grid, const TableDef& def) {
  for (const FrameCell& c : def.frame) grid.SetCell(c.col, c.row, std::string(c.text));
}

int FieldNumber(const std::string& field) { return ParseInt32(field).value_or(0); }

// The smallest grid that still holds every data column and, for a single record, its data row.
int MinCols(const TableDef& def) { return std::max(def.first_data_col + def.data_col_count, 1); }
int MinRows(const TableDef& def) { return def.kind == TableKind::kSingleRecord ? 3 : 2; }

void RaiseFreeRows(Grid& grid, const TableDef& def) {
  if (def.kind != TableKind::kFreeRow) return;
  if (grid.RowCount() < 10) grid.SetRowCount(10);
  grid.SetFreeRowCount(grid.RowCount());
}

}  // namespace

std::string BuiltInDefinitionBytes(const TableDef& def) {
  std::string out = std::to_string(def.cols) + ";" + std::to_string(def.rows) + ";" +
                    std::string(def.title) + "\r\n";
  for (const FrameCell& c : def.frame) {
    out += std::to_string(c.col) + ";" + std::to_string(c.row) + ";" + std::string(c.text) + "\r\n";
  }
  return text::Utf8ToCp1252(out);
}

bool ApplyDefinition(Grid& grid, const TableDef& def, std::string_view bytes,
                     const std::filesystem::path& path, Ui& ui) {
  std::string utf8 = text::Cp1252ToUtf8(bytes);
  std::vector<std::string_view> lines = SplitLines(utf8);
  std::vector<std::string> fields;
  if (!lines.empty()) {
    SplitFieldsInto(lines[0], 3, fields);
  } else {
    fields.assign(3, std::string());
  }
  const int cols = FieldNumber(fields[0]);
  const int rows = FieldNumber(fields[1]);
  if (cols < MinCols(def) || cols > kMaxDefinitionCols || rows < MinRows(def) ||
      rows > kMaxDefinitionRows) {
    ui.Message(MessageKind::kWarning,
               "Die Tabellen-Definitionsdatei:\r" + DisplayPath(path) + "\rverlangt " +
                   std::to_string(cols) + " Spalten und " + std::to_string(rows) +
                   " Zeilen. Zulässig sind " + std::to_string(MinCols(def)) + " bis " +
                   std::to_string(kMaxDefinitionCols) + " Spalten und " +
                   std::to_string(MinRows(def)) + " bis " + std::to_string(kMaxDefinitionRows) +
                   " Zeilen.\rDie Tabelle wird mit ihrem eingebauten Aufbau angezeigt;\rdie "
                   "Datei bleibt unverändert.");
    SetBuiltInCells(grid, def);
    return false;
  }
  grid.SetRowCount(rows);
  grid.SetColCount(cols);
  RaiseFreeRows(grid, def);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    SplitFieldsInto(lines[i], 3, fields);
    grid.SetCell(FieldNumber(fields[0]), FieldNumber(fields[1]), std::move(fields[2]));
  }
  return true;
}

void PutKeyRows(Grid& grid, const TableDef& def, std::vector<KeyEntry> entries) {
  int row = 2;
  for (KeyEntry& e : entries) {
    if (row >= kMaxDefinitionRows) break;  // no official list comes near this
    if (row + 1 > grid.RowCount()) grid.SetRowCount(row + 1);
    if (def.key_copy_col >= 0) grid.SetCell(def.key_copy_col, row, e.key);
    if (def.key_text_col >= 0) grid.SetCell(def.key_text_col, row, std::move(e.text));
    grid.SetCell(def.key_col, row, std::move(e.key));
    ++row;
  }
}

void FillKeyRows(Grid& grid, const TableDef& def, const std::filesystem::path& program_dir,
                 Ui& ui) {
  std::filesystem::path path = program_dir / std::string(def.key_file);
  std::optional<std::vector<KeyEntry>> entries = ReadKeyFile(path);
  if (!entries) {
    ui.Message(MessageKind::kWarning, "Statistik-Schlüssel-Datei: " + std::string(def.key_subject) +
                                          "\r" + DisplayPath(path) + "\rist nicht vorhanden!");
    return;
  }
  PutKeyRows(grid, def, std::move(*entries));
}

void SetUpGrid(Grid& grid, const TableDef& def, const std::filesystem::path& program_dir, Ui& ui,
               PendingDefinitions* pending) {
  ResetToInitialFrame(grid, def);
  std::filesystem::path path = program_dir / def.DefinitionFileName();
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    SetBuiltInCells(grid, def);
    if (pending) {
      pending->emplace_back(std::move(path), BuiltInDefinitionBytes(def));
    } else {
      WriteFileAtomic(path, BuiltInDefinitionBytes(def));
    }
  } else {
    ApplyDefinition(grid, def, ReadFileBytes(path), path, ui);
  }
  if (def.kind == TableKind::kKeyRow) FillKeyRows(grid, def, program_dir, ui);
}

void WritePendingDefinitions(PendingDefinitions& pending) {
  PendingDefinitions files = std::move(pending);
  pending.clear();
  std::optional<FileError> first_error;
  for (const auto& [path, bytes] : files) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) continue;  // a table set up twice asks twice
    try {
      WriteFileAtomic(path, bytes);
    } catch (const FileError& e) {
      if (!first_error) first_error = e;
    }
  }
  if (first_error) throw *first_error;
}

}  // namespace tabulon
