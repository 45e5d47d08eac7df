#include "app/whole_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/registry.h"
#include "files/files.h"
#include "support/scripted_ui.h"
#include "support/small_school.h"
#include "support/temp_dir.h"

namespace tabulon {
namespace {

class WholeCheckTest : public ::testing::Test {
 protected:
  // Three classes; `faulty` spoils class table 4 of ZIM002 and teacher table 2.
  void School(bool faulty, std::vector<std::string> classes = {"ZIM001", "ZIM002", "ZIM003"},
              const std::filesystem::path& prog = {}) {
    prog_ = prog.empty() ? dir.path() : prog;
    testing::WriteSmallSchool(prog_, classes);
    if (faulty) {
      testing::WriteTableCells(prog_, Sheet::kClass, 4, "ZIM002", {testing::kFaultyCell});
      testing::WriteTableCells(prog_, Sheet::kTeacher, 2, "", {testing::kFaultyCell});
    }
    ReadSettingsFile(prog_, settings, ui);
    paths = FormDataPaths(settings, prog_);
    classes_ = std::move(classes);
  }
  WholeCheckResult Run(const std::function<bool(int, int, const std::string&)>& progress = {}) {
    WholeCheck check(classes_, StoredTableLoader(settings, paths), settings, false);
    return RunWholeCheck(check, ui, progress);
  }

  testing::TempDir dir;
  std::filesystem::path prog_;
  Settings settings;
  DataPaths paths;
  testing::ScriptedUi ui;
  std::vector<std::string> classes_;
};

TEST_F(WholeCheckTest, SchoolWideTestsThenNumberingThenEachClassInListOrder) {
  School(false);
  std::vector<std::string> progress;
  const WholeCheckResult r = Run([&](int i, int n, const std::string& id) {
    progress.push_back(std::to_string(i) + "/" + std::to_string(n) + " " + id);
    return true;
  });
  EXPECT_EQ(progress, (std::vector<std::string>{"1/3 ZIM001", "2/3 ZIM002", "3/3 ZIM003"}));
  std::vector<std::string> targets;
  for (const WholeCheckRun& run : r.runs) targets.push_back(run.target);
  const std::vector<std::string> tail = {"klassennummern",          "klasse:ZIM001:alle",
                                         "klasse:ZIM001:4.1",       "klasse:ZIM001:fussnoten",
                                         "klasse:ZIM002:alle",      "klasse:ZIM002:4.1",
                                         "klasse:ZIM002:fussnoten", "klasse:ZIM003:alle",
                                         "klasse:ZIM003:4.1",       "klasse:ZIM003:fussnoten"};
  ASSERT_GT(targets.size(), tail.size());
  EXPECT_EQ(std::vector<std::string>(targets.end() - static_cast<std::ptrdiff_t>(tail.size()),
                                     targets.end()),
            tail);
  EXPECT_EQ(targets.front(), "schule:1");
  EXPECT_EQ(r.classes_done, 3);
  EXPECT_FALSE(r.AnyFailed());
  EXPECT_TRUE(FindingsOf(r, true).empty());
  EXPECT_EQ(WholeCheckSummary(r), "");
  EXPECT_TRUE(ui.messages.empty());
}

// The window's list and the JSON findings have tests of their own; here the printed list.
TEST_F(WholeCheckTest, ThePrintedListHoldsTheGroupsAndFindingLines) {
  School(true);
  const PrintDocument doc = WholeCheckDocument(Run(), false);
  std::string texts;
  for (const PrintPage& page : doc.pages) {
    for (const PrintText& t : page.texts) texts += t.text + "\n";
  }
  const std::string teacher(SheetOf(Sheet::kTeacher).caption);
  const std::string klasse(SheetOf(Sheet::kClass).caption);
  ASSERT_NE(texts.find(teacher + " (1)\n"), std::string::npos) << texts;
  EXPECT_EQ(
      texts.substr(texts.find(teacher + " (1)\n")),
      teacher +
          " (1)\n  Tabelle 2 (1)\n[7] eingetragene Werte in den Zellen ---> mindestens 1x "
          "fehlerhaft oder nicht lesbar | Spalte: LehrerWoStdn.\nSOLL (ES002) | Zeile 2: 010 "
          "Berufsschule Teilzeit\n" +
          klasse +
          " (1)\n  Klasse ZIM002 (1)\n    Tab. 4 (1)\n[7] eingetragene Werte in den Zellen "
          "---> mindestens 1x fehlerhaft oder nicht lesbar | Spalte: Schüler insg.\n(ES002) | "
          "Zeile 2: 01 Englisch\nGesamtergebnis: Test nicht bestanden!\nSeite 1 von 1\n");
  EXPECT_EQ(doc.pdf.rfind("%PDF", 0), 0u);
}

TEST_F(WholeCheckTest, TheSummaryCountsFailedTablesClassesAndTheNumbering) {
  const std::vector<std::string> three = {"ZIM001", "ZIM002", "ZIM003"};
  struct Spoil {
    Sheet sheet;
    int table;
    const char* class_id;
  };
  struct Case {
    std::vector<std::string> classes;
    std::vector<Spoil> spoils;
    int stop_after;  // classes checked before "Abbrechen"; -1 none
    const char* summary;
  } cases[] = {
      {three,
       {{Sheet::kClass, 4, "ZIM002"}, {Sheet::kTeacher, 2, ""}},
       -1,
       "Die Gesamtprüfung hat Fehler gefunden:\r1 Tabelle in 1 Klasse ist fehlerhaft.\r"
       "1 Tabelle des Schul- und Lehrer-Bogens ist fehlerhaft.\r"},
      {three,
       {{Sheet::kClass, 4, "ZIM001"}, {Sheet::kClass, 6, "ZIM001"}, {Sheet::kClass, 10, "ZIM003"}},
       -1,
       "Die Gesamtprüfung hat Fehler gefunden:\r3 Tabellen in 2 Klassen sind fehlerhaft.\r"},
      {{"ZIM001", "ZIM003"},
       {},
       -1,
       "Die Gesamtprüfung hat Fehler gefunden:\rDie Klassen-Nummern sind nicht fortlaufend.\r"},
      {three, {}, 1, "Die Gesamtprüfung wurde abgebrochen: 1 von 3 Klassen geprüft.\r"},
  };
  for (const Case& c : cases) {
    testing::TempDir fresh;
    School(false, c.classes, fresh.path());
    for (const Spoil& s : c.spoils) {
      testing::WriteTableCells(fresh.path(), s.sheet, s.table, s.class_id, {testing::kFaultyCell});
    }
    const WholeCheckResult r =
        Run([&](int i, int, const std::string&) { return c.stop_after < 0 || i <= c.stop_after; });
    EXPECT_EQ(WholeCheckSummary(r), c.summary);
  }
}

TEST_F(WholeCheckTest, AnUnreadableTablePassesItsErrorOnAndTheStepCounts) {
  School(false);
  WholeCheck check(
      {"ZIM001"},
      [](Sheet, int, const std::string&, Ui&) -> Grid {
        throw FileError("/daten/SCHULE/471101.CSV", "Lesen", "kaputt");
      },
      settings, false);
  EXPECT_THROW(check.Step(ui), FileError);
  EXPECT_EQ(check.next_step(), 1);
}

}  // namespace
}  // namespace tabulon
