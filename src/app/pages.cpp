#include "app/pages.h"

#include <array>

namespace tabulon {
namespace {

constexpr std::string_view kPlausiHint = "programminterne Plausibilität der Tabelle testen";
constexpr std::string_view kAppendRowHint = "eine neue Zeile anhängen";
constexpr std::string_view kAppendRowsHint = "mehrere neue Zeilen anhängen";

using A = PageAction;

// Grids of each page, named as the window's grids are named.
constexpr PageGrid kQuickGrid0[] = {{"StringGrid1", "Bog0Tab0"}};
constexpr PageGrid kQuickGrid1[] = {{"StringGrid2", "Bog0Tab1"}};
constexpr PageGrid kQuickGrid2[] = {{"StringGrid3", "Bog0Tab2"}};
constexpr PageGrid kSchoolGrid0[] = {{"StringGrid4", "Bog1Tab0"}};
constexpr PageGrid kSchoolGrid1[] = {{"StringGrid5", "Bog1Tab1"}};
constexpr PageGrid kSchoolGrid2[] = {{"StringGrid6", "Bog1Tab2"}};
constexpr PageGrid kSchoolGrid3[] = {{"StringGrid7", "Bog1Tab3"}};
constexpr PageGrid kSchoolGrid4[] = {{"StringGrid8", "Bog1Tab4"}};
constexpr PageGrid kTeacherGrid0[] = {
    {"StringGrid10", "Bog2Ident", true, true},
    {"StringGrid9", "Bog2Tab0"},
};
constexpr PageGrid kTeacherGrid1[] = {{"StringGrid11", "Bog2Tab1"}};
constexpr PageGrid kTeacherGrid2[] = {{"StringGrid13", "Bog2Tab2"}};
constexpr PageGrid kTeacherGrid3[] = {{"StringGrid14", "Bog2Tab3"}};
constexpr PageGrid kClassGrid0[] = {
    {"StringGrid17", "Bog3Tab0"},
    {"StringGrid28", "Bog3Ident", false, false, false},
};
constexpr PageGrid kClassGrid1[] = {{"StringGrid18", "Bog3Tab1"}};
constexpr PageGrid kClassGrid2[] = {{"StringGrid20", "Bog3Tab2"}};
constexpr PageGrid kClassGrid3[] = {{"StringGrid19", "Bog3Tab3"}};
constexpr PageGrid kClassGrid4[] = {{"StringGrid21", "Bog3Tab4"}};
constexpr PageGrid kClassGrid10[] = {{"StringGrid27", "Bog3Tab10"}};
constexpr PageGrid kClassGrid5[] = {{"StringGrid22", "Bog3Tab5"}};
constexpr PageGrid kClassGrid6[] = {{"StringGrid24", "Bog3Tab6"}};
constexpr PageGrid kClassGrid7[] = {{"StringGrid23", "Bog3Tab7"}};
constexpr PageGrid kClassGrid8[] = {{"StringGrid25", "Bog3Tab8"}};
constexpr PageGrid kClassGrid9[] = {{"StringGrid26", "Bog3Tab9"}};

constexpr PageButton kQuickButtons[] = {{A::kNone, "interne PLAUSI", kPlausiHint}};

constexpr PageButton kSchool0Buttons[] = {
    {A::kPlausi, "interne PLAUSI: Tabelle 0", kPlausiHint},
    {A::kTakeOverQuick, "Daten von SCHNELL-Meldung übernehmen",
     "Daten aus der Tabelle 00 der Schnell-Meldung übernehmen", true},
};
// Table 1's take-over button is hidden and has never had an action.
constexpr PageButton kSchool1Buttons[] = {
    {A::kPlausi, "interne PLAUSI: Tabelle 1", kPlausiHint},
    {A::kNone, "Daten von SCHNELL-Meldung übernehmen",
     "passende Daten aus der Tabelle 01 der Schnell-Meldung übernehmen", true},
};
constexpr PageButton kSchool2Buttons[] = {
    {A::kPlausi, "interne PLAUSI: Tabelle 2", kPlausiHint},
    {A::kAppendRows, "++ neue Zeilen", kAppendRowsHint},
    {A::kAppendRow, "+ neue Zeile", kAppendRowHint},
    {A::kSortRows, "Zeilen sortieren"},
    {A::kPrefillSchoolTypeYears, "Schulart + Geburtsjahre vortragen ..."},
};
constexpr PageButton kSchool3Buttons[] = {
    {A::kPlausi, "interne PLAUSI: Tabelle 3", kPlausiHint},
    {A::kAppendRow, "+ neue Zeile", kAppendRowHint},
    {A::kAppendRows, "++ neue Zeilen", kAppendRowsHint},
    {A::kSortRows, "Zeilen sortieren"},
    {A::kFillTexts, "Texte (Beruf, Berufsgr., Fachr.) ergänzen"},
};
constexpr PageButton kSchool4Buttons[] = {
    {A::kPlausi, "interne PLAUSI: Tabelle 4", kPlausiHint},
};
constexpr PageButton kTeacher0Buttons[] = {
    {A::kAppendRow, "+ neue Zeile", kAppendRowHint},
    {A::kAppendRows, "++ neue Zeilen", kAppendRowsHint},
    {A::kSortRows, "nach Nummern sortieren"},
    {A::kPlausi, "interne PLAUSI: Tabelle 0", kPlausiHint},
};
constexpr PageButton kTeacher1Buttons[] = {
    {A::kAppendRow, "+ neue Zeile", kAppendRowHint},
    {A::kAppendRows, "++ neue Zeilen", kAppendRowsHint},
    {A::kSortRows, "nach Nr.n sortieren"},
    {A::kPlausi, "interne PLAUSI: Tabelle 1", kPlausiHint},
    {A::kConvertTeacher2008, "2008 ==> 2009, ..."},
};
constexpr PageButton kTeacher2Buttons[] = {{A::kPlausi, "interne PLAUSI: Tabelle 2", kPlausiHint}};
constexpr PageButton kTeacher3Buttons[] = {{A::kPlausi, "interne PLAUSI: Tabelle 3", kPlausiHint}};
constexpr PageButton kClass0Buttons[] = {
    {A::kDeleteClass, "==>     Klasse löschen     ==>"},
    {A::kAddClass, "<==  Klasse hinzufügen  <=="},
    {A::kTestClassNumbering, "Klassennummerierungen testen"},
    {A::kPlausi, "interne PLAUSI: Tabelle 0", kPlausiHint},
    {A::kAllClassTests, "Alle PLAUSI's dieser Klasse"},
    {A::kFootnoteTest, "Quertest: Fußnoten (a .. h)"},
};
constexpr PageButton kClass1Buttons[] = {
    {A::kPlausi, "interne PLAUSI: Tabelle 1", kPlausiHint},
    {A::kAppendRow, "+ neue Zeile", kAppendRowHint},
    {A::kAppendRows, "++ neue Zeilen", kAppendRowsHint},
    {A::kSortRows, "nach Geburtsjahr sortieren"},
    {A::kPrefillBirthYears, "Geburtsjahre vortragen ..."},
};
constexpr PageButton kClass2Buttons[] = {{A::kPlausi, "interne PLAUSI: Tabelle 2", kPlausiHint}};
constexpr PageButton kClass3Buttons[] = {
    {A::kPlausi, "interne PLAUSI: Tabelle 3", kPlausiHint},
    {A::kAppendRow, "+ neue Zeile", kAppendRowHint},
    {A::kAppendRows, "++ neue Zeilen", kAppendRowsHint},
    {A::kSortRows, "nach Länderschlüssel sortieren"},
    {A::kFillTexts, "Texte (Länder) ergänzen"},
    {A::kFillKeys, "Schlüssel (Länder) ergänzen"},
};
constexpr PageButton kClass4Buttons[] = {{A::kPlausi, "interne PLAUSI: Tabelle 4", kPlausiHint}};
constexpr PageButton kClass10Buttons[] = {
    {A::kPlausi, "interne PLAUSI: Tabelle 4.1", kPlausiHint}};
constexpr PageButton kClass5Buttons[] = {{A::kPlausi, "interne PLAUSI: Tabelle 5", kPlausiHint}};
constexpr PageButton kClass6Buttons[] = {{A::kPlausi, "interne PLAUSI: Tabelle 6", kPlausiHint}};
constexpr PageButton kClass7Buttons[] = {{A::kPlausi, "interne PLAUSI: Tabelle 7", kPlausiHint}};
constexpr PageButton kClass8Buttons[] = {
    {A::kPlausi, "interne PLAUSI: Tabelle 8", kPlausiHint},
    {A::kAppendRow, "+ neue Zeile", kAppendRowHint},
    {A::kAppendRows, "++ neue Zeilen", kAppendRowsHint},
    {A::kSortRows, "nach Zeilennummern sortieren"},
    {A::kFillTexts, "Texte (Ausbildungsrichtung) ergänzen"},
    {A::kFillTexts2, "Texte (Herkunftskreise) ergänzen"},
    {A::kFillKeys2, "Schlüssel (Herkunftskreise) ergänzen"},
};
constexpr PageButton kClass9Buttons[] = {
    {A::kPlausi, "interne PLAUSI: Tabelle 9", kPlausiHint},
    {A::kAppendRow, "+ neue Berufsgruppe"},
    {A::kSortRows, "nach Berufsgruppen sortieren"},
    {A::kFillTexts, "Texte (Berufsgruppen) ergänzen"},
};

constexpr TablePage kQuickPages[] = {
    {0, 0, "Tabelle 0", kQuickGrid0, kQuickButtons, false, false, false, {}},
    {0, 1, "Tabelle 1", kQuickGrid1, kQuickButtons, false, false, false, {}},
    {0, 2, "Tabelle 2", kQuickGrid2, kQuickButtons, false, false, false, {}},
};

constexpr TablePage kSchoolPages[] = {
    {1, 0, "Tabelle 0", kSchoolGrid0, kSchool0Buttons, false, false, false, {}},
    {1, 1, "Tabelle 1", kSchoolGrid1, kSchool1Buttons, true, true, true,
     "interner Plausi-Test: Schulbogen - Tab.: Klassen und Schüler nach ..."},
    {1, 2, "Tabelle 2", kSchoolGrid2, kSchool2Buttons, true, false, true,
     "interner Plausi-Test: Schulbogen - Tab.: Absolv./Abgäng. n. Schularten, ..."},
    {1, 3, "Tabelle 3", kSchoolGrid3, kSchool3Buttons, false, false, false,
     "interner Plausi-Test: Schulbogen - Tab.: Absolv./Abgäng. nach Berufen"},
    {1, 4, "Tabelle 4", kSchoolGrid4, kSchool4Buttons, false, false, false,
     "interner Plausi-Test: Schulbogen - Tab.: Religionsunterricht"},
};

constexpr TablePage kTeacherPages[] = {
    {2, 0, "Identifizierung + Tabelle 0", kTeacherGrid0, kTeacher0Buttons, false, false, false,
     "interner Plausi-Test: Schulbogen - Tab.: Dienststelle"},
    {2, 1, "Tabelle 1", kTeacherGrid1, kTeacher1Buttons, false, true, false,
     "interner Plausi-Test: Lehrerbogen - Tab.: Angaben je Lehrkraft (1)"},
    {2, 2, "Tabelle 2", kTeacherGrid2, kTeacher2Buttons, true, true, true,
     "interner Plausi-Test: Lehrerbogen - Tab.: Wöchentlich erteilte Stunden"},
    {2, 3, "Tabelle 3", kTeacherGrid3, kTeacher3Buttons, false, false, true,
     "interner Plausi-Test: Lehrerbogen - Tab.: Religionsunterricht"},
};

constexpr TablePage kClassPages[] = {
    {3, 0, "Tab. 0", kClassGrid0, kClass0Buttons, false, false, false,
     "interner Plausi-Test: Klassenmeldung - Tabelle: Klassendaten"},
    {3, 1, "Tab. 1", kClassGrid1, kClass1Buttons, false, false, true,
     "interner Plausi-Test: Klassenbogen - Tab.: Schüler nach Geburtsjahren"},
    {3, 2, "Tab. 2", kClassGrid2, kClass2Buttons, true, false, true,
     "interner Plausi-Test: Klassenbogen - Tab.: Schüler nach Vorbildung"},
    {3, 3, "Tab. 3", kClassGrid3, kClass3Buttons, false, false, true,
     "interner Plausi-Test: Klassenbogen - Tab.: Ausländische Schüler"},
    {3, 4, "Tab. 4", kClassGrid4, kClass4Buttons, false, false, false,
     "interner Plausi-Test: Klassenbogen - Tab.: Fremdsprachen- und Religions-U."},
    {3, 10, "Tab. 4.1", kClassGrid10, kClass10Buttons, false, true, false,
     "interner Plausi-Test: Klassenbogen - Tab.: Anzahl gelernter Fremdsprachen"},
    {3, 5, "Tab. 5", kClassGrid5, kClass5Buttons, false, false, true,
     "interner Plausi-Test: Klassenbogen - Tab.: Schüler nach Ausbildungsstatus"},
    {3, 6, "Tab. 6", kClassGrid6, kClass6Buttons, true, false, true,
     "interner Plausi-Test: Klassenbogen - Tab.: Land-, Tier-, Forstw. ..."},
    {3, 7, "Tab. 7", kClassGrid7, kClass7Buttons, false, false, true,
     "interner Plausi-Test: Klassenbogen - Tab.: Schüler nach erteilten U."},
    {3, 8, "Tab. 8", kClassGrid8, kClass8Buttons, true, false, true,
     "interner Plausi-Test: Klassenbogen - Tab.: Schüler nach Berufen und Kreisen"},
    {3, 9, "Tab. 9", kClassGrid9, kClass9Buttons, true, false, true,
     "interner Plausi-Test: Klassenbogen - Tab.: Schüler m. Ausb.Vert. u. Vorb."},
};

constexpr SheetPage kSheets[] = {
    {kSheetQuick, "Schnell", "", false},
    {kSheetSchool, "Schule", "Schul-Bogen", true},
    {kSheetTeacher, "Lehrer", "Lehrer-Bogen", true},
    {kSheetClass, "Klasse", "Klassen-Bogen", true},
};

}  // namespace

std::span<const SheetPage> SheetPages() { return kSheets; }

std::span<const TablePage> TablePagesOf(int sheet) {
  switch (sheet) {
    case kSheetQuick: return kQuickPages;
    case kSheetSchool: return kSchoolPages;
    case kSheetTeacher: return kTeacherPages;
    case kSheetClass: return kClassPages;
    default: return {};
  }
}

const TablePage* FindTablePage(int sheet, int table) {
  for (const TablePage& p : TablePagesOf(sheet)) {
    if (p.table == table) return &p;
  }
  return nullptr;
}

int SheetIndexOf(int top_page) {
  if (top_page < 0 || top_page >= static_cast<int>(std::size(kSheets))) return kUnknownIndex;
  return kSheets[top_page].sheet;
}

int TableIndexOf(int sheet, int page) {
  auto pages = TablePagesOf(sheet);
  if (page < 0 || page >= static_cast<int>(pages.size())) return kUnknownIndex;
  return pages[page].table;
}

int PagePositionOf(int sheet, int table) {
  auto pages = TablePagesOf(sheet);
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (pages[i].table == table) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace tabulon
