#include "app/clipboard.h"

#include <gtest/gtest.h>

#include <vector>

namespace tabulon {
namespace {

CopySource From(const std::vector<std::vector<std::string>>& rows, int fixed_cols, int fixed_rows) {
  CopySource s;
  s.row_count = static_cast<int>(rows.size());
  s.col_count = rows.empty() ? 0 : static_cast<int>(rows[0].size());
  s.fixed_cols = fixed_cols;
  s.fixed_rows = fixed_rows;
  s.cell = [rows](int c, int r) { return rows[r][c]; };
  return s;
}

TEST(ClipboardTest, WholeGridTrimsCellsAndSeparatesWithTabAndCarriageReturn) {
  auto g = From({{"a", " b ", ""}, {"c", "d", "e"}}, 1, 1);
  EXPECT_EQ(CopyTable(g), "a\tb\t\rc\td\te");
}

TEST(ClipboardTest, DataPartFollowsTheEsRowOption) {
  // Header row, ES row, two data rows; one label column.
  auto g = From({{"Satzart 0", "Titel 1", "Titel 2"},
                 {"Erfassungsspalte", "ES001", "ES002"},
                 {"Zeile A", "1", "\t2\x01"},
                 {"Zeile B", "", " 4"}},
                1, 1);
  struct Case {
    const char* name;
    std::string text;
    std::string expected;
  };
  const Case cases[] = {
      {"without ES row", CopyData(g, false), "1\t2\r\t4"},
      {"with ES row", CopyData(g, true), "ES001\tES002\r1\t2\r\t4"},
      {"from first row", CopyDataWithFirstRow(g), "ES001\tES002\r1\t2\r\t4"},
      {"whole", CopyTable(g),
       "Satzart 0\tTitel 1\tTitel 2\rErfassungsspalte\tES001\tES002\rZeile A\t1\t2\rZeile B\t\t4"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.text, c.expected) << c.name;
}

TEST(ClipboardTest, NoRowsGiveEmptyTextAndNonAsciiStaysIntact) {
  EXPECT_EQ(CopyData(From({{"h", "x"}, {"ES", "ES001"}}, 1, 1), false), "");
  EXPECT_EQ(CopyTable(From({}, 0, 0)), "");
  EXPECT_EQ(CopyTable(From({{" Müller ", "Öl"}}, 0, 0)), "Müller\tÖl");
}

}  // namespace
}  // namespace tabulon
