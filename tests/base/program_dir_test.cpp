#include "base/program_dir.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "files/files.h"
#include "support/temp_dir.h"

namespace tabulon {
namespace {

// An installed tree: usr/bin with the executables, usr/share/tabulon with what the package ships.
struct Installed {
  TempDir root;
  fs::path bin = root / "usr/bin";
  fs::path shipped = root / "usr/share/tabulon";
  fs::path user = root / "home/.local/share/tabulon";
  Installed() {
    fs::create_directories(bin);
    WriteBytes(shipped / "SSSA.SSD", "1;Berufsschule\r\n");
    WriteBytes(shipped / "SLAND.SSD", "000;Deutschland\r\n");
    WriteBytes(shipped / "help/index.html", "<html></html>");
  }
};

TEST(ProgramDirTest, WritableBuildFolderStaysTheProgramDirectory) {
  TempDir dir;
  ProgramDirChoice c = ChooseProgramDir(dir.path(), dir / "user", InstalledDataDir(dir.path()));
  EXPECT_FALSE(c.per_user);
  EXPECT_EQ(c.program_dir, WithTrailingSeparator(dir.path()));
  EXPECT_EQ(c.help_dir, dir.path() / "help");
  EXPECT_TRUE(c.error.empty());
  EXPECT_FALSE(fs::exists(dir / "user"));
}

TEST(ProgramDirTest, InstalledProgramFillsThePerUserDirectoryWithoutOverwriting) {
  Installed t;
  WriteBytes(t.user / "SLAND.SSD", "eigene Liste");
  ProgramDirChoice c = ChooseProgramDir(t.bin, t.user, InstalledDataDir(t.bin));
  EXPECT_TRUE(c.per_user);
  EXPECT_TRUE(c.error.empty()) << c.error;
  EXPECT_EQ(c.program_dir, WithTrailingSeparator(t.user));
  EXPECT_EQ(c.help_dir, t.shipped / "help");
  EXPECT_EQ(ReadFileBytes(t.user / "SSSA.SSD"), "1;Berufsschule\r\n");
  EXPECT_EQ(ReadFileBytes(t.user / "SLAND.SSD"), "eigene Liste");
  // The help is read where it was installed, not copied.
  EXPECT_FALSE(fs::exists(t.user / "help"));
  // A second start finds everything in place and changes nothing.
  WriteBytes(t.user / "SSSA.SSD", "geändert");
  ChooseProgramDir(t.bin, t.user, InstalledDataDir(t.bin));
  EXPECT_EQ(ReadFileBytes(t.user / "SSSA.SSD"), "geändert");
}

TEST(ProgramDirTest, PerUserDirectoryThatCannotBeMadeGivesAnErrorText) {
  Installed t;
  // A file where a directory should be: fails for every user, root included.
  WriteBytes(t.root / "home/.local", "keine Mappe");
  ProgramDirChoice c = ChooseProgramDir(t.bin, t.user, InstalledDataDir(t.bin));
  EXPECT_TRUE(c.per_user);
  EXPECT_EQ(c.error.rfind("Das persönliche Programmverzeichnis kann nicht angelegt werden:\r" +
                              DisplayPath(t.user) + "\r",
                          0),
            0u)
      << c.error;
  EXPECT_NE(c.error.find("\rDas Programm arbeitet nur lesend."), std::string::npos);
}

TEST(ProgramDirTest, PerUserDirectoryFollowsXdgDataHome) {
  const char* old_xdg = std::getenv("XDG_DATA_HOME");
  const std::string saved = old_xdg ? old_xdg : "";
  ::setenv("XDG_DATA_HOME", "/srv/daten", 1);
  EXPECT_EQ(PerUserProgramDir(), fs::path("/srv/daten/tabulon"));
  ::setenv("XDG_DATA_HOME", "relativ", 1);  // not absolute: ignored, as the XDG rules say
  ::setenv("HOME", ::getenv("HOME") ? ::getenv("HOME") : "/root", 1);
  EXPECT_EQ(PerUserProgramDir(), fs::path(::getenv("HOME")) / ".local/share/tabulon");
  if (old_xdg) {
    ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
  } else {
    ::unsetenv("XDG_DATA_HOME");
  }
}

TEST(ProgramDirTest, CliOptionPWinsOverTheLookUp) {
  TempDir dir;
  int looked_up = 0;
  auto lookup = [&] {
    ++looked_up;
    return dir.path() / "anderswo";
  };
  std::ostringstream out, err;
  int status = cli::Run({"einstellungen", "-p", dir.path().string()}, lookup, out, err);
  EXPECT_EQ(status, 0) << err.str();
  EXPECT_EQ(looked_up, 0);
  EXPECT_NE(out.str().find("programmverzeichnis=" + DisplayPath(WithTrailingSeparator(dir.path())) +
                           "\n"),
            std::string::npos)
      << out.str();
  out.str("");
  status = cli::Run({"einstellungen"}, lookup, out, err);
  EXPECT_EQ(looked_up, 1);
  EXPECT_NE(out.str().find("programmverzeichnis=" +
                           DisplayPath(WithTrailingSeparator(dir.path() / "anderswo")) + "\n"),
            std::string::npos)
      << out.str();
}

}  // namespace
}  // namespace tabulon
