#include "files/files.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tabulon {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

int FilesIn(const std::filesystem::path& dir) {
  int n = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    (void)e;
    ++n;
  }
  return n;
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
                                      (dir / "a.csv").string() + "\r", 0),
                0u);
    }
    SetWriteFailureAfterBytesForTesting(-1);
    EXPECT_EQ(ReadBytes(dir / "a.csv"), "alt\r\n");
    EXPECT_EQ(FilesIn(dir.path()), 1);
  }
}

TEST(FilesTest, WritingIntoAMissingDirectoryIsAFileError) {
  TempDir dir;
  EXPECT_THROW(WriteFileAtomic(dir / "fehlt" / "a.csv", "x"), FileError);
  EXPECT_THROW(ReadFileBytes(dir / "fehlt.csv"), FileError);
}

TEST(FilesTest, SafeNameComponents) {
  for (const char* ok : {"00000", "12345", "ZIM003", "Schule Nord", "a.b"}) {
    EXPECT_TRUE(IsSafeNameComponent(ok)) << ok;
  }
  for (const char* bad : {"", ".", "..", "a/b", "a\\b", "..x", "a:b", "a<b", "a>b", "a|b", "a?b",
                          "a*b", "a\"b", "a\tb", "ab.", "ab "}) {
    EXPECT_FALSE(IsSafeNameComponent(bad)) << bad;
  }
}

}  // namespace
}  // namespace tabulon
