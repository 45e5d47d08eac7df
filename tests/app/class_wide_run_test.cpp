#include "app/class_wide_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/real_session.h"
#include "base/settings.h"
#include "plausi/catalogue.h"
#include "support/plausi_support.h"
#include "tables/values.h"

namespace tabulon {
namespace {

// The tables 0 to 10 of a class whose every test passes: no pupils, but every sum row present.
std::map<int, Grid> SoundClass() {
  std::map<int, Grid> t;
  Grid t0 = CodedGrid(7, 3, 1, 6);
  const char* row0[] = {"12345", "020", "012", "1", "2", ""};
  for (int c = 1; c <= 6; ++c) t0.SetCell(c, 2, row0[c - 1]);
  t[0] = t0;
  Grid t1 = CodedGrid(6, 3, 1, 5);
  t1.SetCell(1, 2, "9999");
  t[1] = t1;
  t[2] = KeyTable(7, 12, 5);
  t[3] = CodedGrid(7, 2, 1, 6);
  t[4] = KeyTable(7, 15, 5);
  t[5] = KeyTable(5, 7, 3);
  t[6] = KeyTable(5, 11, 3);
  t[7] = KeyTable(7, 13, 5);
  Grid t8 = CodedGrid(8, 4, 1, 7);
  t8.SetCell(1, 2, "01");
  t8.SetCell(3, 2, "1230");
  t8.SetCell(1, 3, "99");
  t[8] = t8;
  Grid t9 = CodedGrid(7, 10, 2, 5);
  const char* keys[] = {"1", "2", "3", "4", "5", "6", "7", "9"};
  for (int k = 0; k < 8; ++k) {
    t9.SetCell(3, 2 + k, "9999");
    t9.SetCell(4, 2 + k, keys[k]);
  }
  t[9] = t9;
  t[10] = CodedGrid(6, 3, 1, 5);
  return t;
}

struct Fixture {
  std::map<int, Grid> tables = SoundClass();
  std::vector<int> loads;
  Settings settings;
  std::string class_id = "ABC012";
  Fixture() { settings.dst_nr = "12345"; }
  ClassTableLoad Loader() {
    return [this](int table) {
      loads.push_back(table);
      return tables.at(table);
    };
  }
};

TEST(ClassWideRun, SoundClassPassesEveryTest) {
  Fixture f;
  ClassWideReport r = RunClassWideTests(f.Loader(), f.settings, f.class_id, false);
  EXPECT_FALSE(r.summary.report.window);
  EXPECT_EQ(r.summary.report.title, "Zusammenfassender Plausi-Test über alle Bögen einer Klasse");
  for (std::uint16_t s : r.summary.statuses) EXPECT_EQ(s, kTableFaultFree);
  EXPECT_FALSE(r.table41.report.window);
  EXPECT_FALSE(r.footnotes.report.window);
  // Every table's file is set up and loaded once.
  EXPECT_EQ(f.loads, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST(ClassWideRun, OneFaultyTableInTheSummary) {
  Fixture f;
  f.tables[4].SetCell(3, 4, "10");
  f.tables[4].SetCell(5, 4, "6");
  f.tables[4].SetCell(6, 4, "5");
  f.tables[10].SetCell(1, 2, "5");  // table 10 is not part of the summary
  ClassSummaryReport r = RunClassSummary(f.Loader(), f.settings, f.class_id, false);
  ASSERT_TRUE(r.report.window);
  TableStatuses expected;
  expected.fill(kTableFaultFree);
  expected[4] = kTableFaulty;
  EXPECT_EQ(r.statuses, expected);
  EXPECT_TRUE(r.flags.failed[8]);
  EXPECT_FALSE(r.flags.failed[260]);
  EXPECT_EQ(r.report.protocol.verdict_label, "Gesamtergebnis:");
  EXPECT_EQ(r.report.protocol.verdict, "Test nicht bestanden!");
  ASSERT_EQ(r.report.protocol.statuses.size(), 10u);
  EXPECT_EQ(r.report.protocol.statuses[4].label, "Tabelle 04");
  EXPECT_EQ(r.report.protocol.statuses[4].text, "fehlerhaft");
  EXPECT_EQ(r.report.protocol.statuses[3].text, "fehlerfrei");
  ASSERT_EQ(r.findings.size(), 1u);
  EXPECT_EQ(r.findings[0].table, 4);
  EXPECT_EQ(r.findings[0].place.entry, 8);
  EXPECT_EQ(f.loads, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(ClassWideRun, SumRowMissingInTableOneIsKeptWhenTableNineHasIt) {
  Fixture f;
  f.tables[1].SetCell(1, 2, "1990");
  ClassSummaryReport r = RunClassSummary(f.Loader(), f.settings, f.class_id, false);
  EXPECT_TRUE(r.flags.failed[231]);
  EXPECT_EQ(r.statuses[1], kTableFaulty);
  EXPECT_EQ(r.statuses[9], kTableFaultFree);
}

TEST(ClassWideRun, Footnotes) {
  struct Case {
    const char* what;
    void (*edit)(std::map<int, Grid>&);
    std::vector<int> failed;
  } cases[] = {
      {"table 8 one pupil fewer",
       [](std::map<int, Grid>& t) {
         t[1].SetCell(2, 2, "25");
         t[2].SetCell(3, 12, "25");
         t[8].SetCell(6, 3, "24");
       },
       {251}},
      {"no 9999 row in table 1",
       [](std::map<int, Grid>& t) {
         t[1].SetCell(1, 2, "1990");
         t[2].SetCell(3, 12, "3");
       },
       {251}},
      {"8888 row below the 9999 row",
       [](std::map<int, Grid>& t) {
         t[1] = CodedGrid(6, 4, 1, 5);
         t[1].SetCell(1, 2, "9999");
         t[1].SetCell(4, 2, "9");
         t[1].SetCell(1, 3, "8888");
         t[1].SetCell(2, 3, "4");
         t[3] = CodedGrid(7, 3, 1, 6);
         t[3].SetCell(2, 2, "999");
         t[3].SetCell(3, 2, "4");
       },
       {}},
      {"table 7 row 12 against row 13",
       [](std::map<int, Grid>& t) {
         t[7].SetCell(3, 12, "12");
         t[7].SetCell(5, 13, "11");
       },
       {257}},
      {"table 7 equal",
       [](std::map<int, Grid>& t) {
         t[7].SetCell(3, 12, "12");
         t[7].SetCell(5, 13, "12");
       },
       {}},
  };
  for (const Case& c : cases) {
    Fixture f;
    c.edit(f.tables);
    ClassRunReport r = RunClassFootnotes(f.Loader(), false);
    std::vector<int> failed;
    for (int n = 1; n <= kErrorCount; ++n) {
      if (r.flags.failed[n] && n != 231) failed.push_back(n);
    }
    EXPECT_EQ(failed, c.failed) << c.what;
    EXPECT_EQ(r.report.window, !c.failed.empty()) << c.what;
    EXPECT_EQ(r.report.title,
              "interner Plausi-Test: Plausi über mehrere Klassenbögen (Fußnoten a..h)");
    EXPECT_EQ(f.loads, (std::vector<int>{1, 2, 3, 5, 7, 8, 9})) << c.what;
  }
}

// ---- started from the desktop program ---------------------------------------------------------

using ::testing::ElementsAre;

constexpr MessageKind kInfo = MessageKind::kInformation;
constexpr MessageKind kErr = MessageKind::kError;
constexpr int kClassTop = 3;

class ClassTestsSessionTest : public RealSessionTest {
 protected:
  ClassTestsSessionTest() {
    StartSession({"SSVB.SSD", "SSFSR.SSD", "SSAS.SSD", "SSLTF.SSD", "SSUS.SSD", "SSVB0.SSD",
                  "SLAND.SSD", "SHKK.SSD"});
  }
};

TEST_F(ClassTestsSessionTest, ToolButtonsOnlyOnTheClassSheetWithAClass) {
  ui.messages.clear();
  session->ClassToolTest(true);
  session->ClassToolTest(false);
  EXPECT_THAT(ui.messages, ElementsAre(RecordedMessage{kInfo, "Test nur für Klassen vorgesehen!"},
                                       RecordedMessage{kInfo, "Test nur für Klassen vorgesehen!"}));
  ASSERT_TRUE(session->PageChanged(kClassTop, 0));
  ui.messages.clear();
  session->ClassToolTest(true);
  EXPECT_THAT(ui.messages,
              ElementsAre(RecordedMessage{kInfo, "Keine Klasse ausgewählt oder vorhanden!"}));
  ui.messages.clear();
  session->RunClassSummaryTest();
  session->RunClassFootnoteTest();
  EXPECT_THAT(
      ui.messages,
      ElementsAre(RecordedMessage{kErr, "Sie müssen für diesen Test\reine Klasse auswählen!"},
                  RecordedMessage{kErr, "Sie müssen für diesen Test\reine Klasse auswählen!"}));
  EXPECT_TRUE(windows.empty());
}

TEST_F(ClassTestsSessionTest, SummaryOfANewClassSavesFirstAndShowsItsWindow) {
  ASSERT_TRUE(session->PageChanged(kClassTop, 0));
  session->AddClass("ZIM003", "");
  ui.messages.clear();
  session->ClassToolTest(true);
  // The new class's table 0 was saved before the run read it.
  EXPECT_TRUE(fs::exists(prog / "4711" / "KLASSE" / "ZIM00300.CSV"));
  ASSERT_EQ(windows.size(), 1u);
  const PlausiReport& r = windows[0];
  EXPECT_EQ(r.title, "Zusammenfassender Plausi-Test über alle Bögen einer Klasse");
  EXPECT_EQ(r.protocol.verdict_label, "Gesamtergebnis:");
  ASSERT_EQ(r.protocol.statuses.size(), 10u);
  EXPECT_EQ(r.protocol.statuses[0].text, "fehlerhaft");  // school type and the rest are empty
  EXPECT_EQ(r.protocol.statuses[2].text, "fehlerfrei");
  EXPECT_TRUE(ui.messages.empty());

  // Every figure of the new class is 0, so the footnotes agree; the settings list every check,
  // so the window opens all the same.
  session->ClassToolTest(false);
  ASSERT_EQ(windows.size(), 2u);
  EXPECT_EQ(windows[1].title,
            "interner Plausi-Test: Plausi über mehrere Klassenbögen (Fußnoten a..h)");
  EXPECT_EQ(windows[1].protocol.verdict, "Tests bestanden!");
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace tabulon
