#include "base/settings.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/data_paths.h"
#include "files/files.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "text/encoding.h"

namespace tabulon {
namespace {

// A record laid out by hand at the documented offsets, independent of the encoder: texts with
// their length byte in front, words little-endian at 278 to 300 around the read-only byte at 288,
// the two reserved numbers as doubles, `pad` in every byte no field covers.
std::string Record(const std::string& dst_nr, const std::string& dir, std::array<int, 11> words,
                   char read_only, double number, const std::array<std::string, 3>& texts,
                   char pad) {
  std::string r(kSettingsFileSize, pad);
  auto text = [&](std::size_t off, const std::string& bytes) {
    r[off] = static_cast<char>(bytes.size());
    std::memcpy(&r[off + 1], bytes.data(), bytes.size());
  };
  text(0, dst_nr);
  text(21, dir);
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::size_t off = 278 + 2 * (i < 5 ? i : i + 1);
    r[off] = static_cast<char>(words[i] & 0xFF);
    r[off + 1] = static_cast<char>(words[i] >> 8);
  }
  r[288] = read_only;
  std::memcpy(&r[304], &number, 8);
  std::memcpy(&r[312], &number, 8);
  text(320, texts[0]);
  text(576, texts[1]);
  text(832, texts[2]);
  return r;
}

std::string HandMadeRecord() {
  // "ständig" in Windows-1252; the padding must survive a rewrite.
  return Record("12345", "/daten/st\xE4ndig/", {1, 0, 0, 0, 0, 0, 1, 1, 1, 7, 513}, 0, 2.0,
                {"eins", "zwei", "drei"}, '\xAA');
}

TEST(SettingsTest, WrittenDefaultRecordHasEveryFieldAtItsOffset) {
  TempDir dir;
  Settings s;
  WriteSettingsFile(dir.path(), s);
  EXPECT_EQ(ReadBytes(dir / "TBEINST.DAT"),
            Record("00000", "", {0, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0}, 1, 1.0,
                   {" -- leer --", " -- leer --", " -- leer --"}, '\0'));
}

TEST(SettingsTest, HandMadeRecordReadsBackAndRewritesIdentically) {
  TempDir dir;
  const std::string record = HandMadeRecord();
  WriteBytes(dir / "TBEINST.DAT", record);
  ScriptedUi ui;
  Settings s;
  ReadSettingsFile(dir.path(), s, ui);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(s.dst_nr, "12345");
  EXPECT_EQ(s.data_base_dir, "/daten/ständig/");
  EXPECT_EQ((std::vector<int>{s.shrink_rows_without_data, s.save_only_rows_with_data,
                              s.log_all_tests, s.backup_at_start, s.report_unclear_records,
                              s.read_only, s.warn_unsuitable_access, s.ask_after_calculations,
                              s.copy_with_es_row, s.portable, s.reserved_word1, s.reserved_word2}),
            (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 1, 1, 1, 7, 513}));
  EXPECT_EQ(s.reserved_number1, 2.0);
  EXPECT_EQ(s.reserved_text, (std::array<std::string, 3>{"eins", "zwei", "drei"}));

  // Written back unchanged, the padding bytes included.
  WriteSettingsFile(dir.path(), s);
  EXPECT_EQ(ReadBytes(dir / "TBEINST.DAT"), record);
}

