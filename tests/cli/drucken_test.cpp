
#include <cstdio>
#include <filesystem>

#include "files/files.h"
#include "support/cli_run.h"

namespace tabulon::cli {
namespace {

std::string PdfText(const fs::path& pdf) {
  FILE* pipe = ::popen(("pdftotext -layout '" + pdf.string() + "' - 2>/dev/null").c_str(), "r");
  std::string out;
  if (pipe == nullptr) return out;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
  ::pclose(pipe);
  return out;
}

struct DruckenTest : ::testing::Test {
  DruckenTest() { fs::copy_file(fs::path(TABULON_SOURCE_DIR) / "data/SSSA.SSD", dir / "SSSA.SSD"); }
  TempDir dir;
};

TEST_F(DruckenTest, TableAndProtocolBecomePdfFiles) {
  const fs::path table = dir / "tabelle.pdf";
  testing::CliResult r = RunCli({"drucken", "schule:1", "--pdf", table.string()}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string bytes = ReadFileBytes(table);
  EXPECT_EQ(bytes.rfind("%PDF-1.4\n", 0), 0u);
  EXPECT_EQ(bytes.substr(bytes.size() - 6), "%%EOF\n");

  const fs::path protocol = dir / "protokoll.pdf";
  r = RunCli({"drucken", "pruefen:schule:1", "--pdf", protocol.string()}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "pdftotext fehlt (poppler-utils)";
  }
  const std::string table_text = PdfText(table);
  EXPECT_NE(table_text.find("Schul-Tabelle 1"), std::string::npos) << table_text;
  EXPECT_NE(table_text.find("DST-Nr.: 00000"), std::string::npos);
  EXPECT_NE(table_text.find("ES001"), std::string::npos);
  const std::string protocol_text = PdfText(protocol);
  EXPECT_NE(protocol_text.find("Ergebnis: "), std::string::npos) << protocol_text;
}

TEST_F(DruckenTest, MissingPdfOptionOrUnwritableFileIsAnError) {
  testing::CliResult r = RunCli({"drucken", "schule:1"}, dir.path());
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Fehler: drucken erwartet --pdf DATEI\n");
  const fs::path nowhere = dir / "fehlt" / "x.pdf";
  r = RunCli({"drucken", "schule:1", "--pdf", nowhere.string()}, dir.path());
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("Fehler: Ein-/Ausgabefehler"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(nowhere));
  r = RunCli({"anzeigen", "schule:1", "--pdf", "x.pdf"}, dir.path());
  EXPECT_EQ(r.status, 2);
}

}  // namespace
}  // namespace tabulon::cli
