// Bad values in a pupil list: birth years and dates at and beyond their bounds, and headers that
// name one column twice under different spellings.
#include <gtest/gtest.h>

#include "class_fixture.h"
#include "sheets/class/pupil_list.h"

namespace tabulon::class_sheet {
namespace {

class PupilBadInputTest : public testing::ClassTableFixture {};

TEST_F(PupilBadInputTest, BirthYearsAndDatesOutsideTheirBoundsAreReportedNotCounted) {
  struct Case {
    const char* column;
    const char* value;
    const char* reason;  // "" when the pupil is counted under `year`
    const char* year;
  } cases[] = {
      {"Geburtsjahr", "1900", "", "1900"},
      {"Geburtsjahr", "2026", "", "2026"},
      {"Geburtsjahr", "2027", "Geburtsjahr außerhalb 1900 bis 2026", ""},
      {"Geburtsjahr", "-2005", "kein Jahr", ""},
      {"Geburtsdatum", "29.02.2004", "", "2004"},
      {"Geburtsdatum", "2000-02-29", "", "2000"},
      {"Geburtsdatum", "01.01.2027", "Geburtsjahr außerhalb 1900 bis 2026", ""},
      {"Geburtsdatum", "29.02.2005", "kein gültiges Datum (TT.MM.JJJJ oder JJJJ-MM-TT)", ""},
      {"Geburtsdatum", "29.02.1900", "kein gültiges Datum (TT.MM.JJJJ oder JJJJ-MM-TT)", ""},
      {"Geburtsdatum", "2005-13-01", "kein gültiges Datum (TT.MM.JJJJ oder JJJJ-MM-TT)", ""},
      {"Geburtsdatum", "1.1.2005", "kein gültiges Datum (TT.MM.JJJJ oder JJJJ-MM-TT)", ""},
      {"Geburtsdatum", "+1.01.2005", "kein gültiges Datum (TT.MM.JJJJ oder JJJJ-MM-TT)", ""},
  };
  for (const Case& c : cases) {
    const PupilList list = ParsePupilList(std::string("Klasse;Geschlecht;Staatsangehörigkeit;") +
                                          c.column + "\nA;w;;" + c.value + "\n");
    std::map<int, Grid> tables{{1, Show(1)}};
    const ClassDerivation d = DeriveClassTables({&list.pupils[0]}, list, {}, 2026, tables, ui);
    if (*c.reason == '\0') {
      EXPECT_TRUE(d.reports.empty()) << c.value;
      EXPECT_EQ(tables[1].Cell(1, 2), c.year) << c.value;
      EXPECT_EQ(d.assigned, 1) << c.value;
    } else {
      ASSERT_EQ(d.reports.size(), 1u) << c.value;
      EXPECT_EQ(d.reports[0].reason, c.reason) << c.value;
      EXPECT_EQ(d.reports[0].column, c.column);
      // Nobody counted: the table has only its total row, with 0 pupils.
      EXPECT_EQ(tables[1].Cell(1, 2), "9999") << c.value;
      EXPECT_EQ(tables[1].Cell(2, 2), "0") << c.value;
      EXPECT_EQ(d.assigned, 0) << c.value;
    }
  }
}

TEST(PupilListHeaders, OneColumnUnderTwoSpellingsIsRefused) {
  for (const char* header : {"Klasse;Staatsangehörigkeit;STAATSANGEHOERIGKEIT",
                             "Klasse;Berufsgruppe Bezeichnung;berufsgruppe_bezeichnung",
                             "Klasse;Neuanfänger;Neuanfaenger", "Klasse;Geschlecht; geschlecht "}) {
    EXPECT_THROW(ParsePupilList(std::string(header) + "\nA;1;2\n"), PupilListError) << header;
  }
}

}  // namespace
}  // namespace tabulon::class_sheet
