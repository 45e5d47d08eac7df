// A key-row table whose key file is missing is kept as stored by the command line exactly as by
// the desktop program: the set-up says which key file is missing, nothing is written.

#include "support/cli_run.h"

namespace tabulon::cli {
namespace {

TEST(KeyRowsCliTest, TableWithoutItsKeyFileIsNotSavedAndTheWarningSaysWhy) {
  testing::TempDir dir;
  testing::WriteSchoolSettings(dir.path(), "4711");
  const auto file = testing::SchoolTableFile(dir / "4711", "4711", 1);
  std::filesystem::create_directories(file.parent_path());
  const std::string stored = "ES001;ES002\r\n010;7;;;;;;;;;;;;;;\r\n";
  testing::WriteBytes(file, stored);
  const testing::CliResult r = testing::RunCli({"speichern", "schule:1"}, dir.path());
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.rfind("Warnung: Statistik-Schlüssel-Datei: Schularten/...\n", 0), 0u) << r.err;
  EXPECT_EQ(testing::ReadBytes(file), stored);
}

}  // namespace
}  // namespace tabulon::cli
