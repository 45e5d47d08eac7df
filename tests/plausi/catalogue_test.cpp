#include "plausi/catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/plausi_support.h"
#include "text/encoding.h"

namespace tabulon {
namespace {

struct Expected {
  int number;
  const char* title;
  const char* passed;
  const char* failed;
  bool is_error;
};

// A handful of entries as the error window shows them, texts as stored (with their leading blank):
// a hint, official misspellings, a trailing blank, a quote and the last defined number.
const Expected kSamples[] = {
    {1, " Allgemeiner Fehler (unspezifiziert)", " nicht aufgetreten", " aufgetreten", false},
    {7, " eingetragene Werte in den Zellen", " wahrscheinlich in Ordnung",
     " mindestens 1x fehlerhaft oder nicht lesbar", true},
    {15, " Angabe der Schulart", " erfolgte schlüsselgerecht", " ist nicht schlüselgerecht", true},
    {62, " untergeordnete Zeile: 011 ", " enthält möglichen Wert", " enthält fehlerhaften Wert",
     true},
    {233, " Zwischensumme \"ohne Schulabschluss\"", " in Ordnung", " mindestens 1x fehlerhaft",
     true},
    {260, " Summe Schüler mit fremdsp. U. (1 bis n FS)", " korrekt gebildet",
     " ist nicht identisch mit Gesamtzahl Schüler im FS-U.", true},
};

TEST(ErrorCatalogueTest, SampleEntriesReadAsTheUserSeesThem) {
  const ErrorCatalogue& c = TheErrorCatalogue();
  for (const Expected& e : kSamples) {
    SCOPED_TRACE(e.number);
    EXPECT_EQ(c[e.number].number, e.number);
    EXPECT_EQ(c[e.number].title, e.title);
    EXPECT_EQ(c[e.number].passed, e.passed);
    EXPECT_EQ(c[e.number].failed, e.failed);
    EXPECT_EQ(c[e.number].is_error, e.is_error);
  }
}

// School table 2 checks the same six things for each of 13 school types, numbered 80 to 157.
TEST(ErrorCatalogueTest, LeaverBlockRepeatsSixChecksPerSchoolType) {
  const char* const types[] = {"010", "020", "030", "060", "070", "080", "100",
                               "110", "120", "130", "140", "160", "170"};
  const Expected checks[] = {
      {0, "Zeilensumme [Absolv./Abgäng. insgesamt]", " in Ordnung", " fehlerhaft", true},
      {1, "Zeilensumme [Absolv./Abgäng. weiblich]", " in Ordnung", " fehlerhaft", true},
      {2, "Spaltensummen (Zeile 9999)", " in Ordnung", " mindestens 1x fehlerhaft oder Zeile fehlt",
       true},
      {3, "Summe der zusätzlichen Abschlüsse (insgesamt)",
       " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
       true},
      {4, "Summe der zusätzlichen Abschlüsse (weiblich)",
       " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
       true},
      {5, "untergeordnete Zeile [darunter Ausländer (8888)]",
       " wahrscheinlich in Ordnung oder Zeile fehlt", " mindestens 1x fehlerhaft (zu groß)", true},
  };
  const ErrorCatalogue& c = TheErrorCatalogue();
  int n = 80;
  for (const char* type : types) {
    for (const Expected& check : checks) {
      SCOPED_TRACE(n);
      EXPECT_EQ(c[n].title, std::string(" Schulart ") + type + ": " + check.title);
      EXPECT_EQ(c[n].passed, check.passed);
      EXPECT_EQ(c[n].failed, check.failed);
      EXPECT_TRUE(c[n].is_error);
      ++n;
    }
  }
  EXPECT_EQ(n, 158);
  EXPECT_EQ(c[157].title, " Schulart 170: untergeordnete Zeile [darunter Ausländer (8888)]");
}

TEST(ErrorCatalogueTest, OnlyOneFourAndTwoTwentyNineAreHints) {
  const ErrorCatalogue& c = TheErrorCatalogue();
  std::set<int> hints;
  for (int n = 1; n <= kErrorCount; ++n) {
    if (!c[n].is_error) hints.insert(n);
  }
  EXPECT_EQ(hints, (std::set<int>{1, 4, 229}));
}

TEST(ErrorCatalogueTest, TextsFitTheirFieldsAndStartWithABlank) {
  const ErrorCatalogue& c = TheErrorCatalogue();
  for (int n = 1; n <= kErrorCount; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(c[n].number, n);
    for (const std::string* t : {&c[n].title, &c[n].passed, &c[n].failed}) {
      ASSERT_FALSE(t->empty());
      EXPECT_EQ((*t)[0], ' ');
    }
    // The limits hold for the texts without their leading blank.
    EXPECT_LE(text::CharCount(c[n].title) - 1, 70u);
    EXPECT_LE(text::CharCount(c[n].passed) - 1, 60u);
    EXPECT_LE(text::CharCount(c[n].failed) - 1, 60u);
  }
}

TEST(ErrorFlagsTest, AnyFailedCountsUntestedNumbersAndAnyHintOnlyHints) {
  ErrorFlags f;
  EXPECT_FALSE(AnyErrorFailed(f));
  EXPECT_FALSE(AnyErrorHint(f));
  f.failed[300] = true;  // failed without being tested
  EXPECT_TRUE(AnyErrorFailed(f));
  EXPECT_FALSE(AnyErrorHint(f));
  f.hint[1] = true;
  EXPECT_TRUE(AnyErrorHint(f));
  f.tested[17] = true;
  ResetErrorFlags(f);
  EXPECT_FALSE(AnyErrorFailed(f));
  EXPECT_FALSE(AnyErrorHint(f));
  EXPECT_FALSE(f.Tested(17));
}

TEST(ErrorFlagsTest, MergeKeepsWhatTheAccumulatorHeldAndLeavesTheRunAlone) {
  ErrorFlags acc;
  acc.failed[40] = true;
  acc.tested[40] = true;
  ErrorFlags run;
  run.tested[40] = true;  // passed this time
  run.tested[41] = true;
  run.failed[41] = true;
  run.hint[229] = true;
  const ErrorFlags run_before = run;
  MergeErrorFlags(acc, run);
  EXPECT_EQ(FailedEntries(acc), (std::vector<int>{40, 41}));
  EXPECT_EQ(TestedEntries(acc), (std::vector<int>{40, 41}));
  EXPECT_EQ(Entries(acc.hint), std::vector<int>{229});
  EXPECT_EQ(run.failed, run_before.failed);
  EXPECT_EQ(run.hint, run_before.hint);
  EXPECT_EQ(run.tested, run_before.tested);
}

}  // namespace
}  // namespace tabulon
