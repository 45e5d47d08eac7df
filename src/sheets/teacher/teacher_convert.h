// Bringing teacher table 1 of earlier years into the current layout: the files of 2003 (60
// fields, and a table 4 that no longer exists) and the grid of the layout up to 2008 (57 values).
#pragma once

#include <string>
#include <string_view>

#include "sheets/sheet_def.h"

namespace tabulon {

// The first line of a table-1 file in the 2003 layout holds none of the codes ES051 to ES053 as
// its 51st to 53rd field.
bool Is2003Layout(std::string_view table1_bytes);
// Whether the first teacher page shows the notice about old teacher tables: table 1's file is in
// the 2003 layout, or the 2003 table 4 is still there.
bool OldTeacherTablesPresent(const TableContext& ctx);

// One line of a 2003 file in the layout from 2004 on (UTF-8 in and out, 60 fields).
std::string Rearrange2003Line(std::string_view line);
// A whole 2003 file (IBM 850, CR LF) in the layout from 2004 on.
std::string Rearrange2003File(std::string_view bytes);

enum class ConversionOutcome {
  kDeclined,    // "Nein" to the opening question
  kDone,        // "... erfolgte OHNE Probleme!"
  kIncomplete,  // a file operation failed: "... erfolgte nicht vollständig! ..."
};

// The conversion of the 2003 files with its question and messages. A file operation that fails
// ends it; the previous table stays in "01alt.CSV" until the new "01.CSV" is complete.
ConversionOutcome Convert2003Files(const TableContext& ctx);

// The column moves from the layout up to 2008 on every teacher row of the grid; no question.
void Convert2008Columns(Grid& grid);
// The page command: asks, moves on "Ja", and marks the table changed in every case.
void Convert2008Command(CommandEnv& env);

}  // namespace tabulon
