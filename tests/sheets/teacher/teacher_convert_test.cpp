#include "sheets/teacher/teacher_convert.h"

#include <gtest/gtest.h>

#include "support/grid_text.h"
#include "tables/fields.h"
#include "tables/values.h"
#include "teacher_fixture.h"

namespace tabulon::testing {
namespace {

using TeacherConvertTest = TeacherFixture;

constexpr const char* kDone = "Die Übernahme der alten Lehrer-Tabelle\rerfolgte OHNE Probleme!";
constexpr const char* kIncomplete =
    "Die Übernahme der alten Lehrer-Tabelle\rerfolgte nicht vollständig!\r\rPrüfen Sie "
    "unbedingt den Inhalt der Tabelle 1!";

// A 2003 line whose field k holds "f<k>".
std::string Line2003() {
  std::string s;
  for (int k = 1; k <= 60; ++k) s += (k > 1 ? ";f" : "f") + std::to_string(k);
  return s;
}

TEST(Rearrange2003Test, DataLineAndCodeLine) {
  const std::vector<std::string> f = SplitFields(Rearrange2003Line(Line2003()), 70);
  // Four new fields after field 31, field 41 gone, fields 51 to 53 overwritten.
  EXPECT_EQ(std::vector<std::string>(f.begin() + 30, f.begin() + 61),
            (std::vector<std::string>{"f31", "",    "",    "",    "",    "f32", "f33", "f34",
                                      "f35", "f36", "f37", "f38", "f39", "f40", "f42", "f43",
                                      "f44", "f45", "f46", "f47", "f48", "f49", "f50", "f54",
                                      "f55", "f56", "f57", "f58", "f59", "f60", ""}));
  const std::string converted = Rearrange2003Line(Line2003());
  EXPECT_EQ(std::count(converted.begin(), converted.end(), ';'), 59);

  const std::string codes = Rearrange2003Line("ES001;ES002;X");
  EXPECT_TRUE(codes.starts_with("ES001;ES002;ES003;"));
  EXPECT_TRUE(codes.ends_with(";ES059;ES060"));
  // A short line is filled up to 60 fields.
  EXPECT_EQ(Rearrange2003Line("7"), "7" + std::string(59, ';'));
}

TEST_F(TeacherConvertTest, ConvertsTheFilesAndRemovesTable4) {
  WriteOem(File(1), "ES001;ES002;Ä\r\n" + Line2003() + "\r\n");
  WriteOem(File(4), "alt\r\n");
  ui.answers.push_back(true);
  EXPECT_EQ(Convert2003Files(Ctx()), ConversionOutcome::kDone);
  EXPECT_EQ(ReadOem(File(1)),
            Rearrange2003Line("ES001;ES002") + "\r\n" + Rearrange2003Line(Line2003()) + "\r\n");
  EXPECT_FALSE(fs::exists(File(4)));
  EXPECT_FALSE(fs::exists(paths.school_data_dir / "LEHRER" / "1234501alt.CSV"));
  EXPECT_EQ(ui.messages, (std::vector<RecordedMessage>{{MessageKind::kInformation, kDone}}));
  EXPECT_TRUE(ui.questions[0].text.starts_with(
      "Wollen Sie die alten Lehrer-Tabellen (gültig für 2003)\reinmalig"));
}

TEST_F(TeacherConvertTest, WithoutTable1OnlyTable4IsDeleted) {
  WriteOem(File(4), "alt\r\n");
  ui.answers.push_back(true);
  EXPECT_EQ(Convert2003Files(Ctx()), ConversionOutcome::kDone);
  EXPECT_FALSE(fs::exists(File(4)));
  EXPECT_FALSE(fs::exists(File(1)));
  EXPECT_EQ(ui.messages.back().text, kDone);
}

TEST_F(TeacherConvertTest, NeinChangesNothing) {
  WriteOem(File(1), Line2003() + "\r\n");
  ui.answers.push_back(false);
  EXPECT_EQ(Convert2003Files(Ctx()), ConversionOutcome::kDeclined);
  EXPECT_EQ(ReadOem(File(1)), Line2003() + "\r\n");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(TeacherConvertTest, ALeftoverOldFileBlocks) {
  const fs::path old = paths.school_data_dir / "LEHRER" / "1234501alt.CSV";
  WriteOem(File(1), "neu\r\n");
  WriteOem(old, "alt\r\n");
  ui.answers.push_back(true);
  EXPECT_EQ(Convert2003Files(Ctx()), ConversionOutcome::kIncomplete);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0], (RecordedMessage{MessageKind::kError,
                                             "Die noch vorhandene Datei:\r" + DisplayPath(old) +
                                                 "\rbehindert die Umwandlung!\r\rLöschen Sie "
                                                 "diese ev. über den Windows-Explorer!"}));
  EXPECT_EQ(ui.messages[1].text, kIncomplete);
  EXPECT_EQ(ReadOem(File(1)), "neu\r\n");
  EXPECT_EQ(ReadOem(old), "alt\r\n");
}

TEST_F(TeacherConvertTest, TheOldTableStaysUntilTheNewOneIsWritten) {
  const fs::path old = paths.school_data_dir / "LEHRER" / "1234501alt.CSV";
  WriteOem(File(1), Line2003() + "\r\n");
  ui.answers.push_back(true);
  SetWriteFailureAfterBytesForTesting(10);
  const ConversionOutcome outcome = Convert2003Files(Ctx());
  SetWriteFailureAfterBytesForTesting(-1);
  EXPECT_EQ(outcome, ConversionOutcome::kIncomplete);
  EXPECT_EQ(ReadOem(old), Line2003() + "\r\n");
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].kind, MessageKind::kError);
  EXPECT_EQ(ui.messages[1].text, kIncomplete);
}

