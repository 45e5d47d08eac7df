#include "text/encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace tabulon::text {
namespace {

struct KnownBytes {
  const char* utf8;
  const char* cp850;
  const char* cp1252;
};

TEST(EncodingTest, KnownCharactersHaveTheirBytes) {
  const KnownBytes cases[] = {
      {"ä", "\x84", "\xE4"}, {"ö", "\x94", "\xF6"},
      {"ü", "\x81", "\xFC"}, {"Ä", "\x8E", "\xC4"},
      {"Ö", "\x99", "\xD6"}, {"Ü", "\x9A", "\xDC"},
      {"ß", "\xE1", "\xDF"}, {"é", "\x82", "\xE9"},
      {"§", "\xF5", "\xA7"}, {"abc;123", "abc;123", "abc;123"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(Utf8ToCp850(c.utf8), c.cp850);
    EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252);
    EXPECT_EQ(Cp850ToUtf8(c.cp850), c.utf8);
    EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8);
  }
}

TEST(EncodingTest, UnmappableCharactersBecomeQuestionMarks) {
  // The euro sign exists in Windows-1252 (0x80) but not in IBM 850; Greek exists in neither.
  EXPECT_EQ(Utf8ToCp850("5 €"), "5 ?");
  EXPECT_EQ(Utf8ToCp1252("5 €"), "5 \x80");
  EXPECT_EQ(Utf8ToCp850("αβ"), "??");
  EXPECT_EQ(Utf8ToCp1252("Straße α"),
            "Stra\xDF"
            "e ?");
  EXPECT_FALSE(FitsCp850("€"));
  EXPECT_TRUE(FitsCp1252("€"));
  EXPECT_TRUE(FitsCp850("Müller-Lüdenscheidt"));
  EXPECT_FALSE(FitsCp1252("日本"));
}

TEST(EncodingTest, UnassignedWindows1252BytesSurviveARoundTrip) {
  // Windows itself reads the five unassigned bytes as the C1 controls of the same value; so do
  // we, so that a file written back keeps them.
  const std::string bytes(
      "a\x81"
      "b\x8D\x8F\x90\x9D",
      7);
  EXPECT_EQ(Cp1252ToUtf8(bytes), "a\u0081b\u008D\u008F\u0090\u009D");
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(bytes)), bytes);
}

TEST(EncodingTest, EveryWindows1252CharacterThatIbm850HoldsRoundTrips) {
  int shared = 0;
  for (int b = 0; b < 256; ++b) {
    std::string byte(1, static_cast<char>(b));
    std::string utf8 = Cp1252ToUtf8(byte);
    ASSERT_EQ(Utf8ToCp1252(utf8), byte) << "byte " << b;
    if (!FitsCp850(utf8)) continue;
    ++shared;
    std::string oem = Utf8ToCp850(utf8);
    ASSERT_EQ(oem.size(), 1u) << "byte " << b;
    EXPECT_EQ(Cp850ToUtf8(oem), utf8) << "byte " << b;
  }
  // All of ASCII and the Latin-1 letters, signs and symbols that the OEM page also carries.
  EXPECT_GT(shared, 200);
}

TEST(EncodingTest, EveryIbm850ByteReadsAsOneCharacterAndBack) {
  for (int b = 0; b < 256; ++b) {
    std::string byte(1, static_cast<char>(b));
    std::string utf8 = Cp850ToUtf8(byte);
    EXPECT_EQ(CharCount(utf8), 1u) << "byte " << b;
    EXPECT_EQ(Utf8ToCp850(utf8), byte) << "byte " << b;
  }
}

TEST(EncodingTest, CountsAndCutsCharactersNotBytes) {
  EXPECT_EQ(CharCount(""), 0u);
  EXPECT_EQ(CharCount("Größe"), 5u);
  EXPECT_EQ(CutChars("Größenänderung", 4), "Größ");
  EXPECT_EQ(CutChars("ab", 5), "ab");
  EXPECT_EQ(CutChars("äöü", 0), "");
  // A broken sequence counts one per byte and is never split further.
  EXPECT_EQ(CharCount(std::string("a\xC3", 2)), 2u);
}

TEST(EncodingTest, ComparesInWindows1252ByteOrder) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  };
  const Case cases[] = {
      {"abc", "abc", 0}, {"abc", "abd", -1},
      {"ab", "abc", -1}, {"Z", "a", -1},  // upper case before lower case
      {"z", "ä", -1},                     // 0x7A < 0xE4
      {"Ä", "ä", -1},                     // 0xC4 < 0xE4
      {"€", "A", 1},                      // 0x80 > 0x41
      {"ß", "ä", -1},                     // 0xDF < 0xE4
      {"", "0", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
    int r = CompareCp1252(c.a, c.b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign);
    int back = CompareCp1252(c.b, c.a);
    EXPECT_EQ((back > 0) - (back < 0), -c.sign);
  }
}

// Control characters read the same whether or not the text also holds an umlaut, and every byte
// survives reading and writing in both code pages.
TEST(EncodingTest, ControlCharactersDoNotDependOnTheRestOfTheText) {
  for (char c : {'\x1a', '\x1c', '\x7f'}) {
    const std::string alone(1, c);
    EXPECT_EQ(Cp850ToUtf8(alone + "\x84"), alone + "ä");
    EXPECT_EQ(Utf8ToCp850(alone + "ä"), alone + "\x84");
    EXPECT_EQ(Cp1252ToUtf8(alone + "\xe4"), alone + "ä");
  }
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(Utf8ToCp850(Cp850ToUtf8(all)), all);
}

}  // namespace
}  // namespace tabulon::text
