#include "tables/fields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tabulon {
namespace {

struct SplitCase {
  const char* name;
  std::string line;
  int n;
  std::vector<std::string> expected;
};

TEST(SplitFieldsTest, FollowsTheSeparatorAndQuoteRules) {
  const SplitCase cases[] = {
      {"plain", "a;b;c", 3, {"a", "b", "c"}},
      {"missing fields stay empty", "a;b", 4, {"a", "b", "", ""}},
      {"extra fields ignored", "a;b;c;d", 2, {"a", "b"}},
      {"tab separates", "a\tb;c", 3, {"a", "b", "c"}},
      {"carriage return separates", "a\rb", 2, {"a", "b"}},
      {"rest beginning with CR stops", "a;\rb", 3, {"a", "", ""}},
      {"empty fields between separators", ";;x", 3, {"", "", "x"}},
      {"trailing separator", "a;", 3, {"a", "", ""}},
      {"empty line", "", 2, {"", ""}},
      {"quote at first position is plain", "\"ab;c", 2, {"\"ab", "c"}},
      {"quote later ends field, next char dropped", "ab\"cd;e", 3, {"ab\"", "d", "e"}},
      {"quote cannot protect a separator", "\"a;b\";c", 3, {"\"a", "b\"", "c"}},
      {"quote as last char", "ab\"", 2, {"ab\"", ""}},
      {"quote right before separator drops the separator", "a\";b;c", 3, {"a\"", "b", "c"}},
      {"blanks are kept", " a ; b ", 2, {" a ", " b "}},
      {"zero fields", "a;b", 0, {}},
      {"NUL byte is an ordinary character",
       std::string("a\0b;c", 5),
       2,
       {std::string("a\0b", 3), "c"}},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SplitFields(c.line, c.n), c.expected);
  }
}

TEST(SplitFieldsTest, NextFieldShortensTheRest) {
  std::string_view rest = "eins;zwei\tdrei";
  EXPECT_EQ(NextField(rest), "eins");
  EXPECT_EQ(rest, "zwei\tdrei");
  EXPECT_EQ(NextField(rest), "zwei");
  EXPECT_EQ(NextField(rest), "drei");
  EXPECT_EQ(rest, "");
  EXPECT_EQ(NextField(rest), "");
}

TEST(SplitLinesTest, SplitsAtLineFeedsAndDropsOneCarriageReturn) {
  struct Case {
    std::string bytes;
    std::vector<std::string_view> expected;
  } cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\r\nb", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"\r\n\r\n", {"", ""}},
      {"", {}},
      {"a\rb\r\n", {"a\rb"}},
      {"a\r\r\n", {"a\r"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(SplitLines(c.bytes), c.expected);
  }
}

}  // namespace
}  // namespace tabulon
