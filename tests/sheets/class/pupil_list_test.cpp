// Reading pupil lists: encodings, separators, quotes, headers, and the refusals of lists that
// cannot be read whole; the counting of pupils into the class tables on loaded grids.
#include "sheets/class/pupil_list.h"

#include <gtest/gtest.h>

#include "class_fixture.h"
#include "support/grid_text.h"

namespace tabulon::class_sheet {
namespace {

using enum PupilColumn;

TEST(PupilListParse, EncodingsAndSeparatorsAreDetected) {
  struct Case {
    std::string bytes;
    char separator;
    PupilEncoding encoding;
    std::string nationality;  // of the first pupil, as UTF-8
  } cases[] = {
      {"\xEF\xBB\xBFKlasse;Staatsangehörigkeit\r\nZIM003;Türkei\r\n", ';', PupilEncoding::kUtf8,
       "Türkei"},
      {"Klasse,Staatsangehörigkeit\nZIM003,Österreich\n", ',', PupilEncoding::kUtf8, "Österreich"},
      {"Klasse\tStaatsangehörigkeit\nZIM003\tDänemark", '\t', PupilEncoding::kUtf8, "Dänemark"},
      // Windows-1252: "ö" is the single byte F6, which is no UTF-8.
      {"Klasse;Staatsangeh\xF6rigkeit\r\nZIM003;T\xFCrkei\r\n", ';', PupilEncoding::kWindows1252,
       "Türkei"},
      // A comma inside a quoted field does not decide the separator.
      {"\"Klasse\";\"Staatsangehörigkeit, Text\";Staatsangehörigkeit\nA;\"x,y\";Polen\n", ';',
       PupilEncoding::kUtf8, "Polen"},
  };
  for (const Case& c : cases) {
    const PupilList list = ParsePupilList(c.bytes);
    EXPECT_EQ(list.separator, c.separator) << c.bytes;
    EXPECT_EQ(list.encoding, c.encoding) << c.bytes;
    ASSERT_EQ(list.pupils.size(), 1u) << c.bytes;
    EXPECT_EQ(list.pupils[0].Field(kStaatsangehoerigkeit), c.nationality);
    EXPECT_EQ(list.pupils[0].line, 2);
  }
}

TEST(PupilListParse, QuotesFollowRfc4180AndLinesCountPhysically) {
  const PupilList list = ParsePupilList(
      "Notiz;Klasse;Geschlecht\r\n"
      "\"a;b\";ZIM003;w\r\n"
      "\"zwei\r\nZeilen und \"\"Zitat\"\"\";ZIM004;m\r\n"
      "\r\n"
      ";ZIM005;\r\n");
  ASSERT_EQ(list.pupils.size(), 3u);
  EXPECT_EQ(list.pupils[0].Field(kKlasse), "ZIM003");
  EXPECT_EQ(list.pupils[1].Field(kKlasse), "ZIM004");
  EXPECT_EQ(list.pupils[1].line, 3);
  // The quoted line break took lines 3 and 4; the blank line 5 is passed over.
  EXPECT_EQ(list.pupils[2].line, 6);
  EXPECT_TRUE(list.Has(kGeschlecht));
  EXPECT_FALSE(list.Has(kGeburtsjahr));
  EXPECT_EQ(list.headers, (std::vector<std::string>{"Notiz", "Klasse", "Geschlecht"}));
}

TEST(PupilListParse, HeadersAnyCaseAnyOrderWithAlternativeSpellings) {
  const PupilList list = ParsePupilList(
      "fremdsprachen;STAATSANGEHOERIGKEIT;Berufsgruppe_Bezeichnung;  klasse ;Neuanfaenger;x\n"
      "2;Polen;Metall;ZIM003;ja;egal\n");
  for (PupilColumn c :
       {kFremdsprachen, kStaatsangehoerigkeit, kBerufsgruppeBezeichnung, kKlasse, kNeuanfaenger}) {
    EXPECT_TRUE(list.Has(c)) << PupilColumnHeader(c);
  }
  EXPECT_FALSE(list.Has(kBerufsgruppe));
  EXPECT_EQ(list.pupils[0].Field(kBerufsgruppeBezeichnung), "Metall");
  EXPECT_EQ(list.pupils[0].Field(kKlasse), "ZIM003");
}

TEST(PupilListParse, BadListsAreRefusedWithTheirReason) {
  struct Case {
    std::string bytes;
    std::string message;
  } cases[] = {
      {"", "Die Schülerliste ist leer: keine Kopfzeile."},
      {"\r\n\r\n", "Die Schülerliste ist leer: keine Kopfzeile."},
      {"Name;Vorname;Jahrgang\nA;B;2005\n",
       "Die Schülerliste hat keine Spalte „Klasse“. Gefundene Spalten: „Name“, „Vorname“, "
       "„Jahrgang“."},
      {"Klasse;Geschlecht\r\n", "Die Schülerliste enthält keine Schüler."},
      {"Na\x1b[2Jme\n1\n",
       "Die Schülerliste hat keine Spalte „Klasse“. Gefundene Spalten: "
       "„Na\\x1b[2Jme“."},
      {"Klasse;Geschlecht\nA;w\nB,m\n",
       "Zeile 3: 1 Felder, die Kopfzeile hat 2 (Trennzeichen gemischt oder Anführungszeichen "
       "fehlen?)."},
      {"Klasse;Geschlecht\nA;\"w\n", "Zeile 2: Anführungszeichen wird nicht geschlossen."},
      {"Klasse;Geschlecht\nA;w\"x\n", "Zeile 2: Anführungszeichen mitten im Feld."},
      {"Klasse;Geschlecht\nA;\"w\"x\n",
       "Zeile 2: nach dem schließenden Anführungszeichen folgt kein Trennzeichen."},
      {"Klasse;Geschlecht;klasse\nA;w;B\n", "Die Spalte „Klasse“ steht mehrmals in der Kopfzeile."},
      {"Klasse;Notiz\nA;" + std::string(kMaxFieldBytes + 1, 'x') + "\n",
       "Zeile 2: ein Feld ist länger als 1000 Zeichen."},
  };
  for (const Case& c : cases) {
    try {
      ParsePupilList(c.bytes);
      ADD_FAILURE() << "accepted: " << c.bytes.substr(0, 60);
    } catch (const PupilListError& e) {
      EXPECT_EQ(e.what(), c.message);
    }
  }
}

TEST(PupilListParse, TooManyPupilsAndHugeLinesAreRefused) {
  std::string many = "Klasse\n";
  for (std::size_t i = 0; i <= kMaxPupils; ++i) many += "A\n";
  EXPECT_THROW(ParsePupilList(many), PupilListError);
  // A 10 MB line is refused at its first too long field, without holding it whole.
  std::string line = "Klasse;Notiz\nA;" + std::string(10u << 20, 'y') + "\n";
  EXPECT_THROW(ParsePupilList(line), PupilListError);
}

TEST(PupilListParse, TemplateHasEveryHeaderAndReadsBackAsEmptyList) {
  const std::string t = PupilListTemplate();
  EXPECT_EQ(t,
            "\xEF\xBB\xBFKlasse;Geburtsjahr;Geburtsdatum;Geschlecht;Staatsangehörigkeit;Vorbildung;"
            "Neuanfänger;Ausbildungsstatus;Ausbildungsvertrag;Berufsfeld;Berufsgruppe;"
            "Berufsgruppe Bezeichnung;Vorbildung Azubi;Fremdsprachen\r\n");
  const PupilList list = ParsePupilList(t + "ZIM003;;;;;;;;;;;;;\r\n");
  for (int c = 0; c < kPupilColumnCount; ++c) EXPECT_TRUE(list.present[c]);
}

TEST(PupilListHeaders, OneColumnUnderTwoSpellingsIsRefused) {
  for (const char* header : {"Klasse;Staatsangehörigkeit;STAATSANGEHOERIGKEIT",
                             "Klasse;Berufsgruppe Bezeichnung;berufsgruppe_bezeichnung",
                             "Klasse;Neuanfänger;Neuanfaenger", "Klasse;Geschlecht; geschlecht "}) {
    EXPECT_THROW(ParsePupilList(std::string(header) + "\nA;1;2\n"), PupilListError) << header;
  }
}

TEST(PupilListPlan, AbsentColumnsLeaveTheirTablesAndAreNamed) {
  const PupilList list = ParsePupilList("Klasse;Geburtsdatum;Geschlecht;Vorbildung\nA;;;\n");
  EXPECT_EQ(TablePlanLines(list),
            (std::vector<std::string>{
                "Keine Tabelle wird gefüllt.",
                "Tabelle 1 bleibt unverändert, es fehlt: „Staatsangehörigkeit“.",
                "Tabelle 2 bleibt unverändert, es fehlt: „Neuanfänger“.",
                "Tabelle 3 bleibt unverändert, es fehlt: „Staatsangehörigkeit“, "
                "„Ausbildungsvertrag“.",
                "Tabelle 5 bleibt unverändert, es fehlt: „Ausbildungsstatus“.",
                "Tabelle 6 bleibt unverändert, es fehlt: „Berufsfeld“.",
                "Tabelle 9 bleibt unverändert, es fehlt: „Berufsgruppe“, „Vorbildung Azubi“, "
                "„Ausbildungsvertrag“.",
                "Tabelle 10 bleibt unverändert, es fehlt: „Fremdsprachen“.",
            }));
  const PupilList full =
      ParsePupilList("Klasse;Geburtsjahr;Geschlecht;Staatsangehörigkeit;Fremdsprachen\nA;;;;\n");
  EXPECT_EQ(TablePlanLines(full)[0], "Gefüllt werden die Tabellen 1, 10.");
}

// ---- Counting on loaded grids -------------------------------------------------------------------

class PupilDeriveTest : public testing::ClassTableFixture {
 protected:
  PupilKeys Keys() {
    PupilKeys k;
    k.vorbildung = ReadKeyFile(prog / "SSVB.SSD");
    k.land = ReadKeyFile(prog / "SLAND.SSD");
    k.status = ReadKeyFile(prog / "SSAS.SSD");
    k.berufsfeld = ReadKeyFile(prog / "SSLTF.SSD");
    k.vorbildung_az = ReadKeyFile(prog / "SSVB0.SSD");
    return k;
  }
  ClassDerivation Derive(const PupilList& list, std::map<int, Grid>& tables) {
    std::vector<const Pupil*> pupils;
    for (const Pupil& p : list.pupils) pupils.push_back(&p);
    return DeriveClassTables(pupils, list, Keys(), 2026, tables, ui);
  }
};

TEST_F(PupilDeriveTest, UnknownSubtotalAndImpossibleValuesAreReportedAndCountedNowhere) {
  const PupilList list = ParsePupilList(
      "Klasse;Geburtsdatum;Geschlecht;Staatsangehörigkeit;Vorbildung;Neuanfänger;"
      "Ausbildungsstatus\n"
      "A;31.02.2005;w;;2;ja;1\n"             // line 2: no such date
      "A;2004-05-01;w;Mars;77;ja;99\n"       // line 3: unknown country, unknown key, total-row key
      "A;01.01.1899;q;000;1;vielleicht;1\n"  // line 4
      "A;01.01.2005;m;Türkei;3;nein;2\n");   // line 5: fine
  std::map<int, Grid> tables{{1, Show(1)}, {2, Show(2)}, {5, Show(5)}};
  const ClassDerivation d = Derive(list, tables);
  std::vector<std::string> texts;
  for (const PupilReport& r : d.reports) texts.push_back(r.Text());
  EXPECT_EQ(texts,
            (std::vector<std::string>{
                "Zeile 2, Spalte „Geburtsdatum“, Wert „31.02.2005“: kein gültiges Datum "
                "(TT.MM.JJJJ oder JJJJ-MM-TT)",
                "Zeile 3, Spalte „Staatsangehörigkeit“, Wert „Mars“: weder Schlüssel noch Text "
                "in SLAND.SSD",
                "Zeile 3, Spalte „Vorbildung“, Wert „77“: Schlüssel nicht in SSVB.SSD",
                "Zeile 3, Spalte „Ausbildungsstatus“, Wert „99“: Schlüssel einer "
                "Summen-/Zwischensummenzeile, wird berechnet",
                "Zeile 4, Spalte „Geburtsdatum“, Wert „01.01.1899“: Geburtsjahr außerhalb 1900 "
                "bis 2026",
                "Zeile 4, Spalte „Geschlecht“, Wert „q“: unbekanntes Geschlecht",
                "Zeile 4, Spalte „Vorbildung“, Wert „1“: Schlüssel einer "
                "Summen-/Zwischensummenzeile, wird berechnet",
                "Zeile 4, Spalte „Neuanfänger“, Wert „vielleicht“: weder ja noch nein",
            }));
  // Table 1: only line 5 (2005, a foreign boy) counts; the total row follows.
  EXPECT_EQ(RowTexts(tables[1], 1, 4, 2, 3), (Texts{"2005|1|0|1", "9999|1|0|1"}));
  // Table 2: line 2 under key 2 (female new entrant), line 5 under key 3; row 2 = rows 3 to 5,
  // row 12 = rows 2 and 6 to 11.
  EXPECT_EQ(RowTexts(tables[2], 3, 6, 2, 4), (Texts{"2|1|1|1", "1|1|1|1", "1|0|0|0"}));
  EXPECT_EQ(RowTexts(tables[2], 3, 4, 12, 12), Texts{"2|1"});
  // Table 5: lines 2 and 5; rows nobody is counted in stay blank; the key-6 row is the total.
  EXPECT_EQ(RowTexts(tables[5], 3, 3, 2, 7), (Texts{"1", "1", "", "", "", "2"}));
  EXPECT_EQ(d.assigned, 2);
}

TEST_F(PupilDeriveTest, LanguagesGoByCountAndTheSummaryColumnFollows) {
  const PupilList list =
      ParsePupilList("Klasse;Fremdsprachen\nA;1\nA;2\nA;2\nA;0\nA;\nA;5\nA;eins\n");
  std::map<int, Grid> tables{{10, Show(10)}};
  const ClassDerivation d = Derive(list, tables);
  EXPECT_EQ(RowTexts(tables[10], 1, 5, 2, 2), Texts{"4|1|2|0|1"});
  ASSERT_EQ(d.reports.size(), 1u);
  EXPECT_EQ(d.reports[0].line, 8);
}

TEST_F(PupilDeriveTest, ChangedCellsAndTypedCountsDecideTheConfirmation) {
  Grid before = Show(5);
  EXPECT_FALSE(HoldsCounts(before, 5));
  before.SetCell(3, 3, "0");
  EXPECT_FALSE(HoldsCounts(before, 5));
  before.SetCell(4, 3, "2");
  EXPECT_TRUE(HoldsCounts(before, 5));
  Grid after = before;
  after.SetCell(4, 3, "3");
  after.SetCell(3, 3, "");   // 0 -> blank: the same
  after.SetCell(4, 5, "0");  // a row without counts on both sides: not stored, not listed
  after.SetCell(1, 5, "neu");
  after.SetRowCount(after.RowCount() + 1);
  after.SetCell(3, after.RowCount() - 1, "4");
  const auto cells = ChangedCells(before, after, 5);
  ASSERT_EQ(cells.size(), 2u);
  EXPECT_EQ(cells[0].old_text, "2");
  EXPECT_EQ(cells[0].new_text, "3");
  EXPECT_EQ(cells[1].row, after.RowCount() - 1);
  EXPECT_EQ(cells[1].new_text, "4");
}

TEST_F(PupilDeriveTest, BirthYearsAndDatesOutsideTheirBoundsAreReportedNotCounted) {
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

}  // namespace
}  // namespace tabulon::class_sheet
