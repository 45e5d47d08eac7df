// The tests over several tables of one class, on grids already loaded: the summary of the table
// tests 0 to 9 and the cross test of the footnotes a) to h), which eight key figures of a class
// must agree on in every table that reports them.
#pragma once

#include <array>
#include <cstdint>

#include "plausi/protocol.h"
#include "sheets/sheet_def.h"
#include "tables/error_flags.h"
#include "tables/grid.h"

namespace tabulon::class_sheet {

inline constexpr char kSummaryTitle[] =
    "Zusammenfassender Plausi-Test über alle Bögen einer Klasse";
inline constexpr char kFootnoteTitle[] =
    "interner Plausi-Test: Plausi über mehrere Klassenbögen (Fußnoten a..h)";
// The tables the summary runs (0 to 9; table 10 is not part of it) and the footnote order.
inline constexpr int kSummaryTables = 10;
inline constexpr std::array<int, 7> kFootnoteTables = {1, 2, 3, 5, 7, 8, 9};

// One table of the summary: clears `env.flags`, runs the table's test, merges the flags into
// `accumulator` and returns the table's status (faulty or fault-free).
TableStatus SummaryStep(int table, TestEnv& env, ErrorFlags& accumulator, TestResult* result);

// The reference values of the footnotes a) to h); kNoFootnote: no table has reported it yet.
inline constexpr std::int64_t kNoFootnote = -9999;
struct FootnoteRefs {
  std::array<std::int64_t, 8> value;
  FootnoteRefs() { value.fill(kNoFootnote); }
};

// Reports the footnotes of class table `table` (1, 2, 3, 5, 7, 8 or 9; others report nothing):
// reads them from `grid`, fixes the references not yet fixed and fails 251 to 258 where a
// value differs from its reference.
void ReportFootnotes(int table, const Grid& grid, ErrorFlags& flags, FootnoteRefs& refs);

}  // namespace tabulon::class_sheet
