#include "app/whole_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/registry.h"
#include "base/data_paths.h"
#include "base/settings.h"
#include "files/files.h"
#include "support/program_dir.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "tables/values.h"

namespace tabulon {
namespace {

// School table 4 whose total (10) is less than its parts (5 + 6): entries fail with a cell.
Grid FaultyTable4() {
  Grid g(8, 3);
  for (int i = 1; i <= 7; ++i) g.SetCell(i, 1, EsCode(i));
  g.SetCell(1, 2, "10");
  g.SetCell(2, 2, "5");
  g.SetCell(3, 2, "6");
  return g;
}

// A new school's stored files: every table passes.
class WholeCheckTest : public ::testing::Test {
 protected:
  WholeCheckTest() {
    testing::CopyKeyFiles(prog);
    testing::WriteSchoolSettings(prog, "12345", /*read_write=*/false,
                                 [](Settings& s) { s.log_all_tests = 0; });
    ReadSettingsFile(prog, settings, ui);
    paths = FormDataPaths(settings, prog);
  }
  // The stored tables, with school table 4 replaced by a faulty grid when asked.
  WholeCheckLoader Loader(bool faulty_table4) {
    WholeCheckLoader stored = StoredTableLoader(settings, paths);
    return [stored, faulty_table4](const SheetDef& sheet, const TableDef& def,
                                   const std::string& class_id, Ui& ui) {
      if (faulty_table4 && sheet.sheet == Sheet::kSchool && def.table == 4) return FaultyTable4();
      return stored(sheet, def, class_id, ui);
    };
  }
  // The targets the sheets named by the DST-Nr. declare tests for, in page order.
  static std::vector<std::string> SchoolWideTargets() {
    std::vector<std::string> out;
    for (const SheetDef* sheet : Sheets()) {
      if (sheet->prefix != FilePrefix::kDstNr) continue;
      for (const TablePage& page : sheet->pages) {
        if (sheet->FindTest(page.table) && sheet->FindTableNumber(page.table)) {
          out.push_back(std::string(sheet->cli_name) + ":" + std::to_string(page.table));
        }
      }
    }
    return out;
  }

