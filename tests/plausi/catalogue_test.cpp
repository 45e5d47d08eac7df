#include "plausi/catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

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
// the hints, an entry of each kind of check, official misspellings, doubled blanks, a trailing
// blank and a quote, and the last defined number.
const Expected kSamples[] = {
    {1, " Allgemeiner Fehler (unspezifiziert)", " nicht aufgetreten", " aufgetreten", false},
    {4, " Unstimmigkeit in den Grunddaten", " nicht festgestellt", " festgestellt", false},
    {7, " eingetragene Werte in den Zellen", " wahrscheinlich in Ordnung",
     " mindestens 1x fehlerhaft oder nicht lesbar", true},
    {10, " DST-Nr. in Meldungsdatei und Programm-Einstellungen", " identisch", " unterschiedlich!",
     true},
    {15, " Angabe der Schulart", " erfolgte schlüsselgerecht", " ist nicht schlüselgerecht", true},
    {34, " gesperrte Zellen [Bereich: Klassen 4.+5.Jahrgangssufe]", " sind leer (bzw. gesperrt)",
     " mindstens 1x belegt (oder nicht gesperrt)", true},
    {62, " untergeordnete Zeile: 011 ", " enthält möglichen Wert", " enthält fehlerhaften Wert",
     true},
    {181, " Spalte [Geschlecht]", " enthält schlüsselgerechte Werte", " mindestens 1x fehlerhfaft",
     true},
    {223, " Kontroll-Berechnung  RglStdnM. - Anrechn.Stdn. + Mehrarb./Ü.Stdn.",
     " stimmt mit [zu ert. Stdn. insg.] überein",
     " stimmt mind. 1x nicht mit [zu ert. Stdn. insg.] überein", true},
    {226, " Sabbat-Stdn. und Arbeitszeitkonten-Stdn. ", " sind in SOLL-Stunden enthalten ",
     " sind mind. 1x größer als SOLL-Stdn.", true},
    {229, " Kontroll-Berechnung  RglStdnM.-Anrechn.Stdn.+Mehrarb./Ü.Stdn. stimmt",
     " mit [zu ert. Stdn. insg.]+-1 Stde. überein",
     " mind. 1x nicht mit [zu ert. Stdn. insg.]+-1 Stde. überein", false},
    {233, " Zwischensumme \"ohne Schulabschluss\"", " in Ordnung", " mindestens 1x fehlerhaft",
     true},
    {258, " Fußnote h) [Anzahl der Schülerinnen d. Kl. im  Blockunterricht]",
     " ist in allen Bögen/Tabellen/Satzarten/Dateien gleich", " ist mindestens 1x unterschiedlich",
     true},
    {260, " Summe Schüler mit fremdsp. U. (1 bis n FS)", " korrekt gebildet",
     " ist nicht identisch mit Gesamtzahl Schüler im FS-U.", true},
};

// Numbers that hold only a blank in all three texts.
const int kBlank[] = {13, 14, 29, 74, 76, 77, 78, 79, 158, 159, 160, 250};

// Numbers nobody uses: first and last of each range.
const std::pair<int, int> kUnused[] = {{161, 169}, {176, 179}, {187, 189}, {203, 209}, {214, 214},
                                       {218, 219}, {247, 249}, {259, 259}, {261, 300}};

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

TEST(ErrorCatalogueTest, BlankAndUnusedNumbersAreExactlyTheListedOnes) {
  const ErrorCatalogue& c = TheErrorCatalogue();
  std::set<int> blank, unused;
  for (int n = 1; n <= kErrorCount; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(c[n].number, n);
    if (c[n].title == " ") {
      blank.insert(n);
      EXPECT_EQ(c[n].passed, " ");
      EXPECT_EQ(c[n].failed, " ");
      EXPECT_TRUE(c[n].is_error);
    } else if (c[n].title == " derzeit nicht benutzt") {
      unused.insert(n);
      EXPECT_EQ(c[n].passed, " alles OK");
      EXPECT_EQ(c[n].failed, " nicht OK");
      EXPECT_TRUE(c[n].is_error);
    } else {
      EXPECT_NE(c[n].passed, " alles OK");  // a defined entry carries its own pair
    }
  }
  EXPECT_EQ(blank, std::set<int>(std::begin(kBlank), std::end(kBlank)));
  std::set<int> expected_unused;
  for (auto [first, last] : kUnused) {
    for (int n = first; n <= last; ++n) expected_unused.insert(n);
  }
  EXPECT_EQ(expected_unused.size(), 70u);
  EXPECT_EQ(unused, expected_unused);
}

// Entries of one kind share their verdict texts: all plain sums read "in Ordnung"/"fehlerhaft!".
TEST(ErrorCatalogueTest, SumEntriesShareTheirVerdicts) {
  const ErrorCatalogue& c = TheErrorCatalogue();
  for (int n : {24, 25, 26, 27, 28, 39, 40, 45, 50, 56, 70, 75, 190, 200}) {
    SCOPED_TRACE(n);
    EXPECT_EQ(c[n].title.rfind(" Summe [", 0), 0u);
    EXPECT_EQ(c[n].passed, " in Ordnung");
    EXPECT_EQ(c[n].failed, " fehlerhaft!");
  }
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
  EXPECT_TRUE(acc.failed[40]);
  EXPECT_TRUE(acc.tested[40]);
  EXPECT_TRUE(acc.failed[41]);
  EXPECT_TRUE(acc.tested[41]);
  EXPECT_TRUE(acc.hint[229]);
  EXPECT_FALSE(acc.failed[229]);
  EXPECT_FALSE(acc.tested[42]);
  EXPECT_EQ(run.failed, run_before.failed);
  EXPECT_EQ(run.hint, run_before.hint);
  EXPECT_EQ(run.tested, run_before.tested);
}

}  // namespace
}  // namespace tabulon
