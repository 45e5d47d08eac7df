#include "sheets/teacher/teacher_tables.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <system_error>
#include <unordered_map>

#include "files/files.h"
#include "sheets/teacher/teacher_list.h"
#include "tables/datafile.h"
#include "tables/fields.h"
#include "tables/values.h"
#include "text/encoding.h"

namespace tabulon {
namespace {

namespace fs = std::filesystem;

// ---- Identification table --------------------------------------------------------------------

constexpr std::uint32_t kIdentGrey = 0xC0C0C0;  // no statistics form, so no paper colour

constexpr FrameCell kIdentFrame[] = {
    {0, 0, "intern"}, {1, 0, "Nr."}, {2, 0, "Name"}, {3, 0, "Vorname"}};
constexpr ColumnWidth kIdentWidths[] = {{0, 40}, {1, 60}};

// ---- Table 0: the school's identification ----------------------------------------------------

constexpr FrameCell kFrame0[] = {
    {0, 0, "Satzart 0"}, {1, 0, "DST Nr."}, {0, 1, "Erfassungsspalte"},
    {1, 1, "ES001"},     {0, 2, "Meldung"},
};
constexpr ColumnWidth kWidths0[] = {{0, 90}};

// ---- Table 1: one record per teacher ---------------------------------------------------------

struct Column {
  std::string_view header;
  int width;
};
constexpr Column kTable1Columns[] = {
    {"Lehrer-Nr.", 50},
    {"Geburtsjahr", 60},
    {"Geschlecht (1=m | 2=w)", 120},
    {"Staatsangehörigkeit", 100},
    {"Lehramt", 50},
    {"fachl. Qualifikation", 100},
    {"1. Fach der Lehrbefäh./-erlaub.", 150},
    {"2. Fach der Lehrbefäh./-erlaub.", 150},
    {"3. Fach der Lehrbefäh./-erlaub.", 150},
    {"4. Fach der Lehrbefäh./-erlaub.", 150},
    {"5. Fach der Lehrbefäh./-erlaub.", 150},
    {"Beschäftigungsumfang", 120},
    {"Bestandsänd. Zu-/Abgänge", 140},
    {"Personengruppe", 90},
    {"Regelstundenmaß", 100},
    {"Vertragsstunden", 90},
    {"Sollstunden", 70},
    {"dar. erhöht/vermind. durch Sabbatjahr", 190},
    {"dar. erhöht/vermind. durch Arb.zeitkonten", 200},
    {"erhöht durch ATZ Anrechnungsstdn.", 170},
    {"in der Anrechn.art Nr. 10", 120},
    {"in der Anrechn.art Nr. 21", 120},
    {"in der Anrechn.art Nr. 22", 120},
    {"in der Anrechn.art Nr. 31", 120},
    {"in der Anrechn.art Nr. 32", 120},
    {"i.d.A. Nr.60(Nicht-S-Prfg.)", 120},
    {"in der Anrechn.art Nr. 41", 120},
    {"in der Anrechn.art Nr. 42", 120},
    {"in der Anrechn.art Nr. 43", 120},
    {"in der Anrechn.art Nr. 47", 120},
    {"in der Anrechn.art Nr. 49", 120},
    {"in der Anrechn.art Nr. 50", 120},
    {"in der Anrechn.art Nr. 51", 120},
    {"in der Anrechn.art Nr. 52", 120},
    {"in der Anrechn.art Nr. 53", 120},
    {"in der Anrechn.art Nr. 54", 120},
    {"in der Anrechn.art Nr. 55", 120},
    {"in der Anrechn.art Nr. 81", 120},
    {"in der Anrechn.art Nr. 82", 120},
    {"in der Anrechn.art Nr. 91", 120},
    {"in der Anrechn.art Nr. 92", 120},
    {"in der Anrechn.art Nr. 93", 120},
    {"in der Anrechn.art Nr. 94", 120},
    {"in der Anrechn.art Nr. 95", 120},
    {"zu erteil. Stdn. insg.", 100},
    {"- an dieser Schule", 100},
    {"- an anderen Schulen insg.", 130},
    {"- 01 Berufsschule", 100},
    {"- 02 Berufsvorbereitungsjahr", 140},
    {"- 03 Berufssvorber. Bild.Maßnahmen/TZ", 190},
    {"- 05 Berufsfachschule/VZ", 130},
    {"- 06 Berufsfachschule/TZ", 130},
    {"- 07 1jähr. Fachoberschule/VZ", 140},
    {"- 07 2jähr. Fachoberschule/VZ", 150},
    {"- 09 Fachgymnasium", 110},
    {"- 10 Fachschule/VZ", 110},
    {"- 11 Fachschule/TZ", 110},
    {"- 12 Allg.bild. Schulen", 120},
    {"Mehrarb. bzw. Überstdn.", 120},
};
static_assert(std::size(kTable1Columns) == kTeacher1Values);

struct Table1Frame {
  std::array<std::string, kTeacher1Values> codes;
  std::vector<FrameCell> cells;
  std::vector<ColumnWidth> widths;
};

const Table1Frame& Frame1() {
  static const Table1Frame frame = [] {
    Table1Frame f;
    for (int i = 0; i < kTeacher1Values; ++i) f.codes[static_cast<std::size_t>(i)] = EsCode(i + 1);
    f.cells.push_back({0, 0, "Satzart 1"});
    f.cells.push_back({1, 0, "Angaben je Lehrkraft"});
    for (int i = 0; i < kTeacher1Values; ++i) {
      f.cells.push_back({kTeacher1FirstCol + i, 0, kTable1Columns[i].header});
    }
    f.cells.push_back({0, 1, "Nr."});
    f.cells.push_back({1, 1, "Klarname      |       Erfassungsspalte"});
    for (int i = 0; i < kTeacher1Values; ++i) {
      f.cells.push_back({kTeacher1FirstCol + i, 1, f.codes[static_cast<std::size_t>(i)]});
    }
    f.widths = {{0, 60}, {1, 180}};
    for (int i = 0; i < kTeacher1Values; ++i) {
      f.widths.push_back({kTeacher1FirstCol + i, kTable1Columns[i].width});
    }
    return f;
  }();
  return frame;
}

// ---- Table 2: weekly hours by school type ----------------------------------------------------

constexpr FrameCell kFrame2[] = {
    {0, 0, "SA 2"},
    {1, 0, "Schulart/Bildungsgang/Zeitform"},
    {2, 0, "Schulart/Bildungsgang/Zeitform"},
    {3, 0, "LehrerWoStdn. SOLL"},
    {4, 0, "LehrerWoStdn. lt. Stdn.plan"},
    {5, 0, "wöchentl. tatsächl. erteilte U.stdn. insg."},
    {6, 0, "- davon hauptberufl. LK (ohne Mehrarb.) vollb. -zusammen"},
    {7, 0, "- davon hauptberufl. LK (ohne Mehrarb.) vollb. -weibl."},
    {8, 0, "- davon hauptberufl. LK (ohne Mehrarb.) teilb. -zusammen"},
    {9, 0, "- davon hauptberufl. LK (ohne Mehrarb.) teilb. -weibl."},
    {10, 0, "-davon Mehrarb. hauptberufl. LK -zusammen"},
    {11, 0, "-davon Mehrarb. hauptberufl. LK -weibl."},
    {12, 0, "-davon Mehrarb. stundenweise LK -zusammen"},
    {13, 0, "-davon Mehrarb. stundenweise LK -weibl."},
    {0, 1, "Nr."},
    {1, 1, "(Bezeichnung)   |   Erfassungsspalte"},
    {2, 1, "ES001"},
    {3, 1, "ES002"},
    {4, 1, "ES003"},
    {5, 1, "ES004"},
    {6, 1, "ES005"},
    {7, 1, "ES006"},
    {8, 1, "ES007"},
    {9, 1, "ES008"},
    {10, 1, "ES009"},
    {11, 1, "ES010"},
    {12, 1, "ES011"},
    {13, 1, "ES012"},
};
constexpr ColumnWidth kWidths2[] = {{0, 30},   {1, 300},  {2, 150},  {3, 110}, {4, 160},
                                    {5, 200},  {6, 220},  {7, 220},  {8, 240}, {9, 220},
                                    {10, 210}, {11, 210}, {12, 210}, {13, 210}};

// ---- Table 3: religion teachers by extent of employment --------------------------------------

constexpr FrameCell kFrame3[] = {
    {0, 0, "SA 3"},
    {1, 0, "Beschäftigungsumfang"},
    {2, 0, "Nr."},
    {3, 0, "LK mit Lehrbefäh. Religion -evang."},
    {4, 0, "LK mit Lehrbefäh. Religion -kath."},
    {5, 0, "darunter LK d.v.d. Kirche gestellt werden -evangl."},
    {6, 0, "darunter LK d.v.d. Kirche gestellt werden -kath."},
    {7, 0, "LehrerWoStdn./SOLL im Fach Religion"},
    {8, 0, "wöchentl. mögl. Stdn. d.i. ES002 u. ES003 ausgewiesenen LK"},
    {0, 1, "Nr."},
    {1, 1, "(Bezeichnung)     |      Erfassungsspalte"},
    {2, 1, "ES001"},
    {3, 1, "ES002"},
    {4, 1, "ES003"},
    {5, 1, "ES004"},
    {6, 1, "ES005"},
    {7, 1, "ES006"},
    {8, 1, "ES007"},
};
constexpr ColumnWidth kWidths3[] = {{0, 30},  {1, 210}, {2, 60},  {3, 170}, {4, 170},
                                    {5, 230}, {6, 230}, {7, 190}, {8, 300}};

// The key stands in the first data column of every key row: it is the record key of the file.
void CompleteKeyColumn(Grid& grid, int last_row) {
  for (int row = 2; row <= last_row && row < grid.RowCount(); ++row) {
    if (IsBlankCell(grid.Cell(2, row))) grid.SetCell(2, row, grid.Cell(0, row));
  }
}
void CompleteTable3(Grid& grid, const LoadContext&) { CompleteKeyColumn(grid, kTeacher3LastRow); }

std::array<TableDef, 5> BuildTables() {
  const Table1Frame& f1 = Frame1();
  return {
      TableDef{
          .sheet = Sheet::kTeacher,
          .table = 0,
          .name = "Bog2Tab0",
          .title = "Lehrer-Tabelle 0",
          .kind = TableKind::kSingleRecord,
          .cols = 2,
          .rows = 3,
          .fixed_cols = 1,
          .default_col_width = 120,
          .widths = kWidths0,
          .frame = kFrame0,
          .sheet_dir = kTeacherDir,
          .file_number = 0,
          .first_data_col = 1,
          .data_col_count = 1,
          .has_data_first_col = 1,
          .has_data_last_col = 1,
          .zero_is_data = true,
          .delete_when_empty = false,
          .complete = CompleteDstNrRecord,
      },
      TableDef{
          .sheet = Sheet::kTeacher,
          .table = 1,
          .name = "Bog2Tab1",
          .title = "Lehrer-Tabelle 1",
          .kind = TableKind::kFreeRow,
          .cols = kTeacher1FirstCol + kTeacher1Values,
          .rows = 10,
          .fixed_cols = 2,
          .default_col_width = 120,
          .widths = f1.widths,
          .frame = f1.cells,
          .sheet_dir = kTeacherDir,
          .file_number = 1,
          .first_data_col = kTeacher1FirstCol,
          .data_col_count = kTeacher1Values,
          .has_data_first_col = kTeacher1FirstCol + 1,
          .has_data_last_col = kTeacher1FirstCol + kTeacher1Values - 1,
          .zero_is_data = true,
          .delete_when_empty = false,
      },
      TableDef{
          .sheet = Sheet::kTeacher,
          .table = 2,
          .name = "Bog2Tab2",
          .title = "Lehrer-Tabelle 2",
          .kind = TableKind::kKeyRow,
          .cols = 14,
          .rows = 31,
          .fixed_cols = 2,
          .default_col_width = 120,
          .widths = kWidths2,
          .frame = kFrame2,
          .key_file = "SSSA-140.SSD",
          .key_subject = "Schularten/...",
          .key_col = 0,
          .key_copy_col = -1,
          .key_text_col = 1,
          .sheet_dir = kTeacherDir,
          .file_number = 2,
          .first_data_col = 2,
          .data_col_count = 12,
          .last_key_row = kTeacher2LastRow,
          .has_data_first_col = 3,
          .has_data_last_col = 13,
          .zero_is_data = false,
          .delete_when_empty = false,
      },
      TableDef{
          .sheet = Sheet::kTeacher,
          .table = 3,
          .name = "Bog2Tab3",
          .title = "Lehrer-Tabelle 3",
          .kind = TableKind::kKeyRow,
          .cols = 9,
          .rows = 6,
          .fixed_cols = 2,
          .default_col_width = 120,
          .widths = kWidths3,
          .frame = kFrame3,
          .key_file = "ILKLWS-4.SSD",
          .key_subject = "Beschäftigungsumfang",
          .key_col = 0,
          .key_copy_col = 2,
          .key_text_col = 1,
          .sheet_dir = kTeacherDir,
          .file_number = 3,
          .first_data_col = 2,
          .data_col_count = 7,
          .last_key_row = kTeacher3LastRow,
          .has_data_first_col = 3,
          .has_data_last_col = 8,
          .zero_is_data = false,
          .delete_when_empty = true,
          .shrink_key_rows = false,
          .complete = CompleteTable3,
      },
      // The identification table lives beside table 0 on the first page; it has no data file of
      // its own kind but the teacher list.
      TableDef{
          .sheet = Sheet::kTeacher,
          .table = kTeacherIdentTable,
          .name = "Bog2Ident",
          .title = "Lehrer",
          .kind = TableKind::kFreeRow,
          .cols = 4,
          .rows = 51,
          .fixed_cols = 1,
          .default_col_width = 120,
          .widths = kIdentWidths,
          .frame = kIdentFrame,
          .sheet_dir = kTeacherDir,
          .file_number = 0,
          .first_data_col = 1,
          .data_col_count = 3,
          .has_data_first_col = 1,
          .has_data_last_col = 3,
          .zero_is_data = true,
          .delete_when_empty = false,
          .background = kIdentGrey,
      },
  };
}

const std::array<TableDef, 5>& Tables() {
  static const std::array<TableDef, 5> tables = BuildTables();
  return tables;
}

bool FileExists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

std::string UnassignedMessage(const fs::path& path, int count) {
  return "Beim Einlesen der Datendatei:\r" + DisplayPath(path) + "\rkonnte(n) " +
         std::to_string(count) + " Datensatz/-sätze nicht zugeordnet werden!";
}

int FieldCountOf(std::string_view line, int cap) {
  int n = 0;
  while (n < cap && !line.empty() && line.front() != '\r') {
    NextField(line);
    ++n;
  }
  return n;
}

// The fields of one line as splitting takes them, at most kTeacher1MaxFields; they point into
// the line, so that a record is copied once, into its cells.
struct RecordFields {
  std::array<std::string_view, kTeacher1MaxFields> field;
  int count = 0;
  std::string_view First() const { return count > 0 ? field[0] : std::string_view(); }
};

void SplitRecord(std::string_view line, RecordFields& r) {
  r.count = 0;
  while (r.count < kTeacher1MaxFields && !line.empty() && line.front() != '\r') {
    r.field[static_cast<std::size_t>(r.count++)] = NextField(line);
  }
}

// Field k (from 1) of a record goes into grid column k + 1; columns beyond the grid are dropped.
// A teacher row takes every field, the missing ones as empty cells.
void PutRecord(Grid& grid, int row, const RecordFields& r, bool only_non_empty) {
  const int fields = only_non_empty ? r.count : kTeacher1MaxFields;
  for (int k = 0; k < fields; ++k) {
    const std::string_view f = k < r.count ? r.field[static_cast<std::size_t>(k)] : "";
    if (only_non_empty && f.empty()) continue;
    grid.SetCell(kTeacher1FirstCol + k, row, std::string(f));
  }
}

}  // namespace

std::span<const TableDef> TeacherTableDefs() { return Tables(); }

const TableDef& TeacherIdentDef() { return Tables()[4]; }

const TableDef& TeacherTableDef(int table) {
  if (table < 0 || table > 3) {
    throw std::out_of_range("Lehrer-Tabelle " + std::to_string(table) + " gibt es nicht");
  }
  return Tables()[static_cast<std::size_t>(table)];
}

DataFileContext TeacherFileContext(const TableContext& ctx) {
  return DataFileContext{ctx.settings, ctx.paths.school_data_dir, ctx.settings.dst_nr, ctx.ui,
                         ctx.create_missing_dirs};
}

fs::path TeacherFilePath(const TableContext& ctx, int file_number) {
  TableDef def = TeacherTableDef(0);
  def.file_number = file_number;
  const DataFileContext fc = TeacherFileContext(ctx);
  return DataFilePath(def, fc.school_data_dir, fc.prefix);
}

int MaxFieldCount(std::string_view bytes, int cap) {
  int most = 0;
  for (std::string_view line : SplitLines(bytes)) most = std::max(most, FieldCountOf(line, cap));
  return most;
}

// ---- identification table and table 0 --------------------------------------------------------

int LoadIdent(Grid& grid, const TableDef&, const TableContext& ctx) {
  LoadTeacherList(grid, ctx.paths);
  return 0;
}

void SaveIdent(const Grid& grid, const TableDef&, const TableContext& ctx) {
  SaveTeacherList(grid, ctx.paths, ctx.ui);
}

int LoadTable0(Grid& grid, const TableDef& def, const TableContext& ctx) {
  return ReadDataFile(grid, def, TeacherFileContext(ctx)).max_field_count;
}

// Two lines whatever they hold: the code and the DST-Nr.
std::string Table0Bytes(const Grid& grid) {
  return text::Utf8ToCp850(grid.Cell(1, 1) + "\r\n" + grid.Cell(1, 2) + "\r\n");
}

void SaveTable0(const Grid& grid, const TableDef&, const TableContext& ctx) {
  WriteFileAtomic(TeacherFilePath(ctx, 0), Table0Bytes(grid));
}

// ---- table 1 ---------------------------------------------------------------------------------

void PutTeacherRows(Grid& grid, const std::vector<TeacherEntry>& teachers) {
  const int n = static_cast<int>(teachers.size());
  // Rows that set-up left hold nothing of a previous showing, but may hold cells of the
  // definition file; rows added here start empty.
  const int old_rows = grid.RowCount();
  grid.SetRowCount(2 + n);
  for (int i = 0; i < n; ++i) {
    const TeacherEntry& t = teachers[static_cast<std::size_t>(i)];
    const int row = 2 + i;
    if (row < old_rows) {
      for (int col = 0; col < grid.ColCount(); ++col) grid.SetCell(col, row, "");
    }
    grid.SetCell(0, row, t.number);
    grid.SetCell(1, row, t.surname + ", " + t.first_name);
    grid.SetCell(kTeacher1FirstCol, row, t.number);
  }
}

Table1Load LoadTable1Text(Grid& grid, std::string_view utf8) {
  Table1Load result;
  // Every row that carries a number, appended rows included: a record goes to each of them.
  std::unordered_map<std::string, std::vector<int>> rows_by_number;
  for (int row = 2; row < grid.RowCount(); ++row) {
    rows_by_number[grid.Cell(0, row)].push_back(row);
  }
  RecordFields record;
  for (std::string_view line : SplitLines(utf8)) {
    SplitRecord(line, record);
    result.max_fields = std::max(result.max_fields, record.count);
    const std::string number(record.First());
    if (number.empty()) {
      ++result.unassignable;
      continue;
    }
    bool matched = false;
    if (number == "ES001") {
      PutRecord(grid, 1, record, true);
      matched = true;
    }
    if (auto it = rows_by_number.find(number); it != rows_by_number.end()) {
      for (int row : it->second) PutRecord(grid, row, record, false);
      matched = true;
    }
    if (!matched) {
      const int row = grid.RowCount();
      grid.SetRowCount(row + 1);
      grid.SetCell(0, row, number);
      PutRecord(grid, row, record, false);
      rows_by_number[number].push_back(row);
    }
  }
  return result;
}

void CompleteTable1Numbers(Grid& grid) {
  for (int row = 2; row < grid.RowCount(); ++row) {
    if (IsBlankCell(grid.Cell(kTeacher1FirstCol, row))) {
      grid.SetCell(kTeacher1FirstCol, row, grid.Cell(0, row));
    }
  }
}

int LoadTable1(Grid& grid, const TableDef&, const TableContext& ctx) {
  PutTeacherRows(grid, TeachersForTable1(ctx.paths));
  const fs::path path = TeacherFilePath(ctx, 1);
  Table1Load result;
  if (FileExists(path)) {
    result = LoadTable1Text(grid, text::Cp850ToUtf8(ReadFileBytes(path)));
  } else if (ctx.create_missing_dirs) {
    EnsureSheetDirectory(path.parent_path(), ctx.ui);
  }
  CompleteTable1Numbers(grid);
  grid.SetFreeRowCount(grid.RowCount());
  if (result.unassignable > 0 && ctx.settings.report_unclear_records != 0) {
    ctx.ui.Message(MessageKind::kInformation, UnassignedMessage(path, result.unassignable));
  }
  return result.max_fields;
}

std::string Table1Bytes(const Grid& grid, bool save_only_rows_with_data) {
  constexpr int kLast = kTeacher1FirstCol + kTeacher1Values - 1;
  std::string utf8;
  utf8.reserve(static_cast<std::size_t>(grid.RowCount()) * kTeacher1Values * 4);
  for (int row = 1; row < grid.RowCount(); ++row) {
    bool has_data = false;
    // The number alone is no record: it stands in every row of the teacher list.
    for (int col = kTeacher1FirstCol + 1; col <= kLast && !has_data; ++col) {
      has_data = CellHasData(grid.Cell(col, row), true);
    }
    if (!has_data && save_only_rows_with_data) continue;
    for (int col = kTeacher1FirstCol; col <= kLast; ++col) {
      utf8 += grid.Cell(col, row);
      utf8 += ';';
    }
    utf8 += "\r\n";
  }
  return text::Utf8ToCp850(utf8);
}

void SaveTable1(const Grid& grid, const TableDef&, const TableContext& ctx) {
  WriteFileAtomic(TeacherFilePath(ctx, 1),
                  Table1Bytes(grid, ctx.settings.save_only_rows_with_data != 0));
}

// ---- tables 2 and 3 --------------------------------------------------------------------------

Table2Load LoadTable2Text(Grid& grid, std::string_view utf8, const Settings& settings) {
  constexpr int kFields = 12;
  const bool shrink = settings.shrink_rows_without_data != 0;
  const int last = std::min(kTeacher2LastRow, grid.RowCount() - 1);
  Table2Load result;
  std::vector<std::string> fields;
  for (std::string_view line : SplitLines(utf8)) {
    result.max_fields = std::max(result.max_fields, FieldCountOf(line, kFields));
    SplitFieldsInto(line, kFields, fields);
    const std::string& key = fields[0];
    if (key.empty()) {
      ++result.unassignable;
      continue;
    }
    bool matched = false;
    for (int row = 1; row <= last; ++row) {
      // The code line finds the ES row by its first code, so a damaged code line shows.
      const bool code_line = key == "ES001" && key == grid.Cell(2, row);
      if (key != grid.Cell(0, row) && !code_line) continue;
      matched = true;
      bool has_data = false;
      for (int k = 0; k < kFields; ++k) {
        grid.SetCell(2 + k, row, fields[static_cast<std::size_t>(k)]);
        if (k >= 1) has_data = has_data || CellHasData(fields[static_cast<std::size_t>(k)], false);
      }
      grid.SetRowHeight(row, shrink && !has_data ? kShrunkRowHeight : kDefaultRowHeight);
    }
    if (!matched) {
      ++result.unassignable;
      if (!result.unassigned_keys.empty()) result.unassigned_keys += ';';
      result.unassigned_keys += key;
    }
  }
  return result;
}

int LoadTable2(Grid& grid, const TableDef& def, const TableContext& ctx) {
  const bool shrink = ctx.settings.shrink_rows_without_data != 0;
  const int last = std::min(kTeacher2LastRow, grid.RowCount() - 1);
  for (int row = 2; row <= last; ++row) {
    grid.SetRowHeight(row, shrink ? kShrunkRowHeight : kDefaultRowHeight);
    if (ctx.settings.save_only_rows_with_data == 0) grid.SetCell(2, row, grid.Cell(0, row));
  }
  const DataFileContext fc = TeacherFileContext(ctx);
  const fs::path path = DataFilePath(def, fc.school_data_dir, fc.prefix);
  Table2Load result;
  if (FileExists(path)) {
    result = LoadTable2Text(grid, text::Cp850ToUtf8(ReadFileBytes(path)), ctx.settings);
  } else {
    if (ctx.create_missing_dirs) EnsureSheetDirectory(path.parent_path(), ctx.ui);
    for (int row = 2; row <= last; ++row) {
      for (int col = 2; col <= 13; ++col) grid.SetCell(col, row, "");
    }
  }
  CompleteKeyColumn(grid, kTeacher2LastRow);
  if (result.unassignable > 0 && ctx.settings.report_unclear_records != 0) {
    ctx.ui.Message(MessageKind::kInformation, UnassignedMessage(path, result.unassignable) + "\r[" +
                                                  result.unassigned_keys + "]");
  }
  return result.max_fields;
}

}  // namespace tabulon
