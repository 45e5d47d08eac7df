#include "app/calculations.h"

#include <gtest/gtest.h>

#include "calc/calc_test_support.h"
#include "support/scripted_ui.h"

namespace tabulon {
namespace {

Settings ReadWrite() {
  Settings s;
  s.read_only = 0;
  return s;
}

// A school table 2 with one type and no total row: every run that computes adds it.
Grid Table2WithOneType() {
  return GridFromRows(19, {{"Satzart 2"}, {"Erfassungsspalte"}, {"", "010", "1999", "3"}, {}, {}});
}

// What a dispatch says: nothing, that no calculation fits, or an internal error.
constexpr const char* kSilent = "";
constexpr const char* kNoCalc = "Keine sinnvolle Berechnung möglich!";

struct DispatchCase {
  const char* name;
  CalcCommand command;
  int sheet;
  int table;
  const char* current_class;
  const char* message;  // kSilent, kNoCalc or the text of an error box
  bool computed;
};

class DispatchTest : public ::testing::TestWithParam<DispatchCase> {};

TEST_P(DispatchTest, ChoosesTheCalculationOrSaysWhyNot) {
  const DispatchCase& c = GetParam();
  Grid g = Table2WithOneType();
  const Grid before = g;
  ScriptedUi ui;
  ErrorFlags flags;
  CalcResult r = RunCalculation(c.command, {static_cast<Sheet>(c.sheet), c.table, c.current_class},
                                g, ReadWrite(), ui, flags);
  std::vector<RecordedMessage> expected;
  if (c.message == kNoCalc) expected.push_back({MessageKind::kInformation, kNoCalc});
  if (c.message != kNoCalc && c.message != kSilent)
    expected.push_back({MessageKind::kError, c.message});
  EXPECT_EQ(ui.messages, expected);
  EXPECT_EQ(r.computed, c.computed);
  EXPECT_TRUE(r.mark_changed);
  if (!c.computed) {
    EXPECT_EQ(testing::RowOf(g, 3), testing::RowOf(before, 3));
  }
}

constexpr CalcCommand kRow = CalcCommand::kSummaryRow;
constexpr CalcCommand kSubtotals = CalcCommand::kSubtotalRows;
constexpr CalcCommand kColumns = CalcCommand::kSummaryColumns;

INSTANTIATE_TEST_SUITE_P(
    Commands, DispatchTest,
    ::testing::Values(DispatchCase{"School2SummaryRow", kRow, 1, 2, "", kSilent, true},
                      DispatchCase{"School2Subtotals", kSubtotals, 1, 2, "", kSilent, true},
                      DispatchCase{"School2Columns", kColumns, 1, 2, "", kNoCalc, false},
                      DispatchCase{"School0", kRow, 1, 0, "", kNoCalc, false},
                      DispatchCase{"School3", kSubtotals, 1, 3, "", kNoCalc, false},
                      DispatchCase{"School4", kColumns, 1, 4, "", kNoCalc, false},
                      DispatchCase{"SchoolBadTable", kRow, 1, 5, "",
                                   "interner Fehler: unklare Schul-Tabelle", false},
                      DispatchCase{"TeacherBadTable", kRow, 2, 4, "",
                                   "interner Fehler: unklare Lehrer-Tabelle", false},
                      DispatchCase{"ClassBadTable", kRow, 3, 11, "ZIM003",
                                   "interner Fehler: unklare Klassen-Tabelle", false},
                      DispatchCase{"ClassWithoutClassSelected", kRow, 3, 4, "ZZZ999", kSilent,
                                   false},
                      DispatchCase{"ClassTable4", kRow, 3, 4, "ZIM003", kNoCalc, false},
                      DispatchCase{"QuickReport", kRow, 0, 0, "", kSilent, false},
                      DispatchCase{"BadSheet", kSubtotals, 100, 0, "",
                                   "interner Fehler: unklarer Statistik-Bogen", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CalculationTest, ReadOnlyWarnsPerCommandAndStillComputesWithoutMarkingChanged) {
  const struct {
    CalcCommand command;
    RecordedMessage message;
  } cases[] = {
      {CalcCommand::kSummaryRow,
       {MessageKind::kWarning,
        "Der Dateizugriff ist auf \"nur LESEN\" eingestellt!\r\rÄnderungen werden NICHT "
        "gespeichert!"}},
      {CalcCommand::kSubtotalRows,
       {MessageKind::kInformation,
        "Der Dateizugriff ist auf \"nur LESEN\" eingestellt!\rÄnderungen werden nicht "
        "gespeichert!"}},
      {CalcCommand::kSummaryColumns,
       {MessageKind::kInformation,
        "Der Dateizugriff ist auf \"nur LESEN\" eingestellt!\rÄnderungen werden nicht "
        "gespeichert!"}},
  };
  for (const auto& c : cases) {
    Grid g = Table2WithOneType();
    ScriptedUi ui;
    ErrorFlags flags;
    Settings s;  // defaults: read-only, warn on
    CalcResult r = RunCalculation(c.command, {Sheet::kSchool, 2, ""}, g, s, ui, flags);
    EXPECT_FALSE(r.mark_changed);
    ASSERT_GE(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], c.message);
    if (c.command != CalcCommand::kSummaryColumns) {
      EXPECT_TRUE(r.computed);
      EXPECT_EQ(g.Cell(2, 3), "9999");
    } else {
      EXPECT_EQ(ui.messages.size(), 2u);
    }
    s.warn_unsuitable_access = 0;
    ScriptedUi quiet;
    Grid g2 = Table2WithOneType();
    RunCalculation(c.command, {Sheet::kSchool, 2, ""}, g2, s, quiet, flags);
    if (c.command != CalcCommand::kSummaryColumns) {
      EXPECT_TRUE(quiet.messages.empty());
    }
  }
}

TEST(CalculationTest, AskSettingReachesTheRules) {
  Grid g = GridFromRows(19, {{"Satzart 2", "", "", "Absolventen/Abgänger insg."},
                             {"Erfassungsspalte"},
                             {"", "030", "1999", "3"},
                             {"", "030", "9999", "4"}});
  ScriptedUi ui;
  ui.cell_change_answers = {false};
  ErrorFlags flags;
  Settings s = ReadWrite();
  s.ask_after_calculations = 1;
  RunCalculation(CalcCommand::kSubtotalRows, {Sheet::kSchool, 2, ""}, g, s, ui, flags);
  ASSERT_EQ(ui.cell_changes.size(), 1u);
  EXPECT_EQ(ui.cell_changes[0],
            (CellChangeQuestion{"Absolventen/Abgänger insg.", "030; 9999", "4", "3"}));
  EXPECT_EQ(g.Cell(3, 3), "4");
}

}  // namespace
}  // namespace tabulon
