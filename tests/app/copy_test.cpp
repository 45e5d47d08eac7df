#include "app/copy.h"

#include <gtest/gtest.h>

#include <cstring>

#include "files/files.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tabulon {
namespace {

std::string Question(const fs::path& target, const fs::path& source) {
  return "Die Datei\r" + target.string() + "\rist schon vorhanden.\r\rSoll sie durch die Datei\r" +
         source.string() + "\rersetzt werden?";
}

TEST(NameMatchesTest, WildcardsAndCaseAsOnWindows) {
  const struct {
    const char* pattern;
    const char* name;
    bool matches;
  } kCases[] = {
      {"??????ID.CSV", "ZIM003ID.CSV", true},      {"??????ID.CSV", "zim003id.csv", true},
      {"??????ID.CSV", "ZIM03ID.CSV", false},      {"??????ID.CSV", "ZIM0003ID.CSV", false},
      {"??????ID.CSV", "ÄÖÜ003ID.CSV", true},  // six characters, nine bytes
      {"??????ID.CSV", "ZIM003ID.CSV.bak", false}, {"123450?.CSV", "1234501.CSV", true},
      {"123450?.CSV", "1234501alt.CSV", false},    {"123450?.CSV", "12345010.CSV", false},
      {"123450?.CSV", "9999901.CSV", false},       {"????????.CSV", "ZIM00301.CSV", true},
      {"????????.CSV", "ZIM0030.CSV", false},      {"*ID.CSV", "ID.CSV", true},
      {"*ID.CSV", "klasse-äid.csv", true},         {"*ID.CSV", "IDX.CSV", false},
      {"*ID.CSV", "ZIM003IDID.CSV", true},         {"LEHRER.CSV", "lehrer.csv", true},
      {"LEHRER.CSV", "LEHRER.CSV~", false},        {"ÄRZTE.CSV", "ärzte.csv", true},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(NameMatches(c.pattern, c.name), c.matches) << c.pattern << " / " << c.name;
  }
}

TEST(WithCrLfLineEndsTest, EveryLineEndBecomesCrLf) {
  const struct {
    const char* in;
    const char* out;
  } kCases[] = {
      {"", ""},
      {"a", "a\r\n"},
      {"a\nb", "a\r\nb\r\n"},
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\rb", "a\r\nb\r\n"},
      {"\n\n", "\r\n\r\n"},
      {"a\n\r\nb", "a\r\n\r\nb\r\n"},
  };
  for (const auto& c : kCases) EXPECT_EQ(WithCrLfLineEnds(c.in), c.out) << c.in;
}

TEST(FileCopierTest, TreeArrivesBelowTargetAndMergesWithWhatIsThere) {
  TempDir dir;
  WriteBytes(dir / "src/12345/SCHULE/1234500.CSV", "ES001;ES002\r\n1;2\r\n");
  WriteBytes(dir / "src/12345/KLASSE/ZIM00300.CSV", std::string("\x81\x94\0z", 4));
  fs::create_directories(dir / "src/12345/LEHRER");
  WriteBytes(dir / "dst/12345/SCHULE/9999900.CSV", "fremd");
  ScriptedUi ui;
  FileCopier copier(ui, OverwriteMode::kAsk);
  copier.CopyTree(dir / "src/12345/", dir / "dst");

  EXPECT_EQ(Tree(dir / "dst"), (Files{
                                   {"12345/KLASSE/ZIM00300.CSV", std::string("\x81\x94\0z", 4)},
                                   {"12345/SCHULE/1234500.CSV", "ES001;ES002\r\n1;2\r\n"},
                                   {"12345/SCHULE/9999900.CSV", "fremd"},
                               }));
  EXPECT_TRUE(fs::is_directory(dir / "dst/12345/LEHRER"));
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_TRUE(copier.failures().empty());
  EXPECT_EQ(copier.FailureReport(), "");
  EXPECT_EQ(copier.copied().size(), 2u);
}

TEST(FileCopierTest, OverwriteAnswersDecideFileByFile) {
  // Answers per question: j = Ja, n = Nein, a = Ja, alle; x = Abbrechen.
  struct Case {
    const char* name;
    const char* answers;
    std::string a, b, c;  // contents of the three targets afterwards
    bool cancelled;
  };
  const Case kCases[] = {
      {"Ja then Nein then Ja", "jnj", "neu-a", "alt-b", "neu-c", false},
      {"Ja, alle", "a", "neu-a", "neu-b", "neu-c", false},
      {"Nein, Ja, alle", "na", "alt-a", "neu-b", "neu-c", false},
      {"Abbrechen", "jx", "neu-a", "alt-b", "alt-c", true},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    for (const char* f : {"A.CSV", "B.CSV", "C.CSV"}) {
      std::string lower(1, static_cast<char>(f[0] - 'A' + 'a'));
      WriteBytes(dir / "src" / f, "neu-" + lower);
      WriteBytes(dir / "dst" / f, "alt-" + lower);
    }
    ScriptedUi ui;
    for (const char* a = c.answers; *a; ++a) {
      ui.overwrite_answers.push_back(*a == 'j'   ? OverwriteChoice::kYes
                                     : *a == 'n' ? OverwriteChoice::kNo
                                     : *a == 'a' ? OverwriteChoice::kYesToAll
                                                 : OverwriteChoice::kCancel);
    }
    FileCopier copier(ui, OverwriteMode::kAsk);
    copier.CopyMatching(dir / "src", "?.csv", dir / "dst");

    std::vector<testing::RecordedMessage> expected;
    const char* names[] = {"A.CSV", "B.CSV", "C.CSV"};
    for (std::size_t i = 0; i < std::strlen(c.answers); ++i) {
      expected.push_back(
          {MessageKind::kConfirmation, Question(dir / "dst" / names[i], dir / "src" / names[i])});
    }
    EXPECT_EQ(ui.questions, expected);
    EXPECT_EQ(ReadBytes(dir / "dst/A.CSV"), c.a);
    EXPECT_EQ(ReadBytes(dir / "dst/B.CSV"), c.b);
    EXPECT_EQ(ReadBytes(dir / "dst/C.CSV"), c.c);
    EXPECT_EQ(copier.cancelled(), c.cancelled);
    EXPECT_TRUE(copier.failures().empty());
  }
}

TEST(FileCopierTest, ReplacesAFileSpelledInAnotherCaseInsteadOfAddingASecond) {
  TempDir dir;
  WriteBytes(dir / "src/LEHRER.CSV", "neu");
  WriteBytes(dir / "dst/lehrer.csv", "alt");
  ScriptedUi ui;
  ui.overwrite_answers = {OverwriteChoice::kYes};
  FileCopier copier(ui, OverwriteMode::kAsk);
  copier.CopyMatching(dir / "src", "lehrer.csv", dir / "dst");
  EXPECT_EQ(Tree(dir / "dst"), (Files{{"lehrer.csv", "neu"}}));
  ASSERT_EQ(ui.questions.size(), 1u);
}

TEST(FileCopierTest, FailuresAreCollectedAndNothingHalfWrittenIsLeft) {
  TempDir dir;
  WriteBytes(dir / "src/D/SCHULE/1.CSV", "eins");
  WriteBytes(dir / "src/D/KLASSE/2.CSV", "zwei");
  WriteBytes(dir / "src/D/LEHRER/3.CSV", "drei-neu");
  // A file where the copy needs a directory, and a full disk on the last file.
  WriteBytes(dir / "dst/D/KLASSE", "im Weg");
  WriteBytes(dir / "dst/D/LEHRER/3.CSV", "drei-alt");
  ScriptedUi ui;
  FileCopier copier(ui, OverwriteMode::kAlways);
  copier.CopyTree(dir / "src/D", dir / "dst");  // KLASSE, LEHRER, SCHULE in name order
  EXPECT_EQ(copier.failures().size(), 1u);
  SetWriteFailureAfterBytesForTesting(2);
  copier.CopyMatching(dir / "src/D/LEHRER", "*.CSV", dir / "dst/D/LEHRER");
  SetWriteFailureAfterBytesForTesting(-1);

  EXPECT_EQ(Tree(dir / "dst"), (Files{
                                   {"D/KLASSE", "im Weg"},
                                   {"D/LEHRER/3.CSV", "drei-neu"},  // from the tree copy
                                   {"D/SCHULE/1.CSV", "eins"},
                               }));
  ASSERT_EQ(copier.failures().size(), 2u);
  const std::string src = (dir / "src/D").string();
  const std::string dst = (dir / "dst/D").string();
  EXPECT_EQ(copier.FailureReport(),
            "Folgendes konnte NICHT kopiert werden:\r" + src + "/KLASSE\r    nach " + dst +
                "/KLASSE: am Ziel liegt eine Datei statt eines Verzeichnisses\r" + src +
                "/LEHRER/3.CSV\r    nach " + dst +
                "/LEHRER/3.CSV: Schreiben fehlgeschlagen: der Datenträger ist voll");
}

TEST(FileCopierTest, MissingSourceTreeAndCopyIntoItselfAreFailuresNotEndlessLoops) {
  TempDir dir;
  WriteBytes(dir / "D/SCHULE/1.CSV", "eins");
  ScriptedUi ui;
  FileCopier copier(ui, OverwriteMode::kAlways);
  copier.CopyTree(dir / "fehlt", dir / "dst");
  copier.CopyTree(dir / "D", dir / "D/SCHULE");  // target inside the source
  copier.CopyTree(dir / "D", dir.path());        // target is the source
  ASSERT_EQ(copier.failures().size(), 3u);
  EXPECT_EQ(copier.failures()[0].reason, "Verzeichnis nicht gefunden");
  EXPECT_EQ(copier.failures()[1].reason, "das Ziel liegt im Quellverzeichnis");
  EXPECT_EQ(copier.failures()[2].reason, "das Ziel liegt im Quellverzeichnis");
  EXPECT_EQ(Tree(dir.path()), (Files{{"D/SCHULE/1.CSV", "eins"}}));
  EXPECT_TRUE(copier.copied().empty());
}

TEST(FileCopierTest, PatternWithoutMatchesIsNoFailureAndCreatesNothing) {
  TempDir dir;
  WriteBytes(dir / "src/ANDERS.TXT", "x");
  ScriptedUi ui;
  FileCopier copier(ui, OverwriteMode::kAsk);
  copier.CopyMatching(dir / "src", "??????ID.CSV", dir / "dst");
  copier.CopyMatching(dir / "fehlt", "*.CSV", dir / "dst");
  EXPECT_TRUE(copier.failures().empty());
  EXPECT_FALSE(fs::exists(dir / "dst"));
}

}  // namespace
}  // namespace tabulon
