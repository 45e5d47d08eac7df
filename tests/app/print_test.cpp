#include "app/print.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>

#include "app/pdf.h"
#include "support/temp_dir.h"
#include "text/encoding.h"

namespace tabulon {
namespace {

// A free-row table: header row, ES row, `rows` data rows, `cols` data columns, one label column.
Grid Table(int cols, int rows) {
  Grid g(cols + 1, rows + 2);
  g.SetFixedRows(1);
  g.SetFixedCols(1);
  g.SetCell(0, 0, "Satzart 2");
  g.SetCell(0, 1, "Erfassungsspalte");
  for (int c = 1; c <= cols; ++c) {
    g.SetCell(c, 0, "Anzahl Schüler Spalte " + std::to_string(c));
    char code[8];
    std::snprintf(code, sizeof code, "ES%03d", c);
    g.SetCell(c, 1, code);
    for (int r = 2; r < rows + 2; ++r) g.SetCell(c, r, std::to_string(c * 1000 + r));
  }
  for (int r = 2; r < rows + 2; ++r) g.SetCell(0, r, "Zeile " + std::to_string(r));
  return g;
}

std::vector<std::string> Texts(const PrintPage& page) {
  std::vector<std::string> out;
  for (const PrintText& t : page.texts) out.push_back(t.text);
  return out;
}

bool Has(const std::vector<std::string>& texts, const std::string& t) {
  return std::find(texts.begin(), texts.end(), t) != texts.end();
}

const TablePrintHeading kHeading{"Schul-Tabelle 2 (Schule: Tabelle 2)", "12345", "", "07.12.2026"};

TEST(PrintTest, WideAndLongTableRepeatsHeadersAndLabelsAndPrintsEveryCellOnce) {
  const Grid g = Table(30, 80);
  const PrintDocument doc = LayoutTable(g, kHeading);
  ASSERT_GT(doc.pages.size(), 2u);
  EXPECT_GT(doc.width, doc.height);
  std::multiset<std::string> values;
  std::set<std::string> labels_seen;
  for (std::size_t i = 0; i < doc.pages.size(); ++i) {
    const std::vector<std::string> texts = Texts(doc.pages[i]);
    EXPECT_EQ(texts[0], kHeading.title);
    EXPECT_EQ(texts[1].rfind("DST-Nr.: 12345   Datum: 07.12.2026   Spaltenteil ", 0), 0u)
        << texts[1];
    EXPECT_TRUE(Has(texts, "Satzart 2")) << "Seite " << i + 1;  // the header row
    EXPECT_TRUE(
        Has(texts, "Seite " + std::to_string(i + 1) + " von " + std::to_string(doc.pages.size())));
    for (const std::string& t : texts) {
      if (!t.empty() && std::isdigit(static_cast<unsigned char>(t[0])) && t.size() >= 4)
        values.insert(t);
      if (t.rfind("Zeile ", 0) == 0) labels_seen.insert(t);
    }
    // Nothing beyond the paper's right margin.
    for (const PrintText& t : doc.pages[i].texts) {
      EXPECT_LE(t.x + text::CharCount(t.text) * t.size * kCharWidth, doc.width - 36 + 0.01)
          << t.text;
    }
  }
  for (int c = 1; c <= 30; ++c) {
    for (int r = 2; r < 82; ++r) {
      EXPECT_EQ(values.count(std::to_string(c * 1000 + r)), 1u) << c << "/" << r;
    }
  }
  EXPECT_EQ(labels_seen.size(), 80u);
}

TEST(PrintTest, TrailingEmptyFreeRowsAreLeftOutAndClassShown) {
  Grid g = Table(2, 3);
  g.SetRowCount(20);
  g.SetCell(2, 2, "");
  TablePrintHeading h = kHeading;
  h.class_id = "ZIM003";
  const PrintDocument doc = LayoutTable(g, h);
  ASSERT_EQ(doc.pages.size(), 1u);
  const std::vector<std::string> texts = Texts(doc.pages[0]);
  EXPECT_EQ(texts[1], "DST-Nr.: 12345   Klasse: ZIM003   Datum: 07.12.2026");
  EXPECT_TRUE(Has(texts, "Zeile 4"));
  // Lines: one under the title block, one under the header, one per row printed (ES row + 3).
  int horizontal = 0;
  for (const PrintLine& l : doc.pages[0].lines) horizontal += l.y1 == l.y2 ? 1 : 0;
  EXPECT_EQ(horizontal, 2 + 4);
}

TEST(PrintTest, ProtocolListsLinesVerdictAndFindingsOverPages) {
  ErrorProtocol p;
  p.caption = "Schul-Tabelle 2: interne PLAUSI";
  p.verdict_label = "Ergebnis:";
  p.verdict = "Test nicht bestanden!";
  for (int i = 1; i <= 70; ++i) {
    p.lines.push_back({i, ProtocolLineKind::kFailed, "Fehler Nummer " + std::to_string(i)});
  }
  const std::vector<FindingPlace> places{{7, 3, 4, "ES003", "Zeile 4"}, {9, -1, -1, "", ""}};
  const PrintDocument doc = ProtocolDocument(p, places);
  ASSERT_EQ(doc.pages.size(), 2u);
  EXPECT_LT(doc.width, doc.height);  // portrait
  std::vector<std::string> all;
  for (const PrintPage& page : doc.pages) {
    const std::vector<std::string> texts = Texts(page);
    EXPECT_EQ(texts[0], p.caption);
    all.insert(all.end(), texts.begin(), texts.end());
  }
  EXPECT_TRUE(Has(all, "Fehler Nummer 1"));
  EXPECT_TRUE(Has(all, "Fehler Nummer 70"));
  EXPECT_TRUE(Has(all, "Ergebnis: Test nicht bestanden!"));
  EXPECT_TRUE(Has(all, "[7]  Spalte: ES003  |  Zeile 4"));
  EXPECT_TRUE(Has(all, "[9]  (betrifft keine einzelne Zelle)"));
}

// Runs a tool of poppler-utils; the output, or nothing when the tool is missing.
std::optional<std::string> Shell(const std::string& command) {
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return std::nullopt;
  std::string out;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
  if (::pclose(pipe) != 0) return std::nullopt;
  return out;
}

TEST(PdfTest, PdfReadsBackWithTitleHeadersOnEveryPageAndEveryValue) {
  if (!Shell("command -v pdftotext")) GTEST_SKIP() << "pdftotext fehlt (poppler-utils)";
  Grid g = Table(25, 60);
  g.SetCell(1, 2, "Größe (m) \\ 5");
  const PrintDocument doc = LayoutTable(g, kHeading);
  testing::TempDir dir;
  const std::string pdf = PdfBytes(doc);
  std::ofstream(dir / "t.pdf", std::ios::binary) << pdf;
  std::optional<std::string> text = Shell("pdftotext -layout " + (dir / "t.pdf").string() + " -");
  ASSERT_TRUE(text.has_value());
  std::vector<std::string> pages;
  std::stringstream ss(*text);
  std::string page;
  while (std::getline(ss, page, '\f')) {
    if (!page.empty()) pages.push_back(page);
  }
  ASSERT_EQ(pages.size(), doc.pages.size());
  for (const std::string& p : pages) {
    EXPECT_NE(p.find(kHeading.title), std::string::npos);
    EXPECT_NE(p.find("Satzart"), std::string::npos);
    EXPECT_NE(p.find("Anzahl"), std::string::npos);
  }
  EXPECT_NE(text->find("Größe (m) \\ 5"), std::string::npos);
  for (int c = 1; c <= 25; ++c) {
    for (int r = 2; r < 62; ++r) {
      if (c == 1 && r == 2) continue;
      EXPECT_NE(text->find(std::to_string(c * 1000 + r)), std::string::npos) << c << "/" << r;
    }
  }
  // A valid cross-reference table: pdfinfo counts the pages.
  std::optional<std::string> info = Shell("pdfinfo " + (dir / "t.pdf").string());
  ASSERT_TRUE(info.has_value());
  EXPECT_NE(info->find("Pages:"), std::string::npos);
  EXPECT_NE(info->find(" " + std::to_string(doc.pages.size()) + "\n"), std::string::npos) << *info;
}

}  // namespace
}  // namespace tabulon
