#include "calc/cell_rules.h"

#include <gtest/gtest.h>

#include <optional>

#include "calc/calc_test_support.h"
#include "support/scripted_ui.h"

namespace tabulon::calc {
namespace {

struct RuleCase {
  const char* name;
  Rule rule;
  bool ask;
  const char* current;
  std::int64_t value;
  std::optional<bool> answer;  // the dialog's answer, when it must appear
  const char* expected;
  bool error7;
};

class RuleTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(RuleTest, SetsTheCellAsTheRuleSays) {
  const RuleCase& c = GetParam();
  Grid g = MakeGrid(3, 3);
  g.SetCell(2, 0, "Klassen insg.");
  g.SetCell(2, 2, c.current);
  ScriptedUi ui;
  if (c.answer) ui.cell_change_answers.push_back(*c.answer);
  ErrorFlags flags;
  CalcEnv env{g, flags, ui, c.ask};
  const bool written = SetComputedCell(env, c.rule, 2, 2, c.value, "Berufsschule");
  EXPECT_EQ(g.Cell(2, 2), c.expected);
  EXPECT_EQ(written, std::string(c.expected) != c.current);
  EXPECT_EQ(ui.cell_changes.size(), c.answer ? 1u : 0u);
  EXPECT_TRUE(ui.cell_change_answers.empty());
  EXPECT_EQ(flags.Failed(kCellValueError), c.error7);
  if (c.answer) {
    EXPECT_EQ(ui.cell_changes[0], (CellChangeQuestion{"Klassen insg.", "Berufsschule", c.current,
                                                      std::to_string(c.value)}));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, RuleTest,
    ::testing::Values(
        RuleCase{"AEmptyZeroStaysBlank", Rule::kA, false, "", 0, {}, "", false},
        RuleCase{"BEmptyZeroBecomesZero", Rule::kB, false, "", 0, {}, "0", false},
        RuleCase{"ASingleBlankZeroStays", Rule::kA, false, " ", 0, {}, " ", false},
        RuleCase{"BSingleBlankGetsValue", Rule::kB, true, " ", 4, {}, "4", false},
        RuleCase{"ABlankPositiveWrittenWithoutQuestion", Rule::kA, true, "", 5, {}, "5", false},
        RuleCase{"AEqualTypedValueNoQuestion", Rule::kA, true, "7", 7, {}, "7", false},
        RuleCase{"BEqualTypedValueNoQuestion", Rule::kB, true, "12", 12, {}, "12", false},
        RuleCase{"ADifferingWrittenWhenNotAsking", Rule::kA, false, "3", 7, {}, "7", false},
        RuleCase{"ADifferingAskedJa", Rule::kA, true, "3", 7, true, "7", false},
        RuleCase{"ADifferingAskedNein", Rule::kA, true, "3", 7, false, "3", false},
        RuleCase{"ANotANumberCountsZeroAndSetsError", Rule::kA, false, "abc", 7, {}, "7", true},
        RuleCase{"ATypedZeroComputedZeroStays", Rule::kA, true, "0", 0, {}, "0", false},
        RuleCase{"ATypedValueComputedZeroAsked", Rule::kA, true, "4", 0, false, "4", false},
        RuleCase{"ANegativeResultStaysNegative", Rule::kA, false, "", -2, {}, "-2", false},
        RuleCase{"ALargeSumDoesNotWrap", Rule::kA, false, "", 70000, {}, "70000", false},
        RuleCase{"AStrictEqualNoQuestion", Rule::kAStrictTarget, true, "9", 9, {}, "9", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RuleTest, StrictReadOfATargetThatIsNoNumberStopsAndKeepsTheCell) {
  for (Rule rule : {Rule::kB, Rule::kAStrictTarget}) {
    Grid g = MakeGrid(4, 5);
    g.SetCell(3, 4, "12a");
    ScriptedUi ui;
    ErrorFlags flags;
    CalcEnv env{g, flags, ui, true};
    try {
      SetComputedCell(env, rule, 3, 4, 5, "x");
      ADD_FAILURE() << "no stop";
    } catch (const CalcStopped& stop) {
      EXPECT_EQ(stop.Message(),
                "Berechnung abgebrochen!\r\r\"12a\" (Spalte 3, Zeile 4) ist keine ganze Zahl.\r"
                "Die bis hierhin berechneten Werte bleiben eingetragen.");
    }
    EXPECT_EQ(g.Cell(3, 4), "12a");
    EXPECT_TRUE(ui.cell_changes.empty());
  }
}

TEST(RuleTest, TargetOutsideTheGridIsLeftAlone) {
  Grid g = MakeGrid(3, 3);
  ScriptedUi ui;
  ErrorFlags flags;
  CalcEnv env{g, flags, ui, false};
  EXPECT_FALSE(SetComputedCell(env, Rule::kB, 3, 1, 5, ""));
  EXPECT_FALSE(SetComputedCell(env, Rule::kA, 1, 3, 5, ""));
  EXPECT_EQ(g.RowCount(), 3);
  EXPECT_EQ(g.ColCount(), 3);
}

TEST(RuleTest, DialogTextsAreCutAt35CharactersCountingCharactersNotBytes) {
  Grid g = MakeGrid(2, 3);
  // 37 characters, several of them two bytes long in UTF-8.
  g.SetCell(1, 0, "Schüler/-innen - 1. JGS äöü ÄÖÜ ßßßßß");
  g.SetCell(1, 2, "1");
  ScriptedUi ui;
  ui.cell_change_answers = {false};
  ErrorFlags flags;
  CalcEnv env{g, flags, ui, true};
  SetComputedCell(env, Rule::kA, 1, 2, 2, "Berufsfachschule (höhere) Vollzeit-...");
  ASSERT_EQ(ui.cell_changes.size(), 1u);
  EXPECT_EQ(ui.cell_changes[0].column_text, "Schüler/-innen - 1. JGS äöü ÄÖÜ ßßß...");
  EXPECT_EQ(ui.cell_changes[0].row_text, "Berufsfachschule (höhere) Vollzeit-...");
  // Exactly 35 characters are shown whole.
  EXPECT_EQ(CutForDialog("12345678901234567890123456789012345", 35),
            "12345678901234567890123456789012345");
}

struct ChoiceCase {
  const char* name;
  const char* current;
  std::int64_t c1, c2, c3;
  bool ask;
  std::optional<int> answer;  // the three-way dialog's answer, when it must appear
  const char* expected;
};

class RuleCTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(RuleCTest, ChoosesAmongThreeCandidates) {
  const ChoiceCase& c = GetParam();
  Grid g = MakeGrid(3, 6);
  g.SetCell(2, 0, "zu erteil. Stdn. insg.");
  g.SetCell(2, 5, c.current);
  ScriptedUi ui;
  if (c.answer) ui.cell_choice_answers.push_back(*c.answer);
  ErrorFlags flags;
  CalcEnv env{g, flags, ui, c.ask};
  std::array<Candidate, 3> cands{Candidate{"Std.n  SOLL+ATZ-Anrechnung+MehrArb.", c.c1},
                                 Candidate{"Std.n nach Schulort", c.c2},
                                 Candidate{"Stunden nach Schularten", c.c3}};
  SetByRuleC(env, 2, 5, cands, "Zeile: 5  Lehrer-Nr.: 17");
  EXPECT_EQ(g.Cell(2, 5), c.expected);
  ASSERT_EQ(ui.cell_choices.size(), c.answer ? 1u : 0u);
  EXPECT_TRUE(ui.cell_choice_answers.empty());
  EXPECT_TRUE(ui.cell_changes.empty());
  if (c.answer) {
    const CellChoiceQuestion& q = ui.cell_choices[0];
    EXPECT_EQ(q.column_text, "zu erteil. Stdn. insg.");
    EXPECT_EQ(q.row_text, "Zeile: 5  Lehrer-Nr.: 17");
    EXPECT_EQ(q.current_value, c.current);
    EXPECT_EQ(q.captions,
              (std::array<std::string, 3>{"Std.n  SOLL+ATZ-Anrechnung+MehrArb.",
                                          "Std.n nach Schulort", "Stunden nach Schularten"}));
    EXPECT_EQ(q.values, (std::array<std::string, 3>{std::to_string(c.c1), std::to_string(c.c2),
                                                    std::to_string(c.c3)}));
  }
}

INSTANTIATE_TEST_SUITE_P(
    RuleC, RuleCTest,
    ::testing::Values(
        ChoiceCase{"AllEqualToValueNothing", "25", 25, 25, 25, true, {}, "25"},
        ChoiceCase{"AllBlankAndZeroNothing", "", 0, 0, 0, true, {}, ""},
        ChoiceCase{"AgreeingWrittenWithoutQuestion", "20", 25, 25, 25, false, {}, "25"},
        ChoiceCase{"AgreeingAskedWhenSettingOnChosen", "20", 25, 25, 25, true, 2, "25"},
        ChoiceCase{"AgreeingAskedWhenSettingOnNein", "20", 25, 25, 25, true, 0, "20"},
        ChoiceCase{"DifferentAlwaysAskedEvenSettingOff", "20", 24, 25, 26, false, 3, "26"},
        ChoiceCase{"DifferentNeinKeeps", "20", 24, 25, 26, false, 0, "20"},
        ChoiceCase{"DifferentOneEqualsValueStillAsked", "25", 24, 25, 26, false, 1, "24"},
        ChoiceCase{"NegativeDifferenceStaysNegative", "", -2, 0, 0, false, 1, "-2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RuleCTest, LongRowTextCutAt45AndCaptionsAt35) {
  Grid g = MakeGrid(2, 3);
  g.SetCell(1, 2, "1");
  ScriptedUi ui;
  ui.cell_choice_answers = {0};
  ErrorFlags flags;
  CalcEnv env{g, flags, ui, false};
  const std::string long_row(50, 'r');
  const std::string long_caption(40, 'c');
  SetByRuleC(env, 1, 2, {Candidate{long_caption, 1}, Candidate{"b", 2}, Candidate{"c", 3}},
             long_row);
  ASSERT_EQ(ui.cell_choices.size(), 1u);
  EXPECT_EQ(ui.cell_choices[0].row_text, std::string(45, 'r') + "...");
  EXPECT_EQ(ui.cell_choices[0].captions[0], std::string(35, 'c') + "...");
  EXPECT_EQ(g.Cell(1, 2), "1");
}

}  // namespace
}  // namespace tabulon::calc
