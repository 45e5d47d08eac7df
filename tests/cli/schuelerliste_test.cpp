// tabulon-cli schuelerliste: class tables filled from a pupil list, written through their own
// saves (the expected files are counted by hand from the list), the preview and its
// confirmation, classes that do not exist, and lists that are refused.

#include <algorithm>

#include "sheets/class/pupil_list.h"
#include "support/cli_run.h"
#include "text/encoding.h"

namespace tabulon::cli {
namespace {

// Five pupils of ZIM003: three foreigners (Türkei by text and by key, Polen), three trainees in
// two occupation groups.
constexpr const char* kList =
    "Klasse;Geburtsjahr;Geschlecht;Staatsangehörigkeit;Vorbildung;Neuanfänger;"
    "Ausbildungsvertrag;Berufsgruppe;Berufsgruppe Bezeichnung;Vorbildung Azubi\r\n"
    "ZIM003;2005;w;;2;ja;ja;1234;Metall;3\r\n"
    "ZIM003;2005;m;Türkei;3;nein;ja;1234;Metall;2\r\n"
    "ZIM003;2006;w;163;3;ja;nein;;;\r\n"
    "ZIM003;2004;m;Polen;5;ja;ja;5678;Holz;3\r\n"
    "ZIM003;2005;d;deutsch;2;nein;nein;;;\r\n";

constexpr const char* kTable1 =
    "ES001;ES002;ES003;ES004;ES005\r\n"
    "2004;1;0;1;0\r\n"
    "2005;3;1;1;0\r\n"
    "2006;1;1;1;1\r\n"
    "9999;5;2;3;1\r\n";

// Row 2 (key 1) = keys 2 to 4; row 12 (key 99) = row 2 and keys 5 to 10.
constexpr const char* kTable2 =
    "ES001;ES002;ES003;ES004;ES005\r\n"
    "1;4;2;2;2\r\n"
    "2;2;1;1;1\r\n"
    "3;2;1;1;1\r\n"
    "5;1;0;1;0\r\n"
    "99;5;2;3;2\r\n";

class SchuelerlisteTest : public CliTest {
 protected:
  SchuelerlisteTest() {
    Prepare({"SSVB.SSD", "SSVB0.SSD", "SLAND.SSD", "SSAS.SSD", "SSLTF.SSD"});
    EXPECT_EQ(Run({"klasse-anlegen", "ZIM003"}).status, 0);
  }
  std::string List(const std::string& bytes) {
    const fs::path p = dir / "liste.csv";
    WriteBytes(p, bytes);
    return p.string();
  }
};

TEST_F(SchuelerlisteTest, SavesTheCountedTablesByteForByte) {
  WriteBytes(Klasse("ZIM00305.CSV"), "ES001;ES002;ES003\r\n1;4;2\r\n");
  auto r = Run({"schuelerliste", List(kList), "--speichern"});
  ASSERT_EQ(r.status, 0) << r.err << r.out;
  EXPECT_EQ(ReadBytes(Klasse("ZIM00301.CSV")), kTable1);
  EXPECT_EQ(ReadBytes(Klasse("ZIM00302.CSV")), kTable2);
  // Foreigners by country, key order, the total row added by the table's own calculation.
  EXPECT_EQ(ReadBytes(Klasse("ZIM00303.CSV")),
            text::Utf8ToCp850("ES001;ES002;ES003;ES004;ES005;ES006\r\n"
                              "Polen;152;1;0;1;0\r\n"
                              "Türkei;163;2;1;1;0\r\n"
                              "Insgesamt;999;3;1;2;0\r\n"));
  // A block per occupation group; the key-9 rows and the total block are calculated.
  EXPECT_EQ(ReadBytes(Klasse("ZIM00309.CSV")),
            "ES001;ES002;ES003;ES004;ES005\r\n"
            "Auszubildende insgesamt;9999;2;1;0\r\n"
            "Auszubildende insgesamt;9999;3;2;1\r\n"
            "Auszubildende insgesamt;9999;9;3;1\r\n"
            "Metall;1234;2;1;0\r\n"
            "Metall;1234;3;1;1\r\n"
            "Metall;1234;9;2;1\r\n"
            "Holz;5678;3;1;0\r\n"
            "Holz;5678;9;1;\r\n");
  // Columns the list lacks leave their tables as they were.
  EXPECT_EQ(ReadBytes(Klasse("ZIM00305.CSV")), "ES001;ES002;ES003\r\n1;4;2\r\n");
  EXPECT_FALSE(fs::exists(Klasse("ZIM00306.CSV")));
  EXPECT_FALSE(fs::exists(Klasse("ZIM00310.CSV")));
  EXPECT_NE(r.out.find("Gefüllt werden die Tabellen 1, 2, 3, 9.\n"
                       "Tabelle 5 bleibt unverändert, es fehlt: „Ausbildungsstatus“.\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("Zugeordnet: 5 von 5 Schülern; Meldungen: 0; Klassen: 1; "
                       "Tabellen geschrieben: 4.\n"),
            std::string::npos)
      << r.out;

  // The same list again finds every table as it is: the total row's "99" is a key of the key
  // file, so its line is read back.
  r = Run({"schuelerliste", List(kList)});
  EXPECT_EQ(r.status, 0) << r.err;
  for (const char* t : {"Tabelle 1:", "Tabelle 2:", "Tabelle 3:", "Tabelle 9:"}) {
    EXPECT_EQ(r.out.find(std::string("Klasse ZIM003, ") + t), std::string::npos) << r.out;
  }
}

// How a list's encoding and separator are recognised is the list's own test; here the command
// names what it found and counts the same.
TEST_F(SchuelerlisteTest, Windows1252TabSeparatedListGivesTheSameFiles) {
  std::string list = text::Utf8ToCp1252(kList);
  std::replace(list.begin(), list.end(), ';', '\t');
  auto r = Run({"schuelerliste", List(list), "--speichern"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("(Windows-1252, Trennzeichen Tabulator)"), std::string::npos) << r.out;
  EXPECT_EQ(ReadBytes(Klasse("ZIM00301.CSV")), kTable1);
}

TEST_F(SchuelerlisteTest, TypedDataIsOverwrittenOnlyWithUeberschreiben) {
  const std::string typed = "ES001;ES002;ES003;ES004;ES005\r\n2005;7;3;0;0\r\n";
  WriteBytes(Klasse("ZIM00301.CSV"), typed);
  const auto before = Tree(dir / "4711");

  // Without --speichern: the preview only, status 0, nothing written.
  auto r = Run({"schuelerliste", List(kList)});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Tree(dir / "4711"), before);
  EXPECT_NE(r.out.find("Klasse ZIM003, Tabelle 1: 18 Zellen ändern sich (überschreibt erfasste "
                       "Daten)\n"
                       "  Spalte 1, Zeile 2: „2005“ → „2004“\n"
                       "  Spalte 2, Zeile 2: „7“ → „1“\n"
                       "  Spalte 3, Zeile 2: „3“ → „0“\n"
                       "  Spalte 4, Zeile 2: „0“ → „1“\n"
                       "  Spalte 1, Zeile 3: „“ → „2005“\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("Klasse ZIM003, Tabelle 2: "), std::string::npos);
  EXPECT_NE(r.out.find("(nur Vorschau)"), std::string::npos);

  // --speichern without --ueberschreiben: refused, status 1, no table written at all.
  r = Run({"schuelerliste", List(kList), "--speichern"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "Fehler: Tabellen mit erfassten Daten würden überschrieben; nichts gespeichert "
            "(bestätigen mit --ueberschreiben)\n");
  EXPECT_NE(r.out.find("(überschreibt erfasste Daten)"), std::string::npos);
  EXPECT_EQ(Tree(dir / "4711"), before);

  r = Run({"schuelerliste", List(kList), "--speichern", "--ueberschreiben"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadBytes(Klasse("ZIM00301.CSV")), kTable1);
  EXPECT_EQ(ReadBytes(Klasse("ZIM00302.CSV")), kTable2);
}

TEST_F(SchuelerlisteTest, UnknownClassesAreCreatedOnlyWhenAskedAndOnlyWithSafeNames) {
  const std::string list = List(
      "Klasse;Fremdsprachen\n"
      "NEU001;1\n"
      "../x;2\n"
      ";1\n"
      "ZIM003;2\n");
  auto r = Run({"schuelerliste", list, "--speichern"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_FALSE(fs::exists(Klasse("NEU00100.CSV")));
  EXPECT_EQ(ReadBytes(Klasse("ZIM00310.CSV")), "ES001;ES002;ES003;ES004;ES005\r\n1;0;1;0;0\r\n");
  EXPECT_NE(r.out.find("Gemeldet: Zeile 2, Spalte „Klasse“, Wert „NEU001“: die Klasse gibt es "
                       "nicht (anlegen mit --klassen-anlegen)\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("Gemeldet: Zeile 4, Spalte „Klasse“, Wert „“: keine Klasse angegeben\n"),
            std::string::npos)
      << r.out;

  r = Run({"schuelerliste", list, "--speichern", "--klassen-anlegen"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadBytes(Klasse("NEU00100.CSV")),
            "ES001;ES002;ES003;ES004;ES005;ES006\r\n4711;;;;;\r\n");
  EXPECT_EQ(ReadBytes(Klasse("NEU00110.CSV")), "ES001;ES002;ES003;ES004;ES005\r\n1;1;0;0;0\r\n");
  EXPECT_NE(r.out.find("Gemeldet: Zeile 3, Spalte „Klasse“, Wert „../x“: die Klasse kann nicht "
                       "angelegt werden: Die Statistik-Klassenbezeichnung: ../x ist fehlerhaft!\n"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(Run({"klassen"}).out, "NEU001\nZIM003\n");
}

// The reasons a list is refused are the list's own tests; here one reaches standard error with
// the list's name, and nothing is written.
TEST_F(SchuelerlisteTest, RefusedListsWriteNothing) {
  const auto before = Tree(dir.path());
  const std::string list = List("Klasse;Geschlecht\n");
  EXPECT_EQ(Run({"schuelerliste", list, "--speichern", "--ueberschreiben"}),
            (CliResult{2, "", "Fehler: " + list + ": Die Schülerliste enthält keine Schüler.\n"}));
  fs::remove(list);
  EXPECT_EQ(Tree(dir.path()), before);
  auto r = Run({"schuelerliste", (dir / "fehlt.csv").string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_FALSE(r.err.empty());
}

TEST_F(SchuelerlisteTest, TemplateIsWrittenOnceUnlessOverwritten) {
  const std::string t = (dir / "vorlage.csv").string();
  auto r = Run({"schuelerliste", "--vorlage", t});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadBytes(t), class_sheet::PupilListTemplate());
  WriteBytes(t, "eigene Daten");
  r = Run({"schuelerliste", "--vorlage", t});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(ReadBytes(t), "eigene Daten");
  r = Run({"schuelerliste", "--vorlage", t, "--ueberschreiben"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(ReadBytes(t), class_sheet::PupilListTemplate());
  EXPECT_EQ(Run({"schuelerliste", "--vorlage", t, "liste.csv"}).status, 2);
}

TEST_F(SchuelerlisteTest, JsonListsReportsAndChanges) {
  auto r = Run({"schuelerliste",
                List("Klasse;Vorbildung;Geschlecht;Neuanfänger\n"
                     "ZIM003;77;w;ja\nZIM003;2;w;ja\n"),
                "--json"});
  EXPECT_EQ(r.status, 0) << r.err;
  const std::string head = "{\"schueler\":2,\"zugeordnet\":1,\"tabellen_geschrieben\":0,";
  EXPECT_EQ(r.out.substr(0, head.size()), head);
  EXPECT_NE(r.out.find("{\"zeile\":2,\"spalte\":\"Vorbildung\",\"wert\":\"77\",\"grund\":"
                       "\"Schlüssel nicht in SSVB.SSD\"}"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("{\"klasse\":\"ZIM003\",\"tabelle\":2,\"ueberschreibt\":false"),
            std::string::npos);
}

}  // namespace
}  // namespace tabulon::cli
