#include "plausi/catalogue.h"

#include <algorithm>

namespace tabulon {
namespace {

constexpr bool kError = true;
constexpr bool kHint = false;

struct TextPair {
  const char* passed;
  const char* failed;
};

// The pairs of verdict texts that the entries share, numbered from 1 (index 0: the empty pair of
// the entries that only hold a blank). Misspellings are the official wording and stay.
constexpr TextPair kPairs[] = {
    {"", ""},
    {"in Ordnung", "fehlerhaft!"},  // V01
    {"in Ordnung", "fehlerhaft"},   // V02
    {"wahrscheinlich in Ordnung (kleiner oder gleich)",
     "mindestens 1x fehlerhaft (zu groß)"},                                                // V03
    {"in Ordnung", "mindestens 1x fehlerhaft oder Zeile fehlt"},                           // V04
    {"wahrscheinlich in Ordnung oder Zeile fehlt", "mindestens 1x fehlerhaft (zu groß)"},  // V05
    {"in Ordnung", "mindestens 1x fehlerhaft"},                                            // V06
    {"sind leer (bzw. gesperrt)", "mindstens 1x belegt (oder nicht gesperrt)"},            // V07
    {"enthalten mögliche Werte", "enthalten mindestens 1x einen zu hohen Wert"},           // V08
    {"richtig", "mindestens 1x fehlerhaft"},                                               // V09
    {"ist in allen Bögen/Tabellen/Satzarten/Dateien gleich",
     "ist mindestens 1x unterschiedlich"},                                     // V10
    {"enthält schlüsselgerechte Werte", "mindestens 1x fehlerhfaft"},          // V11
    {"ist leer", "belegt!"},                                                   // V12
    {"erfolgte schlüsselgerecht", "ist nicht schlüselgerecht"},                // V13
    {"enthält mögliche Werte", "enthält mindestens 1x einen zu großen Wert"},  // V14
    {"stimmt mit [zu ert. Stdn. insg.] überein",
     "stimmt mind. 1x nicht mit [zu ert. Stdn. insg.] überein"},                           // V15
    {"nicht aufgetreten", "aufgetreten"},                                                  // V16
    {"in Ordnung", "mindestens 1x fehlerhaft!"},                                           // V17
    {"stimmt überein", "stimmt mind. 1x nicht überein"},                                   // V18
    {"nicht erkannt", "erkannt"},                                                          // V19
    {"nicht festgestellt", "festgestellt"},                                                // V20
    {"sind leer", "mindestens 1x mit fehlerhaftem Inhalt!"},                               // V21
    {"wahrscheinlich in Ordnung", "mindestens 1x fehlerhaft oder nicht lesbar"},           // V22
    {"identisch", "unterschiedlich!"},                                                     // V23
    {"Eintrag vorhanden", "Eintrag fehlt!"},                                               // V24
    {"Angabe vorhanden", "Angabe fehlt!"},                                                 // V25
    {"erfolgte schlüsselgerecht oder leer", "ist nicht schlüselgerecht oder nicht leer"},  // V26
    {"stimmen überein", "stimmen nicht überein"},                                          // V27
    {"enthält möglichen Wert", "enthält fehlerhaften Wert"},                               // V28
    {"in Ordnung", "enthält mindestens 1x eine Lücke"},                                    // V29
    {"ist kleiner oder gleich [insgesamt]", "mindestens 1x zu groß"},                      // V30
    {"sind leer", "mindestens 1x belegt"},                                                 // V31
    {"enthält schlüsselgerechte Werte", "enthält mindestens 1x einen falschen Wert"},      // V32
    {"immer kleiner oder gleich der Vertragsstundenzahl",
     "mindestens 1x größer als Vertragsstundenzahl"},  // V33
    {"immer kleiner oder gleich dem Regelstundenmaß",
     "mindestens 1x größer als das Regelstundenmaß"},                            // V34
    {"sind in SOLL-Stunden enthalten ", "sind mind. 1x größer als SOLL-Stdn."},  // V35
    {"mit [zu ert. Stdn. insg.]+-1 Stde. überein",
     "mind. 1x nicht mit [zu ert. Stdn. insg.]+-1 Stde. überein"},                          // V36
    {"ist vorhanden oder nicht nötig", "fehlt"},                                            // V37
    {"enthält richtigen Wert", "enthält mindestens 1x einen falschen Wert"},                // V38
    {"enthält die richtigen Schlüssel", "enthält mindestens 1x einen falschen Schlüssel"},  // V39
    {"nicht belegt", "mindestens 1x belegt"},                                               // V40
    {"ist gegeben", "mindestens 1x nicht vorhanden"},                                       // V41
    {"ist realistisch", "übersteigt interne Verarbeitungsmöglichkeit"},                     // V42
    {"in Ordnung", "mindestens 1x fehlerhaft oder fehlt"},                                  // V43
    {"enthält wahrscheinlich schlüsselgerechte Werte",
     "enthält mindestens 1x einen falschen Wert"},  // V44
    {"nicht gefunden", "mindestens 1x gefunden"},   // V45
    {"nur mit Zeilennummern ab 50 gearbeitet",
     "mindestens 1x eine falsche Zeilennummer verwendet"},                        // V46
    {"korrekt gebildet", "ist nicht identisch mit Gesamtzahl Schüler im FS-U."},  // V47
};

struct DefinedEntry {
  int number;
  int pair;
  const char* title;
  bool is_error;
};

// Defined entries except the six per school type of school table 2, which follow below.
constexpr DefinedEntry kDefined[] = {
    {1, 16, "Allgemeiner Fehler (unspezifiziert)", kHint},
    {2, 19, "Testfehler (für Erprobungen)", kError},
    {3, 16, "Allgemeiner Fehler in der Datenstruktur", kError},
    {4, 20, "Unstimmigkeit in den Grunddaten", kHint},
    {5, 6, "Bezeichnungen der Zellen in der 1. Meldezeile (ES001 --> ES...)", kError},
    {6, 21, "gesperrte Zellen", kError},
    {7, 22, "eingetragene Werte in den Zellen", kError},
    {8, 8, "untergeordnete Spalten (z.B. weibl., Ausl., mit Ausb.vertr. usw.)", kError},
    {9, 8, "untergeordnete Zeilen (z.B. Klassenarten, Berufe usw.)", kError},
    {10, 23, "DST-Nr. in Meldungsdatei und Programm-Einstellungen", kError},
    {11, 24, "Schulaufsichtsbereich", kError},
    {12, 25, "Schulträger", kError},
    {15, 13, "Angabe der Schulart", kError},
    {16, 13, "Angabe der Zeitform", kError},
    {17, 13, "Angabe der Jahrgangsstufe", kError},
    {18, 26, "Angabe der Klassenart", kError},
    {19, 27, "Klassen-Nummer und Nummer in Klassennamen", kError},
    {20, 12, "gesperrte Zelle [Lehrkräfte gesamt;abgeord. LK an die ber.Schule]", kError},
    {21, 12, "gesperrte Zelle [und zwar weiblich;abgeord. LK an die ber.Schule]", kError},
    {22, 12, "gesperrte Zelle [und zwar Ausl.;abgeord. LK an die ber.Schule]", kError},
    {23, 12, "gesperrte Zelle [Abord.Stdn. an andere Schule;abgeord. LK ...]", kError},
    {24, 1, "Summe [Lehrkräfte gesamt]", kError},
    {25, 1, "Summe [und zwar weiblich]", kError},
    {26, 1, "Summe [und zwar Ausländer/-innen]", kError},
    {27, 1, "Summe [Lehrerwochenstunden IST]", kError},
    {28, 1, "Summe [Abordnungstunden an einer anderen Schule]", kError},
    {30, 7, "einzelne gesperrte Zellen [Zeile: 011 (dar. Klassen im Blockunterr.)]", kError},
    {31, 7, "einzelne gesperrte Zellen [Spalte: Klassen 1.Jahrgangsstufe]", kError},
    {32, 7, "einzelne gesperrte Zellen [Spalte: Klassen 2.Jahrgangsstufe]", kError},
    {33, 7, "einzelne gesperrte Zellen [Spalte: Klassen 3.Jahrgangsstufe]", kError},
    {34, 7, "gesperrte Zellen [Bereich: Klassen 4.+5.Jahrgangssufe]", kError},
    {35, 7, "einzelne gesperrte Zellen [Spalte: SchülerInnen 1.Jahrgangsstufe]", kError},
    {36, 7, "einzelne gesperrte Zellen [Spalte: SchülerInnen 2.Jahrgangsstufe]", kError},
    {37, 7, "einzelne gesperrte Zellen [Spalte: SchülerInnen 3.Jahrgangsstufe]", kError},
    {38, 7, "einzelne gesperrte Zellen [Bereich: SchülerInnen 4.+5.Jahrgangsstufe]", kError},
    {39, 1, "Summe []", kError},
    {40, 1, "Summe [Klassen insgesamt]", kError},
    {41, 1, "Summe [Anzahl Klassen 1.Jahrgang]", kError},
    {42, 1, "Summe [Anzahl Klassen 2.Jahrgang]", kError},
    {43, 1, "Summe [Anzahl Klassen 3.Jahrgang]", kError},
    {44, 1, "Summe [Anzahl Klassen 4.Jahrgang]", kError},
    {45, 1, "Summe [Anzahl Klassen 5.Jahrgang]", kError},
    {46, 1, "Summe [Anzahl Schüler/-innen 1.Jahrgang]", kError},
    {47, 1, "Summe [Anzahl Schüler/-innen 2.Jahrgang]", kError},
    {48, 1, "Summe [Anzahl Schüler/-innen 3.Jahrgang]", kError},
    {49, 1, "Summe [Anzahl Schüler/-innen 4.Jahrgang]", kError},
    {50, 1, "Summe [Anzahl SchülerInnen 5.Jahrgang]", kError},
    {51, 1, "Summe [Schüler/-innen insgesamt]", kError},
    {52, 1, "Summe [und zwar weiblich]", kError},
    {53, 1, "Summe [und zwar Ausländer/-innen]", kError},
    {54, 1, "Summe [und zwar mit Behinderungen]", kError},
    {55, 1, "Summe [Lehrerwochenstunden]", kError},
    {56, 1, "Summe [zusätzlich genehmigte Teilungsstunden]", kError},
    {57, 17, "Summe der Klassen in den Schularten/Bildunggängen/Zeitformen", kError},
    {58, 17, "Summe der Schüler/-innen in den Schularten/Bildunggängen/Zeitformen", kError},
    {59, 8, "untergeordnete Spalten (Klassen in Jahrgangsstufen)", kError},
    {60, 8, "untergeordnete Spalten (Schüler/-innen in Jahrgangsstufen)", kError},
    {61, 8, "untergeordnete Spalten (weiblich; Ausländer usw.)", kError},
    {62, 28, "untergeordnete Zeile: 011 ", kError},
    {63, 9, "Zwischensummen in Zeile 020", kError},
    {64, 9, "Zwischensummen in Zeile 030", kError},
    {65, 9, "Zwischensummen in Zeile 160", kError},
    {66, 9, "Zwischensummen in Zeile 170", kError},
    {67, 9, "Zwischensummen in Zeile 080", kError},
    {68, 9, "Zwischensummen in Zeile 120", kError},
    {69, 9, "Zwischensummen in Zeile 130", kError},
    {70, 1, "Summe [Schüler/-innen mit Religionsunterricht insgesamt]", kError},
    {71, 8, "untergeordnete Spalten (evangelisch Vollzeit/Teilzeit)", kError},
    {72, 8, "untergeordnete Spalten (katholisch Vollzeit/Teilzeit)", kError},
    {73, 8, "untergeordnete Spalten (konfessionsübergreifend Vollzeit/Teilzeit)", kError},
    {75, 1, "Summe [und zwar Ausländer/-innen] weiblich", kError},
    {170, 2, "Summe der Zugänge (insgesamt)", kError},
    {171, 2, "Summe der Abgänge (insgesamt)", kError},
    {172, 2, "neuer Bestand (insgesamt)", kError},
    {173, 2, "Summe der Zugänge (weiblich)", kError},
    {174, 2, "Summe der Abgänge (weiblich)", kError},
    {175, 2, "neuer Bestand (weiblich)", kError},
    {180, 29, "Laufende Nummerierung (Lehrer)", kError},
    {181, 11, "Spalte [Geschlecht]", kError},
    {182, 11, "Spalte [Lehramt]", kError},
    {183, 11, "Spalte [Fachliche Qualifikation]", kError},
    {184, 11, "Spalten [Fächer der Lehrbef./Lehrerl.(1..5)]", kError},
    {185, 11, "Spalte [Beschäftigungsumfang]", kError},
    {186, 11, "Spalte [Bestandsänd. Zu-/Abgänge]", kError},
    {190, 1, "Summe [LWS Soll]", kError},
    {191, 1, "Summe [LWS lt. Stundenplan]", kError},
    {192, 1, "Summe [Wöchentl. tats. ert. U.Stdn. insgesamt]", kError},
    {193, 1, "Summe [dav. hauptberufl Lehrkräfte (...) vollbeschäftigt zusammen]", kError},
    {194, 1, "Summe [dav. hauptberufl Lehrkräfte (...) vollbeschäftigt weiblich]", kError},
    {195, 1, "Summe [dav. hauptberufl Lehrkräfte (...) teilbeschäftigt zusammen]", kError},
    {196, 1, "Summe [dav. hauptberufl Lehrkräfte (...) teilbeschäftigt weiblich]", kError},
    {197, 1, "Summe [dav. Mehrarbeit hauptberufliche Lehrkräfte zusammen]", kError},
    {198, 1, "Summe [dav. Mehrarbeit hauptberufliche Lehrkräfte weiblich]", kError},
    {199, 1, "Summe [dav. std.weise nebenberufl. beschäft. Lehrkräfte zusammen]", kError},
    {200, 1, "Summe [dav. std.weise nebenberufl. beschäft. Lehrkräfte weiblich]", kError},
    {201, 6, "Zeilensumme der wöchentl. tats. ert. U.Stdn.", kError},
    {202, 30, "Zeilensumme der wöchentl. tats. ert. U.Std. durch weibl. LK", kError},
    {210, 31, "gesperrte Zellen [ES006 bzw. ES007]", kError},
    {211, 9, "Spaltensummen (Zeile [9])", kError},
    {212, 14, "untergeordnete Spalte [LK, d. v. Kirchen gest. werden, evangelisch]", kError},
    {213, 14, "untergeordnete Spalte [LK, d. v. Kirchen gest. werden, katholisch]", kError},
    {215, 6, "Summe der Lehrpersonen in Zeile [019]", kError},
    {216, 6, "Summe der wöchentl. tats. ert. U.Stdn. (Zeile [029])", kError},
    {217, 6, "Summe der ausländischen Lehrpersonen in Zeile [018]", kError},
    {220, 32, "Spalte [Personengruppe]", kError},
    {221, 33, "SOLL-Stundenzahl ist", kError},
    {222, 34, "Vertragsstundenzahl ist", kError},
    {223, 15, "Kontroll-Berechnung  RglStdnM. - Anrechn.Stdn. + Mehrarb./Ü.Stdn.", kError},
    {224, 15, "Summe der an dieser und an anderer Schule erteilte Stunden", kError},
    {225, 15, "Summe der in den Schularten unterrichteten Stunden", kError},
    {226, 35, "Sabbat-Stdn. und Arbeitszeitkonten-Stdn. ", kError},
    {227, 18, "Vertragsstundenzahl kleiner oder gleich Regelstundenmaß", kError},
    {228, 18, "SOLL-Std. = Vertragsstd. minus ev. U.-Verlag. aus anderem Schuljahr", kError},
    {229, 36, "Kontroll-Berechnung  RglStdnM.-Anrechn.Stdn.+Mehrarb./Ü.Stdn. stimmt", kHint},
    {230, 14, "untergeordnete Zeile [8888 darunter Ausländer/-innen]", kError},
    {231, 37, "zusammenfassende Zeile [9999 (od. 999 od. 99) insgesamt]", kError},
    {232, 38, "Zwischensumme [Schüler/-innen im Ausb.-verh. (...)]", kError},
    {233, 6, "Zwischensumme \"ohne Schulabschluss\"", kError},
    {234, 6, "Spaltensummen [9999 (od. 999 od. 99) (Schüler/-innen) insgesamt]", kError},
    {235, 39, "Schlüsselspalte", kError},
    {236, 40, "gesperrte Zellen [in WoStdn. umger.BlockU.] x [BlockU.] u.[ohne Ang.]", kError},
    {237, 41, "Übereinstimmung der Quertestfelder g) und h)", kError},
    {238, 6, "indirekte Spaltensummen [Schulische Vorbildung (V.B.-Schlüssel 9)]", kError},
    {239, 6, "Spaltensummierung [Schulische Vorbildung 1->9 in Berufsgruppe 9999]", kError},
    {240, 42, "Anzahl der Berufsgruppen", kError},
    {241, 6, "Spaltensummen innnerhalb der Berufsgruppe 9999", kError},
    {242, 43, "Spaltensummen innnerhalb einer Berufsgruppe (xyz0)", kError},
    {243, 44, "Spalte [Kennziffer Ausbildungsrichtung]", kError},
    {244, 6, "Zeilen-Nummerierung (01..99)", kError},
    {245, 45, "Ausbildungszeilen ohne Kreiszuordnung (außer Ausbildungsgruppen)", kError},
    {246, 46, "bei nichtbetrieblichen Ausbildungen wurde", kError},
    {251, 10, "Fußnote a) [Anzahl der Schüler dieser Klasse insgesamt]", kError},
    {252, 10, "Fußnote b) [Anzahl der Schülerinnen dieser Klasse]", kError},
    {253, 10, "Fußnote c) [Anzahl der ausländischen Schüler dieser Klasse insgesamt]", kError},
    {254, 10, "Fußnote d) [Anzahl der ausländischen Schülerinnen dieser Klasse]", kError},
    {255, 10, "Fußnote e) [Anzahl erwerbstät. Schüler mit Ausbildungsvertrag insg.]", kError},
    {256, 10, "Fußnote f) [Anzahl erwerbstät. Schülerinnen mit Ausbildungsvertrag]", kError},
    {257, 10, "Fußnote g) [Anzahl der Schüler d. Kl. im Blockunterricht insgesamt]", kError},
    {258, 10, "Fußnote h) [Anzahl der Schülerinnen d. Kl. im  Blockunterricht]", kError},
    {260, 47, "Summe Schüler mit fremdsp. U. (1 bis n FS)", kError},
};

// Entries that exist but hold nothing but the blank in all three texts.
constexpr int kBlankEntries[] = {13, 14, 29, 74, 76, 77, 78, 79, 158, 159, 160, 250};

// School table 2 checks six things per school type; the k-th type (from 1) owns the numbers
// 6k + 74 to 6k + 79.
constexpr const char* kLeaverSchoolTypes[] = {"010", "020", "030", "060", "070", "080", "100",
                                              "110", "120", "130", "140", "160", "170"};
struct LeaverCheck {
  int pair;
  const char* what;
};
constexpr LeaverCheck kLeaverChecks[] = {
    {2, "Zeilensumme [Absolv./Abgäng. insgesamt]"},
    {2, "Zeilensumme [Absolv./Abgäng. weiblich]"},
    {4, "Spaltensummen (Zeile 9999)"},
    {3, "Summe der zusätzlichen Abschlüsse (insgesamt)"},
    {3, "Summe der zusätzlichen Abschlüsse (weiblich)"},
    {5, "untergeordnete Zeile [darunter Ausländer (8888)]"},
};

std::string Stored(const std::string& text) { return " " + text; }

void Define(ErrorCatalogue& c, int number, int pair, const std::string& title, bool is_error) {
  CatalogueEntry& e = c[number];
  e.title = Stored(title);
  e.passed = Stored(kPairs[pair].passed);
  e.failed = Stored(kPairs[pair].failed);
  e.is_error = is_error;
}

}  // namespace

void InitErrorCatalogue(ErrorCatalogue& catalogue) {
  for (int n = 1; n <= kErrorCount; ++n) {
    CatalogueEntry& e = catalogue[n];
    e.number = static_cast<std::uint16_t>(n);
    e.title = Stored("derzeit nicht benutzt");
    e.passed = Stored("alles OK");
    e.failed = Stored("nicht OK");
    e.is_error = true;
  }
  catalogue[0] = CatalogueEntry{};
  for (const DefinedEntry& d : kDefined) Define(catalogue, d.number, d.pair, d.title, d.is_error);
  for (int n : kBlankEntries) Define(catalogue, n, 0, "", kError);
  int k = 1;
  for (const char* type : kLeaverSchoolTypes) {
    const int base = 6 * k + 74;
    for (int i = 0; i < 6; ++i) {
      Define(catalogue, base + i, kLeaverChecks[i].pair,
             std::string("Schulart ") + type + ": " + kLeaverChecks[i].what, kError);
    }
    ++k;
  }
}

const ErrorCatalogue& TheErrorCatalogue() {
  static const ErrorCatalogue catalogue = [] {
    ErrorCatalogue c;
    InitErrorCatalogue(c);
    return c;
  }();
  return catalogue;
}

void ResetErrorFlags(ErrorFlags& flags) { flags = ErrorFlags{}; }

bool AnyErrorFailed(const ErrorFlags& flags) {
  return std::any_of(flags.failed.begin() + 1, flags.failed.end(), [](bool b) { return b; });
}

bool AnyErrorHint(const ErrorFlags& flags) {
  return std::any_of(flags.hint.begin() + 1, flags.hint.end(), [](bool b) { return b; });
}

void MergeErrorFlags(ErrorFlags& accumulator, const ErrorFlags& current) {
  for (int n = 1; n <= kErrorCount; ++n) {
    accumulator.failed[n] = accumulator.failed[n] || current.failed[n];
    accumulator.hint[n] = accumulator.hint[n] || current.hint[n];
    accumulator.tested[n] = accumulator.tested[n] || current.tested[n];
  }
}

}  // namespace tabulon
