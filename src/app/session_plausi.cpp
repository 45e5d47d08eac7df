#include "app/session_plausi.h"

#include "plausi/catalogue.h"

namespace tabulon {
namespace {

std::string Trimmed(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string ColumnHeaderOf(const Grid& grid, int col) {
  if (col < 0) return {};
  std::string title = Trimmed(grid.Cell(col, 0));
  std::string code = grid.FixedRows() < 2 ? Trimmed(grid.Cell(col, 1)) : std::string();
  if (title.empty()) title = "Spalte " + std::to_string(col);
  return code.empty() ? title : title + " (" + code + ")";
}

std::string RowLabelOf(const Grid& grid, int row) {
  if (row < 0) return {};
  std::string labels;
  for (int c = 0; c < grid.FixedCols(); ++c) {
    std::string t = Trimmed(grid.Cell(c, row));
    if (t.empty()) continue;
    labels += labels.empty() ? t : " " + t;
  }
  std::string label = "Zeile " + std::to_string(row);
  return labels.empty() ? label : label + ": " + labels;
}

PlausiReport RunPlausi(const SheetTest& test, TestEnv& env, bool log_all_tests) {
  ResetErrorFlags(env.flags);
  PlausiReport report;
  report.result = test.run(env);
  report.title = std::string(test.title);
  report.window = ErrorWindowOpens(env.flags, log_all_tests);
  if (report.window) {
    report.protocol = ShowErrorProtocol(ErrorWindowKind::kFehlerfenster, report.title, env.flags,
                                        TheErrorCatalogue(), log_all_tests);
  }
  for (const Finding& f : report.result.findings) {
    report.places.push_back(
        {f.entry, f.col, f.row, ColumnHeaderOf(env.grid, f.col), RowLabelOf(env.grid, f.row)});
  }
  return report;
}

}  // namespace tabulon
