#include "sheets/class/class_tables.h"

#include <array>
#include <stdexcept>
#include <string>

#include "tables/datafile.h"
#include "tables/values.h"

namespace tabulon::class_sheet {
namespace {

// ---- Table 0: class data ---------------------------------------------------------------------

constexpr FrameCell kFrame0[] = {
    {0, 0, "Satzart 0"},
    {1, 0, "DST Nr."},
    {2, 0, "Schulart Nr."},
    {3, 0, "Klassen Nr."},
    {4, 0, "Zeitform d. Unt."},
    {5, 0, "Jahrgangsstufe"},
    {6, 0, "Art der Klasse"},
    {0, 1, "Erfassungsspalte"},
    {1, 1, "ES001"},
    {2, 1, "ES002"},
    {3, 1, "ES003"},
    {4, 1, "ES004"},
    {5, 1, "ES005"},
    {6, 1, "ES006"},
    {0, 2, "Meldung"},
};
constexpr ColumnWidth kWidths0[] = {{0, 90}};

// ---- Table 1: pupils by birth year -------------------------------------------------------------

constexpr FrameCell kFrame1[] = {
    {0, 0, "Satzart 1"},
    {1, 0, "Geburtsjahr"},
    {2, 0, "Schüler insg."},
    {3, 0, "Schüler weibl."},
    {4, 0, "- Ausländ. insg."},
    {5, 0, "- Ausländ. weibl."},
    {0, 1, "Erfassungsspalte"},
    {1, 1, "ES001"},
    {2, 1, "ES002"},
    {3, 1, "ES003"},
    {4, 1, "ES004"},
    {5, 1, "ES005"},
    {0, 2, "Meldung"},
};
constexpr ColumnWidth kWidths1[] = {{0, 90}};

// Files of an older layout hold only three columns; the ES row must still carry all five codes,
// or every later test of the table would fail on the missing ones.
void CompleteTable1(Grid& grid, const LoadContext&) {
  if (IsBlankCell(grid.Cell(4, 1))) grid.SetCell(4, 1, "ES004");
  if (IsBlankCell(grid.Cell(5, 1))) grid.SetCell(5, 1, "ES005");
}

// ---- Table 2: previous schooling (key rows) ----------------------------------------------------

constexpr FrameCell kFrame2[] = {
    {0, 0, "SA 2"},
    {1, 0, "Schulische Vorbildung"},
    {2, 0, "Schlüssel"},
    {3, 0, "Schüler insg."},
    {4, 0, "Schüler weibl."},
    {5, 0, "- Neuanfänger insg."},
    {6, 0, "- Neuanfänger weibl."},
    {0, 1, "Nr."},
    {1, 1, kLabelA},
    {2, 1, "ES001"},
    {3, 1, "ES002"},
    {4, 1, "ES003"},
    {5, 1, "ES004"},
    {6, 1, "ES005"},
};
constexpr ColumnWidth kWidths2[] = {{0, 30}, {1, 250}};

// ---- Table 3: foreign pupils by country --------------------------------------------------------

constexpr FrameCell kFrame3[] = {
    {0, 0, "Satzart 3"},
    {1, 0, "Land der Staatsangehörigkeit"},
    {2, 0, "LänderSchlüssel"},
    {3, 0, "Ausländ. Schüler insg."},
    {4, 0, "Ausländ. Schüler weibl."},
    {5, 0, "- mit Ausbild.vertrag insg."},
    {6, 0, "- mit Ausbild.vertrag weibl."},
    {0, 1, "Erfassungsspalte"},
    {1, 1, "ES001"},
    {2, 1, "ES002"},
    {3, 1, "ES003"},
    {4, 1, "ES004"},
    {5, 1, "ES005"},
    {6, 1, "ES006"},
    {0, 2, "Meldung"},
};
constexpr ColumnWidth kWidths3[] = {{0, 90}, {1, 150}, {3, 120}, {4, 120}, {5, 120}, {6, 120}};

// ---- Table 4: languages, religion, sport (key rows) --------------------------------------------

constexpr FrameCell kFrame4[] = {
    {0, 0, "SA 4"},
    {1, 0, "Fremdsprachen / Religion / Sport"},
    {2, 0, "Schlüssel"},
    {3, 0, "Schüler insg."},
    {4, 0, "Schüler weibl."},
    {5, 0, "- im FachGym. (ab 2.JGS) GK"},
    {6, 0, "- im FachGym. (ab 2.JGS) LK"},
    {0, 1, "Nr."},
    {1, 1, kLabelB},
    {2, 1, "ES001"},
    {3, 1, "ES002"},
    {4, 1, "ES003"},
    {5, 1, "ES004"},
    {6, 1, "ES005"},
};
constexpr ColumnWidth kWidths4[] = {{0, 30}, {1, 220}, {5, 140}, {6, 140}};

// ---- Tables 5 and 6: training status; agriculture and forestry (key rows) ----------------------

constexpr FrameCell kFrame5[] = {
    {0, 0, "SA 5"},           {1, 0, "Ausbildungsstatus"},
    {2, 0, "Schlüssel"},      {3, 0, "Schüler insg."},
    {4, 0, "Schüler weibl."}, {0, 1, "Nr."},
    {1, 1, kLabelB},          {2, 1, "ES001"},
    {3, 1, "ES002"},          {4, 1, "ES003"},
};
constexpr ColumnWidth kWidths5[] = {{0, 30}, {1, 300}};

constexpr FrameCell kFrame6[] = {
    {0, 0, "SA 6"},           {1, 0, "Berufsgruppe / Beruf"},
    {2, 0, "Schlüssel"},      {3, 0, "Schüler insg."},
    {4, 0, "Schüler weibl."}, {0, 1, "Nr."},
    {1, 1, kLabelB},          {2, 1, "ES001"},
    {3, 1, "ES002"},          {4, 1, "ES003"},
};
constexpr ColumnWidth kWidths6[] = {{0, 30}, {1, 360}};

// ---- Table 7: weekly lessons (key rows) --------------------------------------------------------

constexpr FrameCell kFrame7[] = {
    {0, 0, "SA 7"},
    {1, 0, "Schüler nach tatsächl. wöchentl. erteilt. U.Stdn."},
    {2, 0, "Schlüssel"},
    {3, 0, "Schüler insg."},
    {4, 0, "Schüler weibl."},
    {5, 0, "in WoStd. umgerechn. BlockUnterr. -insg."},
    {6, 0, "in WoStd. umgerechn. BlockUnterr. -weibl."},
    {0, 1, "Nr."},
    {1, 1, kLabelC},
    {2, 1, "ES001"},
    {3, 1, "ES002"},
    {4, 1, "ES003"},
    {5, 1, "ES004"},
    {6, 1, "ES005"},
};
constexpr ColumnWidth kWidths7[] = {{0, 30}, {1, 180}, {2, 80}, {3, 80},
                                    {4, 80}, {5, 210}, {6, 210}};

// ---- Table 8: pupils by training and district of origin ----------------------------------------

constexpr FrameCell kFrame8[] = {
    {0, 0, "Satzart 8"},
    {1, 0, "Zeilen-Nr."},
    {2, 0, "Bezeichnung Ausbildung"},
    {3, 0, "Kennziffer Ausbildung"},
    {4, 0, "Bezeichnung Herkunfskreis"},
    {5, 0, "Kennziffer Herkunfskreis"},
    {6, 0, "Schüler insg."},
    {7, 0, "Schüler weibl."},
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
constexpr ColumnWidth kWidths8[] = {{0, 90}, {1, 60}, {2, 130}, {3, 120}, {4, 140}, {5, 120}};

// ---- Table 9: trainees by occupation group and previous schooling (blocks) ---------------------

constexpr FrameCell kFrame9[] = {
    {0, 0, "SA 9"},
    {1, 0, "Schüler mit Ausbild.vertrag nach Berufsgr. u. Vorbild."},
    {2, 0, "Bezeichnung Berufsgruppe"},
    {3, 0, "Kennziffer Berufsgruppe"},
    {4, 0, "schul. Vorbildung"},
    {5, 0, "Azubi`s insg."},
    {6, 0, "Azubi`s weibl."},
    {0, 1, "Nr."},
    {1, 1, kLabelD},
    {2, 1, "ES001"},
    {3, 1, "ES002"},
    {4, 1, "ES003"},
    {5, 1, "ES004"},
    {6, 1, "ES005"},
};
constexpr ColumnWidth kWidths9[] = {{0, 30}, {1, 270}, {2, 150}, {3, 120}, {4, 90}};

// ---- Table 10 (page "Tab. 4.1"): number of foreign languages learnt ----------------------------

constexpr FrameCell kFrame10[] = {
    {0, 0, "Satzart 10"},
    {1, 0, "Schüler mit fremdspr. Unterr. insg."},
    {2, 0, "- mit 1 im lfd. Schulj. gelernten FS"},
    {3, 0, "- mit 2 im lfd. Schulj. gelernten FS"},
    {4, 0, "- mit 3 im lfd. Schulj. gelernten FS"},
    {5, 0, "- mit 4 u. mehr im lfd. Schulj. gel. FS"},
    {0, 1, "Erfassungsspalte"},
    {1, 1, "ES001"},
    {2, 1, "ES002"},
    {3, 1, "ES003"},
    {4, 1, "ES004"},
    {5, 1, "ES005"},
    {0, 2, "Meldung"},
};
constexpr ColumnWidth kWidths10[] = {{0, 90}, {2, 160}, {3, 160}, {4, 160}, {5, 160}};

// ---- Identification table and class notes ------------------------------------------------------

constexpr FrameCell kFrameIdent[] = {
    {0, 0, "Merkmal / Eigenschaft"},
    {1, 0, "Wert / Inhalt"},
    {0, 1, "Statistik-Bezeichnung"},
    {0, 2, "schulinterne Bezeichnung"},
    {0, 3, "Klassen-Ltr./Tutor/Stat.-Verantw."},
    {0, 4, "stellv. KL/Tut./Stat.-Verantw."},
    {0, 5, "Anzahl Schüler insg."},
    {0, 6, "   davon Schüler weibl."},
};
constexpr ColumnWidth kWidthsIdent[] = {{0, 160}, {1, 100}};

// The key rows keep their key in the first data column: it is the record key of the file line.
template <int kLastKeyRow>
void CompleteKeyRows(Grid& grid, const LoadContext&) {
  for (int row = 2; row <= kLastKeyRow; ++row) {
    if (IsBlankCell(grid.Cell(2, row))) grid.SetCell(2, row, grid.Cell(0, row));
  }
}

// What differs between the class tables; the rest is common to all of them.
struct Shape {
  int table;
  std::string_view name;
  std::string_view title;
  TableKind kind;
  int cols;
  int rows;
  int default_width;
  std::span<const ColumnWidth> widths;
  std::span<const FrameCell> frame;
  int first_data_col;
  int data_col_count;
  int has_first;
  int has_last;
  bool zero_is_data;
};

TableDef Make(const Shape& s) {
  TableDef d{};
  d.sheet = Sheet::kClass;
  d.table = s.table;
  d.name = s.name;
  d.title = s.title;
  d.kind = s.kind;
  d.cols = s.cols;
  d.rows = s.rows;
  d.fixed_cols = s.first_data_col == 2 ? 2 : 1;
  d.default_col_width = s.default_width;
  d.widths = s.widths;
  d.frame = s.frame;
  d.sheet_dir = kClassDir;
  d.file_number = s.table;
  d.first_data_col = s.first_data_col;
  d.data_col_count = s.data_col_count;
  d.has_data_first_col = s.has_first;
  d.has_data_last_col = s.has_last;
  d.zero_is_data = s.zero_is_data;
  d.delete_when_empty = false;  // a class file is written even when only its ES line has data
  d.shrink_key_rows = false;    // class key rows are always shown at full height
  return d;
}

void SetKeys(TableDef& d, std::string_view file, std::string_view subject, int last_key_row) {
  d.key_file = file;
  d.key_subject = subject;
  d.key_col = 0;
  d.key_text_col = 1;
  d.key_copy_col = 2;
  d.last_key_row = last_key_row;
}

using K = TableKind;

std::array<TableDef, kTableCount + 1> BuildTables() {
  std::array<TableDef, kTableCount + 1> t{
      Make({0, "Bog3Tab0", "Klassen-Tabelle 0", K::kSingleRecord, 7, 3, 80, kWidths0, kFrame0, 1, 6,
            1, 6, true}),
      Make({1, "Bog3Tab1", "Klassen-Tabelle 1", K::kFreeRow, 6, 10, 90, kWidths1, kFrame1, 1, 5, 2,
            5, false}),
      Make({2, "Bog3Tab2", "Klassen-Tabelle 2", K::kKeyRow, 7, 13, 100, kWidths2, kFrame2, 2, 5, 3,
            6, false}),
      Make({3, "Bog3Tab3", "Klassen-Tabelle 3", K::kFreeRow, 7, 10, 100, kWidths3, kFrame3, 1, 6, 3,
            6, false}),
      Make({4, "Bog3Tab4", "Klassen-Tabelle 4", K::kKeyRow, 7, 16, 80, kWidths4, kFrame4, 2, 5, 3,
            6, false}),
      Make({5, "Bog3Tab5", "Klassen-Tabelle 5", K::kKeyRow, 5, 8, 70, kWidths5, kFrame5, 2, 3, 3, 4,
            false}),
      Make({6, "Bog3Tab6", "Klassen-Tabelle 6", K::kKeyRow, 5, 12, 70, kWidths6, kFrame6, 2, 3, 3,
            4, false}),
      Make({7, "Bog3Tab7", "Klassen-Tabelle 7", K::kKeyRow, 7, 14, 160, kWidths7, kFrame7, 2, 5, 3,
            6, false}),
      Make({8, "Bog3Tab8", "Klassen-Tabelle 8", K::kFreeRow, 8, 30, 70, kWidths8, kFrame8, 1, 7, 1,
            7, false}),
      Make({9, "Bog3Tab9", "Klassen-Tabelle 9", K::kKeyRow, 7, 9, 75, kWidths9, kFrame9, 2, 5, 5, 6,
            false}),
      Make({10, "Bog3Tab10", "Klassen-Tabelle 10", K::kSingleRecord, 6, 3, 140, kWidths10, kFrame10,
            1, 5, 1, 5, true}),
      Make({-1, kIdentDefinition, "Klasse", K::kSingleRecord, 2, 9, 64, kWidthsIdent, kFrameIdent,
            1, 1, 1, 1, true}),
  };
  t[0].complete = CompleteDstNrRecord;
  t[1].complete = CompleteTable1;
  SetKeys(t[2], "SSVB.SSD", "Schulische Vorbildung", kTable2LastKeyRow);
  t[2].complete = CompleteKeyRows<kTable2LastKeyRow>;
  SetKeys(t[4], "SSFSR.SSD", "Fremdsprachen, Religion, Sport", kTable4LastKeyRow);
  t[4].complete = CompleteKeyRows<kTable4LastKeyRow>;
  SetKeys(t[5], "SSAS.SSD", "Ausbildungsstatus", kTable5LastKeyRow);
  t[5].complete = CompleteKeyRows<kTable5LastKeyRow>;
  SetKeys(t[6], "SSLTF.SSD", "Land-, Tier- u. Forstwirtschaft", kTable6LastKeyRow);
  t[6].complete = CompleteKeyRows<kTable6LastKeyRow>;
  SetKeys(t[7], "SSUS.SSD", "Wöchentl. Unterrichtsstunden", kTable7LastKeyRow);
  t[7].complete = CompleteKeyRows<kTable7LastKeyRow>;
  // Table 9 takes the schooling keys of its total block from the key file when it is set up; its
  // own reader and writer (the blocks) replace the common ones. The key is not copied into a data
  // column: column 4 receives it when the table is loaded.
  SetKeys(t[9], "SSVB0.SSD", "Schulische Vorbildung", 9);
  t[9].key_copy_col = -1;
  // The identification table has no ES row: it is all values, nothing is a code.
  t[kTableCount].file_number = -1;
  t[kTableCount].fixed_cols = 1;
  return t;
}

const std::array<TableDef, kTableCount + 1>& Tables() {
  static const std::array<TableDef, kTableCount + 1> tables = BuildTables();
  return tables;
}

}  // namespace

std::span<const TableDef> ClassTableDefs() { return Tables(); }

const TableDef& ClassTableDef(int table) {
  if (table < 0 || table >= kTableCount) {
    throw std::out_of_range("Klassen-Tabelle " + std::to_string(table) + " gibt es nicht");
  }
  return Tables()[static_cast<std::size_t>(table)];
}

const TableDef& IdentTableDef() { return Tables()[kTableCount]; }

}  // namespace tabulon::class_sheet
