// The teacher sheet's tables: the identification table beside table 0 and tables 0 to 3, their
// frames, and the loading and saving where they differ from the common data-file rules (table 0
// is always two lines, table 1 is matched by teacher number, table 2 takes its code line and
// names the keys it could not place).
#pragma once

#include <span>
#include <string>
#include <vector>

#include "sheets/sheet_def.h"
#include "sheets/teacher/teacher_list.h"
#include "tables/datafile.h"
#include "tables/grid.h"
#include "tables/table_def.h"

namespace tabulon {

inline constexpr int kTeacherIdentTable = -1;  // no table number of its own: it shares page 0
inline constexpr const char* kTeacherDir = "LEHRER";

// Table 1: 59 value columns from grid column 2; the file of the layout up to 2003 had 60 fields.
inline constexpr int kTeacher1FirstCol = 2;
inline constexpr int kTeacher1Values = 59;
inline constexpr int kTeacher1MaxFields = 60;
// Table 2: rows 2 to 30 come from the school-type key file; table 3: rows 2 to 5.
inline constexpr int kTeacher2LastRow = 30;
inline constexpr int kTeacher3LastRow = 5;

// Identification table first, then tables 0 to 3.
std::span<const TableDef> TeacherTableDefs();
const TableDef& TeacherIdentDef();
const TableDef& TeacherTableDef(int table);

// Where the teacher tables' files lie for this context (prefix: the DST-Nr.).
DataFileContext TeacherFileContext(const TableContext& ctx);
std::filesystem::path TeacherFilePath(const TableContext& ctx, int file_number);

// ---- loading and saving ----------------------------------------------------------------------

int LoadIdent(Grid& grid, const TableDef& def, const TableContext& ctx);
void SaveIdent(const Grid& grid, const TableDef& def, const TableContext& ctx);

int LoadTable0(Grid& grid, const TableDef& def, const TableContext& ctx);
void SaveTable0(const Grid& grid, const TableDef& def, const TableContext& ctx);
std::string Table0Bytes(const Grid& grid);

// Table 1 on given lines (UTF-8 text of the file) after its teacher rows were made; returns the
// largest field count (at most 60) and counts the lines without a number.
struct Table1Load {
  int max_fields = 0;
  int unassignable = 0;
};
void PutTeacherRows(Grid& grid, const std::vector<TeacherEntry>& teachers);
Table1Load LoadTable1Text(Grid& grid, std::string_view utf8);
void CompleteTable1Numbers(Grid& grid);
int LoadTable1(Grid& grid, const TableDef& def, const TableContext& ctx);
std::string Table1Bytes(const Grid& grid, bool save_only_rows_with_data);
void SaveTable1(const Grid& grid, const TableDef& def, const TableContext& ctx);

struct Table2Load {
  int max_fields = 0;
  int unassignable = 0;
  std::string unassigned_keys;  // joined by ";"
};
Table2Load LoadTable2Text(Grid& grid, std::string_view utf8, const Settings& settings);
int LoadTable2(Grid& grid, const TableDef& def, const TableContext& ctx);

// The largest field count of any line of a file's bytes, as splitting counts them, at most `cap`.
int MaxFieldCount(std::string_view bytes, int cap);

}  // namespace tabulon