  testing::TempDir dir;
  std::filesystem::path prog = dir / "prog";
  Settings settings;
  DataPaths paths;
  testing::ScriptedUi ui;
};

TEST_F(WholeCheckTest, RunsTheSchoolWideSheetsThenEveryClassWithItsClassWideHook) {
  std::vector<std::string> hook_calls;
  WholeCheck check({"1A", "2B"}, Loader(false), settings, false,
                   [&](const std::string& id, const WholeCheckLoader&, Ui&, WholeCheckResult& r) {
                     hook_calls.push_back(id + "@" + std::to_string(r.runs.size()));
                   });
  EXPECT_EQ(check.step_count(), 3);
  std::vector<std::string> progress;
  WholeCheckResult r = RunWholeCheck(check, ui, [&](int i, int n, const std::string& id) {
    progress.push_back(std::to_string(i) + "/" + std::to_string(n) + " " + id);
    return true;
  });
  EXPECT_EQ(progress, (std::vector<std::string>{"1/2 1A", "2/2 2B"}));
  EXPECT_EQ(r.classes_total, 2);
  EXPECT_EQ(r.classes_done, 2);
  EXPECT_FALSE(r.cancelled);
  // The school-wide runs pass; a class without stored tables fails its own tests.
  for (const WholeCheckRun& run : r.runs) {
    if (run.class_id.empty()) EXPECT_FALSE(AnyErrorFailed(run.flags)) << run.target;
  }
  const std::vector<std::string> school_wide = SchoolWideTargets();
  ASSERT_GE(school_wide.size(), 8u);
  ASSERT_GE(r.runs.size(), school_wide.size());
  for (std::size_t i = 0; i < school_wide.size(); ++i) {
    EXPECT_EQ(r.runs[i].target, school_wide[i]);
    EXPECT_EQ(r.runs[i].class_id, "");
  }
  // Whatever the class sheet declares runs per class, between the class's hook calls.
  const std::size_t per_class = (r.runs.size() - school_wide.size()) / 2;
  EXPECT_EQ(hook_calls,
            (std::vector<std::string>{"1A@" + std::to_string(school_wide.size() + per_class),
                                      "2B@" + std::to_string(school_wide.size() + 2 * per_class)}));
  for (std::size_t i = school_wide.size(); i < r.runs.size(); ++i) {
    EXPECT_EQ(r.runs[i].sheet, Sheet::kClass);
    EXPECT_EQ(r.runs[i].class_id, i < school_wide.size() + per_class ? "1A" : "2B");
  }
  // Checking changes nothing on disk: no class directory appears.
  EXPECT_FALSE(std::filesystem::exists(paths.school_data_dir / "KLASSE"));
}

TEST_F(WholeCheckTest, AFaultyTableGivesFindingsWithTheirCellsGroupedAndCounted) {
  WholeCheck check({}, Loader(true), settings, false);
  WholeCheckResult r = RunWholeCheck(check, ui);
  EXPECT_TRUE(r.AnyFailed());
  EXPECT_EQ(r.FailedTables(), 1);
  EXPECT_EQ(r.FailedClasses(), 0);
  const std::vector<WholeCheckFinding> f = FindingsOf(r, false);
  ASSERT_FALSE(f.empty());
  for (const WholeCheckFinding& x : f) {
    EXPECT_EQ(r.runs[x.run].target, "schule:4");
    EXPECT_FALSE(x.hint);
  }
  EXPECT_EQ(f[0].entry, 70);
  EXPECT_EQ(f[0].col, 1);
  EXPECT_EQ(f[0].row, 2);
  EXPECT_FALSE(f[0].column_header.empty());
  EXPECT_EQ(FindingLine(f[0]).rfind("[70]  ", 0), 0u) << FindingLine(f[0]);
  const std::vector<FindingGroup> groups = GroupFindings(r, f);
  ASSERT_EQ(groups.size(), 1u);
  const std::string n = " (" + std::to_string(f.size()) + ")";
  EXPECT_EQ(groups[0].caption, std::string(SheetOf(Sheet::kSchool).caption) + n);
  ASSERT_EQ(groups[0].children.size(), 1u);
  EXPECT_EQ(groups[0].children[0].caption, r.runs[f[0].run].table_name + n);
  EXPECT_EQ(groups[0].children[0].findings.size(), f.size());
}

// Class runs (as the class-wide tests add them) group by class below the class sheet.
TEST_F(WholeCheckTest, ClassFindingsGroupBySheetClassAndTable) {
  auto fail = [](const std::string& id, int table, std::vector<int> entries, bool hint) {
    WholeCheckRun run;
    run.sheet = Sheet::kClass;
    run.class_id = id;
    run.table = table;
    run.table_name = "Tabelle " + std::to_string(table);
    run.target = "klasse:" + id + ":" + std::to_string(table);
    for (int e : entries) (hint ? run.flags.hint : run.flags.failed)[e] = true;
    return run;
  };
  WholeCheck check({"1A", "2B", "3C"}, Loader(false), settings, false,
                   [&](const std::string& id, const WholeCheckLoader&, Ui&, WholeCheckResult& r) {
                     if (id == "1A") {
                       r.runs.push_back(fail(id, 1, {5, 7}, false));
                       r.runs.push_back(fail(id, 4, {9}, false));
                     } else if (id == "3C") {
                       r.runs.push_back(fail(id, 2, {12}, true));
                     }
                   });
  WholeCheckResult r = RunWholeCheck(check, ui);
  // Only the injected runs count here; the class sheet's own tests fail on these empty classes.
  std::erase_if(r.runs, [](const WholeCheckRun& run) {
    return !run.class_id.empty() && run.table_name.rfind("Tabelle ", 0) != 0;
  });
  EXPECT_EQ(r.FailedTables(), 2);
  EXPECT_EQ(r.FailedClasses(), 1);
  const std::string klasse(SheetOf(Sheet::kClass).caption);
  struct Case {
    bool hints;
    std::vector<std::string> captions;
  };
  for (const Case& c :
       {Case{false, {klasse + " (3)", "Klasse 1A (3)", "Tabelle 1 (2)", "Tabelle 4 (1)"}},
        Case{true,
             {klasse + " (4)", "Klasse 1A (3)", "Tabelle 1 (2)", "Tabelle 4 (1)", "Klasse 3C (1)",
              "Tabelle 2 (1)"}}}) {
    const auto findings = FindingsOf(r, c.hints);
    std::vector<std::string> captions;
    for (const FindingGroup& s : GroupFindings(r, findings)) {
      captions.push_back(s.caption);
      for (const FindingGroup& k : s.children) {
        captions.push_back(k.caption);
        for (const FindingGroup& t : k.children) captions.push_back(t.caption);
      }
    }
    EXPECT_EQ(captions, c.captions) << c.hints;
  }
  const auto all = FindingsOf(r, true);
  ASSERT_EQ(all.size(), 4u);
  EXPECT_TRUE(all[3].hint);
  EXPECT_EQ(all[3].entry, 12);
}

TEST_F(WholeCheckTest, CancelStopsBeforeTheNextClassAndKeepsWhatWasChecked) {
  int hooks = 0;
  WholeCheck check(
      {"1A", "2B", "3C"}, Loader(false), settings, false,
      [&](const std::string&, const WholeCheckLoader&, Ui&, WholeCheckResult&) { ++hooks; });
  WholeCheckResult r =
      RunWholeCheck(check, ui, [](int i, int, const std::string&) { return i < 2; });
  EXPECT_TRUE(r.cancelled);
  EXPECT_EQ(r.classes_done, 1);
  EXPECT_EQ(r.classes_total, 3);
  EXPECT_EQ(hooks, 1);
  EXPECT_GE(r.runs.size(), SchoolWideTargets().size());
}

TEST_F(WholeCheckTest, AnUnreadableTablePassesItsErrorOn) {
  WholeCheck check(
      {},
      [](const SheetDef&, const TableDef&, const std::string&, Ui&) -> Grid {
        throw FileError("/daten/SCHULE/1234501.CSV", "Lesen", "kaputt");
      },
      settings, false);
  EXPECT_THROW(check.Step(ui), FileError);
  EXPECT_TRUE(check.Done());
}

TEST_F(WholeCheckTest, ThePrintedListHoldsTheGroupsAndFindings) {
  WholeCheck check({}, Loader(true), settings, false);
  WholeCheckResult r = RunWholeCheck(check, ui);
  const PrintDocument doc = WholeCheckDocument(r, false);
  EXPECT_EQ(doc.pdf_name, "Gesamtpruefung.pdf");
  EXPECT_EQ(doc.pdf.rfind("%PDF", 0), 0u);
  std::vector<std::string> texts;
  for (const PrintPage& page : doc.pages) {
    for (const PrintText& t : page.texts) texts.push_back(t.text);
  }
  auto has = [&](const std::string& part) {
    for (const std::string& t : texts) {
      if (t.find(part) != std::string::npos) return true;
    }
    return false;
  };
  const auto findings = FindingsOf(r, false);
  ASSERT_FALSE(findings.empty());
  EXPECT_TRUE(has(kWholeCheckTitle));
  EXPECT_TRUE(has(GroupFindings(r, findings)[0].caption));
  EXPECT_TRUE(has("[70]"));
  EXPECT_TRUE(has("Test nicht bestanden!"));
}

}  // namespace
}  // namespace tabulon