TEST(SettingsTest, FileOfWrongSizeIsDeletedWithTheMessageAndDefaultsHold) {
  for (std::size_t size : {0u, 1u, 1087u, 1089u, 100000u}) {
    SCOPED_TRACE(size);
    TempDir dir;
    std::string bytes = HandMadeRecord();
    bytes.resize(size, '\0');
    WriteBytes(dir / "TBEINST.DAT", bytes);
    ScriptedUi ui;
    Settings s;
    s.dst_nr = "vorher";
    ReadSettingsFile(dir.path(), s, ui);
    EXPECT_FALSE(std::filesystem::exists(dir / "TBEINST.DAT"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::kInformation);
    EXPECT_EQ(ui.messages[0].text, "Die Einstellungsdatei:\r" + (dir / "TBEINST.DAT").string() +
                                       "\rist zu alt oder fehlerhaft!\r\rDatei wurde gelöscht!\r"
                                       "Prüfen Sie bitte sofort die Programm-Einstellungen!");
    EXPECT_EQ(s.dst_nr, "00000");
    EXPECT_TRUE(s.IsReadOnly());
  }
}

TEST(SettingsTest, OversizedLengthBytesAndBadBytesAreHarmless) {
  TempDir dir;
  std::string record = HandMadeRecord();
  record[0] = '\xFF';  // claims 255 characters in a field of 20
  record[21] = '\x03';
  record[22] = '\x81';  // not a Windows-1252 character
  record[23] = '\x9D';
  record[24] = 'x';
  record[288] = '\x7F';  // any read-only byte but 0 means read-only
  WriteBytes(dir / "TBEINST.DAT", record);
  ScriptedUi ui;
  Settings s;
  ReadSettingsFile(dir.path(), s, ui);
  EXPECT_EQ(s.dst_nr.substr(0, 5), "12345");
  EXPECT_EQ(text::CharCount(s.dst_nr), 20u);
  EXPECT_EQ(s.data_base_dir, "\u0081\u009Dx");
  EXPECT_TRUE(s.IsReadOnly());
}

TEST(SettingsTest, WritingCutsDstNrAndDirectory) {
  TempDir dir;
  Settings s;
  s.dst_nr = "123456789012345678901234";
  s.data_base_dir = std::string(300, 'd');
  WriteSettingsFile(dir.path(), s);
  std::string r = ReadBytes(dir / "TBEINST.DAT");
  EXPECT_EQ(r.substr(0, 21),
            "\x14"
            "12345678901234567890");
  EXPECT_EQ(static_cast<unsigned char>(r[21]), 255u);
  EXPECT_EQ(s.dst_nr, "12345678901234567890");
  EXPECT_EQ(s.data_base_dir.size(), 255u);
}

TEST(SettingsTest, WritingKeepsBytesBeyondTheRecord) {
  TempDir dir;
  WriteBytes(dir / "TBEINST.DAT", std::string(2000, 'z'));
  Settings s;
  WriteSettingsFile(dir.path(), s);
  std::string r = ReadBytes(dir / "TBEINST.DAT");
  ASSERT_EQ(r.size(), 2000u);
  EXPECT_EQ(r.substr(1088), std::string(912, 'z'));
  EXPECT_EQ(r.substr(0, 6),
            "\x05"
            "00000");
}

TEST(SettingsTest, FailedWriteLeavesTheOldFileAndReports) {
  TempDir dir;
  const std::string record = HandMadeRecord();
  WriteBytes(dir / "TBEINST.DAT", record);
  Settings s;
  s.dst_nr = "99999";
  SetWriteFailureAfterBytesForTesting(100);
  EXPECT_THROW(WriteSettingsFile(dir.path(), s), FileError);
  SetWriteFailureAfterBytesForTesting(-1);
  EXPECT_EQ(ReadBytes(dir / "TBEINST.DAT"), record);
}

TEST(SettingsTest, ReloadReadsAFileOfAnySizeWithoutDeletingIt) {
  TempDir dir;
  std::string record = HandMadeRecord();
  WriteBytes(dir / "TBEINST.DAT", record.substr(0, 30));
  Settings s;
  ReloadSettings(dir.path(), s);
  EXPECT_EQ(s.dst_nr, "12345");
  EXPECT_EQ(s.save_only_rows_with_data, 1);  // beyond the short file: the default
  EXPECT_TRUE(std::filesystem::exists(dir / "TBEINST.DAT"));
}

TEST(SettingsTest, DirectoryTextGetsOneTrailingSeparator) {
  EXPECT_EQ(DirectoryTextWithSeparator("/daten"), "/daten/");
  EXPECT_EQ(DirectoryTextWithSeparator("/"), "/");
  EXPECT_EQ(DirectoryTextWithSeparator("/daten/"), "/daten/");
  EXPECT_EQ(DirectoryTextWithSeparator(std::string(255, 'a')).size(), 255u);
}

TEST(DataPathsTest, PortableAndEmptyDirectoryMeanTheProgramDirectory) {
  Settings s;
  s.dst_nr = "4711";
  s.data_base_dir = "/mnt/daten/";
  EXPECT_EQ(FormDataPaths(s, "/opt/tabulon").school_data_dir, "/mnt/daten/4711/");
  s.portable = 1;
  EXPECT_EQ(FormDataPaths(s, "/opt/tabulon").school_data_dir, "/opt/tabulon/4711/");
  s.portable = 0;
  s.data_base_dir = "";
  EXPECT_EQ(FormDataPaths(s, "/opt/tabulon/").data_base_dir, "/opt/tabulon/");
  s.data_base_dir = "/mnt/ohne";
  EXPECT_EQ(FormDataPaths(s, "/opt/tabulon").data_base_dir, "/mnt/ohne/");
}

}  // namespace
}  // namespace tabulon
