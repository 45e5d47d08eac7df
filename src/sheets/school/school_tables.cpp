#include "sheets/school/school_tables.h"

#include <array>
#include <stdexcept>
#include <string>

#include "tables/datafile.h"
#include "tables/rows.h"

namespace tabulon {

namespace {

// ---- Table 0: identification --------------------------------------------------------------

constexpr FrameCell kFrame0[] = {
    {0, 0, "Satzart 0"},
    {1, 0, "DST Nr."},
    {2, 0, "Schulaufsichtsbereich"},
    {3, 0, "Schulträger"},
    {0, 1, "Erfassungsspalte"},
    {1, 1, "ES001"},
    {2, 1, "ES002"},
    {3, 1, "ES003"},
    {0, 2, "Meldung"},
};
constexpr ColumnWidth kWidths0[] = {{0, 90}};

// ---- Table 1: classes and pupils by school type ----------------------------------------------

constexpr FrameCell kFrame1[] = {
    {0, 0, "SA 1"},
    {1, 0, "Schulart/Bildungsgang/Zeitform"},
    {2, 0, "Schulart/Bildungsgang/Zeitform"},
    {3, 0, "Klassen insg."},
    {4, 0, "Klassen - 1. JGS"},
    {5, 0, "Klassen - 2. JGS"},
    {6, 0, "Klassen - 3. JGS"},
    {7, 0, "Klassen - 4. JGS"},
    {8, 0, "Klassen - 5. JGS"},
    {9, 0, "Schüler/-innen insg."},
    {10, 0, "Schüler/-innen - 1. JGS"},
    {11, 0, "Schüler/-innen - 2. JGS"},
    {12, 0, "Schüler/-innen - 3. JGS"},
    {13, 0, "Schüler/-innen - 4. JGS"},
    {14, 0, "Schüler/-innen - 5. JGS"},
    {15, 0, "Schüler/-innen weibl."},
    {16, 0, "Ausländ. Schüler/-innen zusammen"},
    {17, 0, "Ausländ. Schüler/-innen weibl."},
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
    {14, 1, "ES013"},
    {15, 1, "ES014"},
    {16, 1, "ES015"},
    {17, 1, "ES016"},
};
constexpr ColumnWidth kWidths1[] = {{0, 30},   {1, 330},  {2, 150},  {9, 110},
                                    {10, 120}, {11, 120}, {12, 120}, {13, 120},
                                    {14, 120}, {15, 110}, {16, 140}, {17, 140}};

// The key stands in the first data column even in rows without data: it is the record key that
// the data file carries.
void CompleteTable1(Grid& grid, const LoadContext&) {
  for (int row = 2; row <= kSchoolTable1LastKeyRow; ++row) {
    if (IsBlankCell(grid.Cell(2, row))) grid.SetCell(2, row, grid.Cell(0, row));
  }
}

// ---- Table 2: leavers and graduates by school type and birth year ---------------------------

constexpr FrameCell kFrame2[] = {
    {0, 0, "Satzart 2"},
    {1, 0, "Schulart-Nr."},
    {2, 0, "Geburtsjahr"},
    {3, 0, "Absolventen/Abgänger insg."},
    {4, 0, "Absolventen/Abgänger weibl."},
    {5, 0, "- mit Abgangszgn. insg."},
    {6, 0, "- mit Abgangszgn. weibl."},
    {7, 0, "- mit Abschlusszgn. insg."},
    {8, 0, "- mit Abschlusszgn. weibl."},
    {9, 0, "- mit Berufsreife insg."},
    {10, 0, "- mit Berufsreife weibl."},
    {11, 0, "- mit Mittl. Reife insg."},
    {12, 0, "- mit Mittl. Reife weibl."},
    {13, 0, "- mit Fachhochschulreife insg."},
    {14, 0, "- mit Fachhochschulreife weibl."},
    {15, 0, "- mit Hochschulreife insg."},
    {16, 0, "- mit Hochschulreife weibl."},
    {17, 0, "- ohne Angabe einer Zgn.art insg."},
    {18, 0, "- ohne Angabe einer Zgn.art weibl."},
    {0, 1, "Erfassungsspalte"},
    {1, 1, "ES001"},
    {2, 1, "ES002"},
    {3, 1, "ES003"},
    {4, 1, "ES004"},
    {5, 1, "ES005"},
    {6, 1, "ES006"},
    {7, 1, "ES007"},
    {8, 1, "ES008"},
    {9, 1, "ES009"},
    {10, 1, "ES010"},
    {11, 1, "ES011"},
    {12, 1, "ES012"},
    {13, 1, "ES013"},
    {14, 1, "ES014"},
    {15, 1, "ES015"},
    {16, 1, "ES016"},
    {17, 1, "ES017"},
    {18, 1, "ES018"},
    {0, 2, "Meldung"},
};
constexpr ColumnWidth kWidths2[] = {{0, 90},   {3, 150},  {4, 150},  {5, 130},  {6, 130},
                                    {7, 130},  {8, 130},  {9, 130},  {10, 140}, {11, 130},
                                    {12, 130}, {13, 150}, {14, 150}, {15, 140}, {16, 140},
                                    {17, 170}, {18, 170}};

// ---- Table 3: leavers and graduates by occupation -------------------------------------------

constexpr FrameCell kFrame3[] = {
    {0, 0, "Satzart 3"},
    {1, 0, "Bezeichnung Beruf, Berufsgruppe, Fachrichtung"},
    {2, 0, "Beruf - Kennziffer"},
    {3, 0, "Ausbildungsdauer"},
    {4, 0, "A/A mit Abschlusszgn. insg."},
    {5, 0, "A/A mit Abschlusszgn. weibl."},
    {6, 0, "A/A mit Abgangszgn. insg."},
    {7, 0, "A/A mit Abgangszgn. weibl."},
    {8, 0, "A/A ohne Angabe einer Zgn.art insg."},
    {9, 0, "A/A ohne Angabe einer Zgn.art weibl."},
    {0, 1, "Erfassungsspalte"},
    {1, 1, "ES001"},
    {2, 1, "ES002"},
    {3, 1, "ES003"},
    {4, 1, "ES004"},
    {5, 1, "ES005"},
    {6, 1, "ES006"},
    {7, 1, "ES007"},
    {8, 1, "ES008"},
    {9, 1, "ES009"},
    {0, 2, "Meldung"},
};
constexpr ColumnWidth kWidths3[] = {{0, 90},  {1, 220}, {4, 140}, {5, 140},
                                    {6, 140}, {7, 140}, {8, 190}, {9, 190}};

// ---- Table 4: religious instruction ----------------------------------------------------------

constexpr FrameCell kFrame4[] = {
    {0, 0, "Satzart 4"},
    {1, 0, "Schüler/-innen mit ReligionsUnt. insg."},
    {2, 0, "- mit evang. ReligionsUnt./ Vollz."},
    {3, 0, "- mit evang. ReligionsUnt./ Teilz."},
    {4, 0, "- mit kathol. ReligionsUnt./ Vollz."},
    {5, 0, "- mit kathol. ReligionsUnt./ Teilz."},
    {6, 0, "- konfessionsübergr./ Vollz."},
    {7, 0, "- konfessionsübergr./ Teilz."},
    {0, 1, "Erfassungsspalte"},
    {1, 1, "ES001"},
    {2, 1, "ES002"},
    {3, 1, "ES003"},
    {4, 1, "ES004"},
    {5, 1, "ES005"},
    {6, 1, "ES006"},
    {7, 1, "ES007"},
    {0, 2, "Meldung"},
};
constexpr ColumnWidth kWidths4[] = {{0, 90}, {1, 180}, {2, 160}, {3, 160}, {4, 160}, {5, 160}};

constexpr std::string_view kDir = "SCHULE";

constexpr TableDef kTables[] = {
    {.sheet = Sheet::kSchool,
     .table = 0,
     .name = "Bog1Tab0",
     .title = "Schul-Tabelle 0",
     .kind = TableKind::kSingleRecord,
     .cols = 4,
     .rows = 3,
     .fixed_cols = 1,
     .default_col_width = 120,
     .widths = kWidths0,
     .frame = kFrame0,
     .sheet_dir = kDir,
     .file_number = 0,
     .first_data_col = 1,
     .data_col_count = 3,
     .has_data_first_col = 1,
     .has_data_last_col = 3,
     .zero_is_data = true,
     .delete_when_empty = false,
     .complete = CompleteDstNrRecord},
    {.sheet = Sheet::kSchool,
     .table = 1,
     .name = "Bog1Tab1",
     .title = "Schul-Tabelle 1",
     .kind = TableKind::kKeyRow,
     .cols = 18,
     .rows = 32,
     .fixed_cols = 2,
     .default_col_width = 90,
     .widths = kWidths1,
     .frame = kFrame1,
     .key_file = "SSSA.SSD",
     .key_subject = "Schularten/...",
     .key_col = 0,
     .key_copy_col = 2,
     .key_text_col = 1,
     .sheet_dir = kDir,
     .file_number = 1,
     .first_data_col = 2,
     .data_col_count = 16,
     .last_key_row = kSchoolTable1LastKeyRow,
     .has_data_first_col = 3,
     .has_data_last_col = 17,
     .zero_is_data = true,
     .delete_when_empty = false,
     .complete = CompleteTable1},
    {.sheet = Sheet::kSchool,
     .table = 2,
     .name = "Bog1Tab2",
     .title = "Schul-Tabelle 2",
     .kind = TableKind::kFreeRow,
     .cols = 19,
     .rows = 10,
     .fixed_cols = 1,
     .default_col_width = 70,
     .widths = kWidths2,
     .frame = kFrame2,
     .sheet_dir = kDir,
     .file_number = 2,
     .first_data_col = 1,
     .data_col_count = 18,
     .has_data_first_col = 1,
     .has_data_last_col = 18,
     .zero_is_data = false,
     .delete_when_empty = true},
    {.sheet = Sheet::kSchool,
     .table = 3,
     .name = "Bog1Tab3",
     .title = "Schul-Tabelle 3",
     .kind = TableKind::kFreeRow,
     .cols = 10,
     .rows = 5,
     .fixed_cols = 1,
     .default_col_width = 90,
     .widths = kWidths3,
     .frame = kFrame3,
     .sheet_dir = kDir,
     .file_number = 3,
     .first_data_col = 1,
     .data_col_count = 9,
     .has_data_first_col = 1,
     .has_data_last_col = 9,
     .zero_is_data = false,
     .delete_when_empty = true},
    {.sheet = Sheet::kSchool,
     .table = 4,
     .name = "Bog1Tab4",
     .title = "Schul-Tabelle 4",
     .kind = TableKind::kSingleRecord,
     .cols = 8,
     .rows = 3,
     .fixed_cols = 1,
     .default_col_width = 140,
     .widths = kWidths4,
     .frame = kFrame4,
     .sheet_dir = kDir,
     .file_number = 4,
     .first_data_col = 1,
     .data_col_count = 7,
     .has_data_first_col = 1,
     .has_data_last_col = 7,
     .zero_is_data = false,
     .delete_when_empty = true},
};

}  // namespace

std::span<const TableDef> SchoolTableDefs() { return kTables; }

const TableDef& SchoolTableDef(int table) {
  if (table < 0 || table >= kSchoolTableCount) {
    throw std::out_of_range("Schul-Tabelle " + std::to_string(table) + " gibt es nicht");
  }
  return kTables[static_cast<std::size_t>(table)];
}

void SortSchoolTable2(Grid& grid) { SortRows(grid, 2, grid.RowCount() - 1, 1, 2); }

void SortSchoolTable3(Grid& grid) { SortRows(grid, 2, grid.RowCount() - 1, 2, 2); }

KeyFillResult FillSchoolTable3Texts(Grid& grid, const std::filesystem::path& program_dir, Ui& ui) {
  return FillFromKeyFiles(grid, 2, 1, {"SBBG3.SSD", "SBBG6.SSD", "SBBG7.SSD"}, KeyDirection::kTexts,
                          program_dir, ui);
}

}  // namespace tabulon
