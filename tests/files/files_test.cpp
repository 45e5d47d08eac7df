#include "files/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <iterator>

#include "support/temp_dir.h"

namespace tabulon {
namespace {

std::ptrdiff_t FilesIn(const std::filesystem::path& dir) {
  return std::distance(std::filesystem::directory_iterator(dir),
                       std::filesystem::directory_iterator());
}

TEST(FilesTest, AtomicWriteReplacesTheWholeFile) {
  TempDir dir;
  WriteBytes(dir / "a.csv", std::string(5000, 'x'));
  WriteFileAtomic(dir / "a.csv", "neu\r\n");
  EXPECT_EQ(ReadBytes(dir / "a.csv"), "neu\r\n");
  EXPECT_EQ(FilesIn(dir.path()), 1);
}

TEST(FilesTest, AtomicWriteThatFailsHalfwayKeepsTheOldBytes) {
  for (long long after : {0LL, 1LL, 4000LL}) {
    SCOPED_TRACE(after);
    TempDir dir;
    WriteBytes(dir / "a.csv", "alt\r\n");
    SetWriteFailureAfterBytesForTesting(after);
    try {
      WriteFileAtomic(dir / "a.csv", std::string(8000, 'n'));
      ADD_FAILURE() << "no error reported";
    } catch (const FileError& e) {
      EXPECT_EQ(e.path(), dir / "a.csv");
      EXPECT_EQ(e.Message().rfind("Ein-/Ausgabefehler beim Schreiben der Datei:\r" +
                                      (dir / "a.csv").string() + "\r",
                                  0),
                0u);
    }
    SetWriteFailureAfterBytesForTesting(-1);
    EXPECT_EQ(ReadBytes(dir / "a.csv"), "alt\r\n");
    EXPECT_EQ(FilesIn(dir.path()), 1);
  }
}

TEST(FilesTest, SafeNameComponents) {
  for (const char* ok : {"00000", "12345", "ZIM003", "Schule Nord", "a.b", "CONS", "NULL", "COM",
                         "COM10", "LPT", "XCON", "AUX1", "CON1", "PRNX.txt", "1CON"}) {
    EXPECT_TRUE(IsSafeNameComponent(ok)) << ok;
  }
  for (const char* bad :
       {"", ".", "..", "a/b", "a\\b", "..x", "a:b", "a<b", "a>b", "a|b", "a?b", "a*b", "a\"b",
        "a\tb", "ab.", "ab ",
        // Windows opens these as devices in every directory, whatever follows
        // the first dot.
        "CON", "con", "Prn", "AUX", "NUL", "nul.txt", "NUL.tar.gz", "COM1", "com9", "COM0", "LPT1",
        "lpt5.csv", "LPT9", "CON .txt", "CONIN$", "conout$", "COM\xC2\xB9", "LPT\xC2\xB3.x"}) {
    EXPECT_FALSE(IsSafeNameComponent(bad)) << bad;
  }
}

TEST(FilesTest, CommonFailuresHaveGermanReasons) {
  const std::pair<int, const char*> kReasons[] = {
      {EACCES, "keine Zugriffsberechtigung"},
      {EPERM, "keine Zugriffsberechtigung"},
      {ENOSPC, "der Datenträger ist voll"},
      {EROFS, "der Datenträger ist schreibgeschützt"},
      {ENOENT, "Datei oder Verzeichnis nicht vorhanden"},
      {EISDIR, "ist ein Verzeichnis"},
  };
  for (const auto& [err, text] : kReasons) {
    EXPECT_EQ(SystemReason(err), text) << err;
    EXPECT_EQ(SystemReason(std::error_code(err, std::generic_category())), text) << err;
  }
  // Anything rarer keeps the system's words, with its number.
  EXPECT_EQ(SystemReason(EDOM).rfind("Systemfehler " + std::to_string(EDOM) + " (", 0), 0u);

  TempDir dir;
  try {
    WriteFileAtomic(dir / "fehlt" / "a.csv", "x");
    ADD_FAILURE() << "no error reported";
  } catch (const FileError& e) {
    EXPECT_EQ(e.Message(), "Ein-/Ausgabefehler beim Schreiben der Datei:\r" +
                               (dir / "fehlt" / "a.csv").string() +
                               "\rDatei oder Verzeichnis nicht vorhanden");
  }
  EXPECT_THROW(ReadFileBytes(dir / "fehlt.csv"), FileError);
  // A full disk, as the test hook makes it.
  SetWriteFailureAfterBytesForTesting(0);
  try {
    WriteFileAtomic(dir / "a.csv", "x");
    ADD_FAILURE() << "no error reported";
  } catch (const FileError& e) {
    EXPECT_EQ(e.reason(), "der Datenträger ist voll");
  }
  SetWriteFailureAfterBytesForTesting(-1);
}

// A pipe under a file's name would block an open or read for ever; a directory is no data either.
TEST(FilesTest, OnlyRegularFilesAreReadOrReplaced) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "pipe.CSV").c_str(), 0666), 0);
  std::filesystem::create_directory(dir / "ordner.CSV");
  for (const char* name : {"pipe.CSV", "ordner.CSV"}) {
    SCOPED_TRACE(name);
    try {
      ReadFileBytes(dir / name);
      ADD_FAILURE() << "no error reported";
    } catch (const FileError& e) {
      EXPECT_EQ(e.Message(),
                "Ein-/Ausgabefehler beim Lesen der Datei:\r" + (dir / name).string() +
                    "\rkeine gewöhnliche Datei (z. B. ein Verzeichnis oder eine Pipe)");
    }
    EXPECT_THROW(WriteFileAtomic(dir / name, "neu"), FileError);
  }
  EXPECT_TRUE(std::filesystem::is_fifo(dir / "pipe.CSV"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "ordner.CSV"));
  EXPECT_EQ(FilesIn(dir.path()), 2);
}