TEST_F(TeacherConvertTest, ATable1ThatCannotBeRenamedIsReported) {
  if (RunningAsRoot()) GTEST_SKIP() << "root renames in read-only directories";
  WriteOem(File(1), Line2003() + "\r\n");
  const fs::path dir = File(1).parent_path();
  fs::permissions(dir, fs::perms::owner_write, fs::perm_options::remove);
  ui.answers.push_back(true);
  const ConversionOutcome outcome = Convert2003Files(Ctx());
  fs::permissions(dir, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(outcome, ConversionOutcome::kIncomplete);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].text, "Die vorhandene Datei:\r" + DisplayPath(File(1)) +
                                     "\rkann nicht umgewandelt werden!\r\rPrüfen Sie die "
                                     "Datei-Attribute und ev. die Zugriffsrechte!");
  EXPECT_EQ(ReadOem(File(1)), Line2003() + "\r\n");
}

TEST_F(TeacherConvertTest, ATable4ThatCannotBeDeletedIsReported) {
  WriteBytes(File(4) / "block", "x");  // a directory cannot be deleted like a file
  ui.answers.push_back(true);
  EXPECT_EQ(Convert2003Files(Ctx()), ConversionOutcome::kIncomplete);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0],
            (RecordedMessage{MessageKind::kError, "Die vorhandene Datei:\r" + DisplayPath(File(4)) +
                                                      "\rkann NICHT gelöscht werden!\r\rPrüfen Sie "
                                                      "die Datei-Attribute und ev. die "
                                                      "Zugriffsrechte!"}));
  EXPECT_EQ(ui.messages[1].text, kIncomplete);
}

// ---- 2008 ------------------------------------------------------------------------------------

constexpr int Es(int n) { return n + 1; }

TEST(Convert2008Test, MovesTheReductionColumns) {
  Grid g(61, 4);
  g.SetCell(Es(21), 1, "ES021");
  for (int row : {2, 3}) {
    for (int n = 21; n <= 57; ++n) g.SetCell(Es(n), row, std::to_string(n - 18));
  }
  g.SetCell(0, 2, "17");
  Convert2008Columns(g);
  EXPECT_EQ(RowTexts(g, Es(21), Es(27), 2, 2), Texts{"3|||5|||7"});
  EXPECT_EQ(g.Cell(Es(59), 3), "39");  // old ES057
  EXPECT_EQ(g.Cell(Es(21), 1), "ES021");
  EXPECT_EQ(g.Cell(0, 2), "17");
}

TEST(Convert2008Test, AShrunkGridStaysIntact) {
  Grid g(5, 4);
  g.SetCell(4, 2, "x");
  Convert2008Columns(g);
  EXPECT_EQ(g.ColCount(), 5);
  EXPECT_EQ(g.Cell(4, 2), "x");
}

TEST_F(TeacherConvertTest, The2008CommandMarksTheTableChangedAlsoAfterNein) {
  for (bool yes : {false, true}) {
    Grid g(61, 3);
    g.SetCell(Es(25), 2, "7");
    bool changed = false;
    bool reload = false;
    TableContext ctx = Ctx();
    CommandEnv env{g, ui, ctx, changed, reload};
    ui.answers.push_back(yes);
    Convert2008Command(env);
    EXPECT_TRUE(changed);
    EXPECT_FALSE(reload);
    EXPECT_EQ(g.Cell(Es(27), 2), yes ? "7" : "");
  }
  EXPECT_TRUE(ui.questions[0].text.starts_with("Wollen Sie jetzt die Tabelle 1 wirklich\r"));
}

}  // namespace
}  // namespace tabulon::testing
