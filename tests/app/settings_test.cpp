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

// A record laid out by hand at the documented offsets, independent of the encoder.
std::string HandMadeRecord() {
  std::string r(kSettingsFileSize, '\xAA');  // padding we expect to survive a rewrite
  auto text = [&](std::size_t off, const std::string& bytes) {
    r[off] = static_cast<char>(bytes.size());
    std::memcpy(&r[off + 1], bytes.data(), bytes.size());
  };
  auto word = [&](std::size_t off, int v) {
    r[off] = static_cast<char>(v & 0xFF);
    r[off + 1] = static_cast<char>(v >> 8);
  };
  text(0, "12345");
  text(21,
       "/daten/st\xE4"
       "ndig/");  // "ständig" in Windows-1252
  word(278, 1);
  word(280, 0);
  word(282, 0);
  word(284, 0);
  word(286, 0);
  r[288] = 0;
  word(290, 0);
  word(292, 1);
  word(294, 1);
  word(296, 1);
  word(298, 7);
  word(300, 513);
  const unsigned char two[8] = {0, 0, 0, 0, 0, 0, 0, 0x40};  // 2.0
  std::memcpy(&r[304], two, 8);
  std::memcpy(&r[312], two, 8);
  text(320, "eins");
  text(576, "zwei");
  text(832, "drei");
  return r;
}

TEST(SettingsTest, WrittenDefaultRecordHasEveryFieldAtItsOffset) {
  TempDir dir;
  Settings s;
  WriteSettingsFile(dir.path(), s);
  std::string r = ReadBytes(dir / "TBEINST.DAT");
  ASSERT_EQ(r.size(), 1088u);
  EXPECT_EQ(r.substr(0, 6), std::string("\x05"
                                        "00000"));
  EXPECT_EQ(r[21], '\0');
  const std::pair<std::size_t, std::string> words[] = {
      {278, std::string("\0\0", 2)}, {280, std::string("\1\0", 2)}, {282, std::string("\1\0", 2)},
      {284, std::string("\1\0", 2)}, {286, std::string("\1\0", 2)}, {290, std::string("\1\0", 2)},
      {292, std::string("\0\0", 2)}, {294, std::string("\0\0", 2)}, {296, std::string("\0\0", 2)},
      {298, std::string("\0\0", 2)}, {300, std::string("\0\0", 2)},
  };
  for (const auto& [off, bytes] : words) EXPECT_EQ(r.substr(off, 2), bytes) << "offset " << off;
  EXPECT_EQ(r[288], '\1');
  const std::string one("\0\0\0\0\0\0\xF0\x3F", 8);  // 1.0
  EXPECT_EQ(r.substr(304, 8), one);
  EXPECT_EQ(r.substr(312, 8), one);
  for (std::size_t off : {320u, 576u, 832u}) {
    EXPECT_EQ(r.substr(off, 12), std::string("\x0B -- leer --")) << "offset " << off;
  }
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
  EXPECT_EQ(s.shrink_rows_without_data, 1);
  EXPECT_EQ(s.save_only_rows_with_data, 0);
  EXPECT_EQ(s.log_all_tests, 0);
  EXPECT_EQ(s.backup_at_start, 0);
  EXPECT_EQ(s.report_unclear_records, 0);
  EXPECT_FALSE(s.IsReadOnly());
  EXPECT_EQ(s.warn_unsuitable_access, 0);
  EXPECT_EQ(s.ask_after_calculations, 1);
  EXPECT_EQ(s.copy_with_es_row, 1);
  EXPECT_EQ(s.portable, 1);
  EXPECT_EQ(s.reserved_word1, 7);
  EXPECT_EQ(s.reserved_word2, 513);
  EXPECT_EQ(s.reserved_number1, 2.0);
  EXPECT_EQ(s.reserved_text[0], "eins");
  EXPECT_EQ(s.reserved_text[2], "drei");

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