TEST(FilesTest, TemporaryFileNames) {
  for (const char* ours : {"1234501.CSV.tmp123-45", "a.tmp1-0", "TBEINST.DAT.tmp4194304-999999"}) {
    EXPECT_TRUE(IsOwnTempFileName(ours)) << ours;
  }
  for (const char* other : {"1234501.CSV", ".tmp1-2", "a.tmp", "a.tmp12", "a.tmp12-", "a.tmp-3",
                            "a.tmp1-2x", "a.tmpx-2", "a.TMP1-2", "a.tmp1-2.CSV", "tmp1-2"}) {
    EXPECT_FALSE(IsOwnTempFileName(other)) << other;
  }
}

// What a killed save left behind goes when the directory is next written; nothing else does, and
// nothing that a running save may still be writing.
TEST(FilesTest, StaleTemporaryFilesAreRemovedWhenTheDirectoryIsNextWritten) {
  TempDir dir;
  const std::string own = std::to_string(::getpid());
  const std::string gone = "99999999";  // beyond any process number
  struct Case {
    std::string name;
    bool old;
    bool stays;
  };
  const Case kCases[] = {
      {"1234501.CSV.tmp" + gone + "-17", true, false},  // writer killed long ago
      {"1234502.CSV.tmp" + gone + "-18", false, true},  // written to a moment ago
      {"1234503.CSV.tmp" + own + "-19", true, true},    // this process is alive
      {"1234504.CSV.tmp1-20", true, true},              // a living process, within a day
      {"1234505.CSV.tmp" + gone, true, true},           // not our pattern
      {"notizen.tmp", true, true},
      {"1234506.CSV", true, true},
  };
  const auto two_minutes_ago =
      std::filesystem::file_time_type::clock::now() - std::chrono::minutes(2);
  for (const Case& c : kCases) {
    WriteBytes(dir / c.name, "halb");
    if (c.old) std::filesystem::last_write_time(dir / c.name, two_minutes_ago);
  }
  const auto two_days_ago = std::filesystem::file_time_type::clock::now() - std::chrono::hours(48);
  WriteBytes(dir / "1234507.CSV.tmp1-21", "uralt");  // a day old: whoever wrote it is done
  std::filesystem::last_write_time(dir / "1234507.CSV.tmp1-21", two_days_ago);

  WriteFileAtomic(dir / "1234501.CSV", "neu");
  for (const Case& c : kCases) EXPECT_EQ(std::filesystem::exists(dir / c.name), c.stays) << c.name;
  EXPECT_FALSE(std::filesystem::exists(dir / "1234507.CSV.tmp1-21"));
  EXPECT_EQ(ReadBytes(dir / "1234501.CSV"), "neu");
}

TEST(FilesTest, DirectoriesAreCreatedOneLevelOnly) {
  TempDir dir;
  std::string reason;
  EXPECT_FALSE(CreateOneDirectory(dir / "stick" / "daten" / "12345", &reason));
  EXPECT_EQ(reason, "Datei oder Verzeichnis nicht vorhanden");
  EXPECT_FALSE(std::filesystem::exists(dir / "stick"));
  EXPECT_TRUE(CreateOneDirectory(dir / "stick"));
  EXPECT_TRUE(CreateOneDirectory(dir / "stick"));  // already there
  EXPECT_TRUE(CreateOneDirectory(dir.path() / "stick" / "daten" / ""));
  WriteBytes(dir / "datei", "x");
  EXPECT_FALSE(CreateOneDirectory(dir / "datei", &reason));
  EXPECT_EQ(reason, "am Ort liegt eine Datei");

  EXPECT_EQ(CheckDirectory(dir / "stick"), DirectoryState::kDirectory);
  EXPECT_EQ(CheckDirectory(dir / "fehlt", &reason), DirectoryState::kMissing);
  EXPECT_EQ(CheckDirectory(dir / "datei", &reason), DirectoryState::kNotADirectory);
  EXPECT_EQ(CheckDirectory(dir / "datei" / "x", &reason), DirectoryState::kNotADirectory);
}

TEST(FilesTest, RemovingLeavesDirectoriesAloneAndSaysWhy) {
  TempDir dir;
  std::filesystem::create_directory(dir / "ordner");
  std::string reason;
  EXPECT_FALSE(RemoveRegularFile(dir / "ordner", &reason));
  EXPECT_EQ(reason, "ist ein Verzeichnis");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "ordner"));
  WriteBytes(dir / "a", "x");
  SetRemoveFailureForTesting(EACCES);
  EXPECT_FALSE(RemoveRegularFile(dir / "a", &reason));
  SetRemoveFailureForTesting(0);
  EXPECT_EQ(reason, "keine Zugriffsberechtigung");
  EXPECT_TRUE(RemoveRegularFile(dir / "a", &reason));
  EXPECT_FALSE(std::filesystem::exists(dir / "a"));
}

}  // namespace
}  // namespace tabulon
