// The class files in the export for the statistical office, in the export and import of
// everything and in the backup: all eleven table files of a class travel (table 10 and an
// identifier with an umlaut included), the class notes never go to the statistical office.
#include <gtest/gtest.h>

#include "app/export.h"
#include "base/data_paths.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tabulon {
namespace {

namespace fs = std::filesystem;
using testing::Files;
using testing::ScriptedUi;
using testing::TempDir;
using testing::Tree;
using testing::WriteTree;

struct ClassInstallation {
  explicit ClassInstallation(const fs::path& root) {
    settings.dst_nr = "12345";
    settings.data_base_dir = (root / "daten").string();
    fs::create_directories(root / "prog");
    fs::create_directories(root / "daten");
    paths = FormDataPaths(settings, root / "prog");
  }
  ExportContext Context() {
    return {settings, paths, ui, [] {}, [] {}};
  }
  ExportResult Run(ExportResult (*step)(ExportContext&), const fs::path& chosen) {
    ui.directories = {chosen};
    ui.answers = {true};
    auto ctx = Context();
    return step(ctx);
  }
  Settings settings;
  DataPaths paths;
  ScriptedUi ui;
};

// Eleven table files of each class, as the class sheet names them.
Files ClassTables() {
  Files f;
  for (const std::string id : {"BÄC001", "ZIM003"}) {
    for (int t = 0; t <= 10; ++t) {
      f["KLASSE/" + id + (t < 10 ? "0" : "") + std::to_string(t) + ".CSV"] = id + " Tabelle";
    }
  }
  return f;
}

const Files kNotes = {{"BÄC001ID.CSV",
                       "B\x8e"
                       "C001;\r\n"},
                      {"ZIM003ID.CSV", "ZIM003;\r\n"}};

TEST(ClassExportTest, StaLATakesEveryTableFileOfEveryClassAndNoNotes) {
  TempDir dir;
  ClassInstallation inst(dir / "a");
  WriteTree(inst.paths.school_data_dir, ClassTables());
  WriteTree(inst.paths.school_data_dir, {{"KLASSE/ZIM003ID.CSV", "verirrt"}});
  WriteTree(inst.paths.program_dir, kNotes);
  const fs::path t = dir / "stick";
  fs::create_directories(t);
  EXPECT_EQ(inst.Run(ExportStaLA, t).outcome, ExportOutcome::kDone);
  EXPECT_EQ(Tree(t / "12345"), ClassTables());
}

TEST(ClassExportTest, NotesTravelWithExportImportAndBackup) {
  TempDir dir;
  ClassInstallation a(dir / "a");
  WriteTree(a.paths.school_data_dir, ClassTables());
  WriteTree(a.paths.program_dir, kNotes);
  const fs::path t = dir / "stick";
  fs::create_directories(t);
  EXPECT_EQ(a.Run(ExportAll, t).outcome, ExportOutcome::kDone);
  Files exported;
  for (const auto& [k, v] : ClassTables()) exported["12345/" + k] = v;
  for (const auto& [k, v] : kNotes) exported["12345/" + k] = v;
  EXPECT_EQ(Tree(t), exported);

  ClassInstallation b(dir / "b");
  EXPECT_EQ(b.Run(ImportAll, t).outcome, ExportOutcome::kDone);
  EXPECT_EQ(Tree(b.paths.school_data_dir), ClassTables());
  EXPECT_EQ(Tree(b.paths.program_dir), kNotes);

  auto ctx = b.Context();  // backup at start: the option is on by default
  EXPECT_EQ(BackupDatabase(ctx).outcome, ExportOutcome::kDone);
  const Files bak = Tree(b.paths.data_base_dir / "BAK");
  for (const auto& [k, v] : kNotes) EXPECT_EQ(bak.at(k), v);
  for (const auto& [k, v] : ClassTables()) EXPECT_EQ(bak.at("12345/" + k), v);
}

}  // namespace
}  // namespace tabulon
