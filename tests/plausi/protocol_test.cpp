#include "plausi/protocol.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace tabulon {
namespace {

using C = ProtocolColour;
using K = ProtocolLineKind;

struct Line {
  std::string text;
  C colour;
  bool operator==(const Line&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Line& l) {
  return os << "{\"" << l.text << "\", " << static_cast<int>(l.colour) << "}";
}

std::vector<Line> Lines(const ErrorProtocol& p) {
  std::vector<Line> out;
  for (const ProtocolLine& l : p.lines) out.push_back({l.text, l.colour});
  return out;
}

struct Flag {
  int number;
  bool tested;
  bool failed;
  bool hint = false;
};

ErrorFlags Flags(std::initializer_list<Flag> list) {
  ErrorFlags f;
  for (const Flag& x : list) {
    f.tested[x.number] = x.tested;
    f.failed[x.number] = x.failed;
    f.hint[x.number] = x.hint;
  }
  return f;
}

// The window, and whether the protocol lists every tested entry (the log-all-tests setting).
struct Mode {
  ErrorWindowKind kind;
  bool log_all;
};

struct Case {
  const char* name;
  Mode mode;
  ErrorFlags flags;
  std::vector<Line> lines;
  std::string verdict;  // its colour follows from it
};

const ErrorWindowKind kSingle = ErrorWindowKind::kFehlerfenster;
const ErrorWindowKind kSummary = ErrorWindowKind::kFehlerAnzeigeAlle;
const Mode kSingleFailures{kSingle, false};
const Mode kSingleLogAll{kSingle, true};
const Mode kSummaryLogAll{kSummary, true};

TEST(ErrorProtocolTest, LinesAndVerdictFollowTheFlags) {
  const Case cases[] = {
      {"logging on, nothing failed: every tested entry with a green line",
       kSingleLogAll,
       Flags({{5, true, false}, {7, true, false}, {64, false, false}}),
       {{"[5]  Bezeichnungen der Zellen in der 1. Meldezeile (ES001 --> ES...)", C::kBlack},
        {"  --->   in Ordnung", C::kGreen},
        {"[7]  eingetragene Werte in den Zellen", C::kBlack},
        {"  --->   wahrscheinlich in Ordnung", C::kGreen}},
       "Tests bestanden!"},
      {"logging off, nothing failed: nothing listed",
       kSingleFailures,
       Flags({{5, true, false}, {7, true, false}}),
       {},
       "Tests bestanden!"},
      {"logging off: only the failed entry",
       kSingleFailures,
       Flags({{5, true, false}, {31, true, true}}),
       {{"[31]  einzelne gesperrte Zellen [Spalte: Klassen 1.Jahrgangsstufe]", C::kBlack},
        {"  --->   mindstens 1x belegt (oder nicht gesperrt)", C::kRed}},
       "Test nicht bestanden!"},
      {"only hint entries failed: blue lines, passed with hints",
       kSingleFailures,
       Flags({{1, true, true}, {4, true, true}, {229, true, true}, {227, true, false}}),
       {{"[1]  Allgemeiner Fehler (unspezifiziert)", C::kBlack},
        {"  --->   aufgetreten", C::kBlue},
        {"[4]  Unstimmigkeit in den Grunddaten", C::kBlack},
        {"  --->   festgestellt", C::kBlue},
        {"[229]  Kontroll-Berechnung  RglStdnM.-Anrechn.Stdn.+Mehrarb./Ü.Stdn. stimmt", C::kBlack},
        {"  --->   mind. 1x nicht mit [zu ert. Stdn. insg.]+-1 Stde. überein", C::kBlue}},
       "Mit Hinweisen bestanden!"},
      {"an error together with hints: red and blue, not passed",
       kSingleLogAll,
       Flags({{4, true, true}, {7, true, true}}),
       {{"[4]  Unstimmigkeit in den Grunddaten", C::kBlack},
        {"  --->   festgestellt", C::kBlue},
        {"[7]  eingetragene Werte in den Zellen", C::kBlack},
        {"  --->   mindestens 1x fehlerhaft oder nicht lesbar", C::kRed}},
       "Test nicht bestanden!"},
      {"failed but not tested, nothing else listed: no line, passed",
       kSingleFailures,
       Flags({{7, false, true}, {5, true, false}}),
       {},
       "Tests bestanden!"},
      {"failed but not tested beside a hint: the untested failure decides",
       kSingleFailures,
       Flags({{7, false, true}, {229, true, true}}),
       {{"[229]  Kontroll-Berechnung  RglStdnM.-Anrechn.Stdn.+Mehrarb./Ü.Stdn. stimmt", C::kBlack},
        {"  --->   mind. 1x nicht mit [zu ert. Stdn. insg.]+-1 Stde. überein", C::kBlue}},
       "Test nicht bestanden!"},
      {"a hint flag on an error entry is shown as a failure",
       kSingleFailures,
       Flags({{40, true, false, true}}),
       {{"[40]  Summe [Klassen insgesamt]", C::kBlack}, {"  --->   fehlerhaft!", C::kRed}},
       "Test nicht bestanden!"},
      {"blank entries and unused numbers keep their texts",
       kSingleLogAll,
       Flags({{13, true, true}, {300, true, false}}),
       {{"[13]  ", C::kBlack},
        {"  --->   ", C::kRed},
        {"[300]  derzeit nicht benutzt", C::kBlack},
        {"  --->   alles OK", C::kGreen}},
       "Test nicht bestanden!"},
      {"summary window never lists passed entries, even with logging on",
       kSummaryLogAll,
       Flags({{5, true, false}, {230, true, true}}),
       {{"[230]  untergeordnete Zeile [8888 darunter Ausländer/-innen]", C::kBlack},
        {"  --->   enthält mindestens 1x einen zu großen Wert", C::kRed}},
       "Test nicht bestanden!"},
      {"summary window with nothing failed",
       kSummaryLogAll,
       Flags({{5, true, false}}),
       {},
       "Tests bestanden!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ErrorFlags flags = c.flags;
    ErrorProtocol p =
        ShowErrorProtocol(c.mode.kind, "Titel", flags, TheErrorCatalogue(), c.mode.log_all);
    EXPECT_EQ(p.caption, "Titel");
    EXPECT_EQ(Lines(p), c.lines);
    EXPECT_EQ(p.verdict, c.verdict);
    EXPECT_EQ(p.verdict_colour, c.verdict == "Tests bestanden!"           ? C::kGreen
                                : c.verdict == "Mit Hinweisen bestanden!" ? C::kBlue
                                                                          : C::kRed);
    EXPECT_EQ(p.verdict_label, c.mode.kind == kSingle ? "Ergebnis:" : "Gesamtergebnis:");
  }
}

TEST(ErrorProtocolTest, RewritesFlagsIntoTheirFinalForm) {
  ErrorFlags f = Flags({{229, true, true},         // failed hint entry -> hint
                        {4, true, false, true},    // hint on hint entry stays
                        {40, true, false, true},   // hint on error entry -> failed
                        {41, true, true, true},    // both on error entry -> failed
                        {7, false, true, true}});  // untested: left alone
  ShowErrorProtocol(kSingle, "", f, TheErrorCatalogue(), false);
  const struct {
    int number;
    bool failed, hint;
  } after[] = {
      {229, false, true}, {4, false, true}, {40, true, false}, {41, true, false}, {7, true, true}};
  for (const auto& a : after) {
    EXPECT_EQ(f.failed[a.number], a.failed) << a.number;
    EXPECT_EQ(f.hint[a.number], a.hint) << a.number;
  }
}

TEST(ErrorProtocolTest, ResultLinesAreCutAtSixtyEightCharacters) {
  ErrorCatalogue c;
  InitErrorCatalogue(c);
  // 59 characters after the blank, umlauts included: 8 + 1 + 59 = 68 stays whole, one more is
  // cut, and a cut never splits a character.
  const std::string body = std::string(50, 'x') + "äöüÄÖÜßéè";
  c[2].failed = " " + body;
  c[3].passed = " " + body + "Z";
  c[3].title = " " + std::string(70, 't');  // headings are not cut
  ErrorFlags f = Flags({{2, true, true}, {3, true, false}});
  ErrorProtocol p = ShowErrorProtocol(kSingle, "", f, c, true);
  ASSERT_EQ(p.lines.size(), 4u);
  EXPECT_EQ(p.lines[1].text, "  --->   " + body);
  EXPECT_EQ(p.lines[2].text, "[3]  " + std::string(70, 't'));
  EXPECT_EQ(p.lines[3].text, "  --->   " + body);
  EXPECT_EQ(p.lines[3].kind, K::kPassed);
}

TEST(ErrorProtocolTest, SummaryWindowShowsEveryTableStatus) {
  ErrorFlags f;
  TableStatuses st{};
  st[0] = kTableFaultFree;
  st[3] = kTableFaulty;
  st[9] = 7;  // anything else reads as not tested
  ErrorProtocol p = ShowErrorProtocol(kSummary, "Zusammenfassender Plausi-Test", f,
                                      TheErrorCatalogue(), false, st);
  std::vector<StatusLine> expected;
  for (int k = 0; k < 10; ++k) {
    std::string label = "Tabelle 0" + std::to_string(k);
    if (k == 0)
      expected.push_back({label, "fehlerfrei", C::kGreen});
    else if (k == 3)
      expected.push_back({label, "fehlerhaft", C::kRed});
    else
      expected.push_back({label, "nicht geprüft", C::kBlue});
  }
  EXPECT_EQ(p.statuses, expected);
  ErrorProtocol single = ShowErrorProtocol(kSingle, "", f, TheErrorCatalogue(), false, st);
  EXPECT_TRUE(single.statuses.empty());
}

TEST(ErrorProtocolTest, WindowOpensOnLoggingFailureOrHint) {
  struct {
    ErrorFlags flags;
    bool log_all;
    bool opens;
  } cases[] = {
      {Flags({{5, true, false}}), false, false},        {Flags({{5, true, false}}), true, true},
      {Flags({{7, false, true}}), false, true},  // failed without tested still opens
      {Flags({{229, true, false, true}}), false, true}, {ErrorFlags{}, false, false},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorWindowOpens(c.flags, c.log_all), c.opens);
  EXPECT_STREQ(kTestPassedMessage, "Test erfolgreich durchlaufen!");
}

}  // namespace
}  // namespace tabulon
