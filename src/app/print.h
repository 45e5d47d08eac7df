// What is printed, laid out in pages: a table (title block, header rows and label columns on every
// page, columns split over pages when the table is wider than the paper) or a test protocol. The
// layout is plain data in points, so the print preview paints it and the PDF writer writes it, and
// both show the same pages; it needs no display to build or to test.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/session_plausi.h"
#include "base/print_document.h"
#include "plausi/protocol.h"
#include "tables/grid.h"
#include "tables/table_def.h"

namespace tabulon {

// The title block of a printed table.
struct TablePrintHeading {
  std::string title;  // e.g. "Schul-Bogen – Tabelle 1"
  std::string dst_nr;
  std::string class_id;  // "" except for class tables
  std::string date;      // "TT.MM.JJJJ"
};

struct PaperFormat {
  double width = 842;
  double height = 595;
  double margin = 36;
  double font_size = 8;
};

// A table: rows from 0 to the last row holding any text, the grid's fixed rows repeated at the
// top and its fixed columns at the left of every page; the pages go down first, then across.
PrintDocument LayoutTable(const Grid& grid, const TablePrintHeading& heading,
                          const PaperFormat& paper = {});

// A test protocol as the error window shows it, with the findings list below it.
PrintDocument LayoutProtocol(const ErrorProtocol& protocol,
                             const std::vector<std::string>& findings, const std::string& date,
                             const PaperFormat& paper = {});

// The findings list as the error window lists it: "[7]  Spalte: ES003  |  Zeile".
std::vector<std::string> FindingLines(const std::vector<FindingPlace>& findings);

// A protocol to print when the run opened no window: its title and the box's text.
ErrorProtocol PassedProtocol(const std::string& title);

// The printed title of a table: its definition's title, then sheet and page caption.
std::string TablePrintTitle(const TableDef& def);

class Session;
class TableStore;
// The current table of the session, laid out with its title block and its PDF, or nothing when no
// table is shown (the quick report).
std::optional<PrintDocument> CurrentTableDocument(const Session& session, TableStore& store);
// A protocol with its PDF, for the error window's print button.
PrintDocument ProtocolDocument(const ErrorProtocol& protocol,
                               const std::vector<FindingPlace>& findings);

// Today's date as "TT.MM.JJJJ".
std::string TodayText();

}  // namespace tabulon
