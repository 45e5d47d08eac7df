// "Datei → Schülerliste importieren ...": the backup question and the file dialog first, then the
// preview; "Abbrechen" writes nothing, "Übernehmen" writes the counted tables, shows them in the
// grid and reports; a list without "Klasse" is refused naming the headers it has.

#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QTableView>

#include "gui/pupil_import_dialog.h"
#include "gui/whole_check_window.h"
#include "gui_test_base.h"

namespace tabulon::gui {
namespace {

// Three pupils of ZIM003 (one a foreigner) and one of a class that does not exist.
constexpr const char* kList =
    "Klasse;Geburtsjahr;Geschlecht;Staatsangehörigkeit;Fremdsprachen\r\n"
    "ZIM003;2005;w;;1\r\n"
    "ZIM003;2005;m;Türkei;2\r\n"
    "NEU001;2005;m;;1\r\n"
    "ZIM003;2006;w;deutsch;0\r\n";

class PupilImportTest : public GuiTestBase {
 protected:
  void Open() {
    WriteBytes(ClassFile("ZIM00300.CSV"), "ES001;ES002;ES003;ES004;ES005;ES006\r\n4711;;;;;\r\n");
    WriteBytes(list, kList);
    OpenSchool({"SSSA.SSD", "SSVB.SSD", "SSVB0.SSD", "SLAND.SSD"});
  }
  // Runs the menu item; `inspect` gets the preview dialog (none comes when it is not called).
  void Import(const fs::path& file, const std::function<void(PupilImportDialog&)>& inspect,
              bool backup = false) {
    ui.questions.clear();
    ui.answers = {backup};  // "Vor dem Import sichern?"
    ui.files = {file};
    if (inspect) {
      OnNextModal([inspect](QWidget* modal) {
        auto* d = qobject_cast<PupilImportDialog*>(modal);
        ASSERT_NE(d, nullptr);
        inspect(*d);
      });
    }
    window->action(QStringLiteral("PupilImport"))->trigger();
    ASSERT_GE(ui.questions.size(), 2u);
    EXPECT_EQ(ui.questions[0],
              (RecordedMessage{MessageKind::kInformation, "Vor dem Import sichern?"}));
    EXPECT_EQ(ui.questions[1].text, "Datei: Schülerliste importieren");
  }
  static QStringList Row(const QAbstractItemModel& m, int row) {
    QStringList cells;
    for (int c = 0; c < m.columnCount(); ++c) cells << m.index(row, c).data().toString();
    return cells;
  }
  fs::path list = dir.path() / "liste.csv";
};

TEST_F(PupilImportTest, PreviewThenAbbrechenWritesNothing) {
  Open();
  testing::Files before;
  Import(list, [&](PupilImportDialog& d) {
    // The table shown was saved before; from here on nothing may change on disk.
    before = Tree(dir.path());
    EXPECT_NE(d.summary()->text().indexOf(QStringLiteral("Gefüllt werden die Tabellen 1, 10.")), -1)
        << d.summary()->text().toStdString();
    const QAbstractItemModel& m = *d.preview()->model();
    EXPECT_EQ(Row(m, 0), (QStringList{"ZIM003", "1", "Geburtsjahr", "2", "2005", "", "2005", ""}));
    ASSERT_EQ(d.reports()->model()->rowCount(), 1);
    EXPECT_EQ(d.reports()->model()->index(0, 0).data().toString(),
              QStringLiteral("Zeile 4, Spalte „Klasse“, Wert „NEU001“: die Klasse gibt es nicht "
                             "(anlegen mit „Fehlende Klassen anlegen“)"));
    EXPECT_EQ(d.preview()->accessibleName(), QStringLiteral("Vorschau der Änderungen (alt → neu)"));
    // With the check box the new class joins the preview, after the rows of ZIM003.
    d.create_classes()->setChecked(true);
    EXPECT_EQ(d.reports()->model()->rowCount(), 0);
    EXPECT_EQ(Row(m, m.rowCount() - 1)[0], QStringLiteral("NEU001"));
    QTest::mouseClick(d.cancel_button(), Qt::LeftButton);
  });
  EXPECT_EQ(Tree(dir.path()), before);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PupilImportTest, UebernehmenWritesTheCountedTablesShowsThemAndReports) {
  Open();
  window->sheet_tabs()->setCurrentIndex(3);
  window->session().ClassClicked(0);
  window->table_tabs(3)->setCurrentIndex(1);
  ASSERT_EQ(window->session().current_class(), "ZIM003");
  ui.messages.clear();
  Import(list, [](PupilImportDialog& d) { QTest::mouseClick(d.apply_button(), Qt::LeftButton); });
  EXPECT_EQ(ReadBytes(ClassFile("ZIM00301.CSV")),
            "ES001;ES002;ES003;ES004;ES005\r\n"
            "2005;2;1;1;0\r\n"
            "2006;1;1;0;0\r\n"
            "9999;3;2;1;0\r\n");
  EXPECT_EQ(ReadBytes(ClassFile("ZIM00310.CSV")), "ES001;ES002;ES003;ES004;ES005\r\n2;1;1;0;0\r\n");
  EXPECT_FALSE(fs::exists(ClassFile("NEU00100.CSV")));
  // The grid shown was loaded again from the file written.
  EXPECT_EQ(window->GridViewOf("Bog3Tab1")->grid_model()->grid()->Cell(2, 4), "3");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(
      ui.messages[0],
      (RecordedMessage{MessageKind::kInformation,
                       "Schülerliste übernommen:\rZugeordnet: 3 von 4 Schülern; Meldungen: 1; "
                       "Klassen: 1; Tabellen geschrieben: 2.\rKlassentests: Test nicht "
                       "bestanden!"}));
  // Table 0 of ZIM003 is still empty: its findings are listed as in the whole-school check.
  auto* checks = window->findChild<WholeCheckWindow*>(QStringLiteral("PupilImportChecks"));
  ASSERT_NE(checks, nullptr);
  ASSERT_FALSE(checks->findings().empty());
  for (const WholeCheckFinding& f : checks->findings()) {
    EXPECT_EQ(f.class_id, "ZIM003");
  }
}

TEST_F(PupilImportTest, AListWithoutKlasseIsRefusedNamingItsHeaders) {
  Open();
  const fs::path bad = dir.path() / "falsch.csv";
  WriteBytes(bad, "Name;Vorname;Jahrgang\r\nA;B;2005\r\n");
  const auto before = Tree(dir.path() / "4711" / "KLASSE");
  Import(bad, {}, /*backup=*/true);
  EXPECT_EQ(Tree(dir.path() / "4711" / "KLASSE"), before);
  // The backup came first, without a second question.
  EXPECT_EQ(Tree(dir.path() / "BAK" / "4711" / "KLASSE"), before);
  EXPECT_EQ(ui.questions.size(), 2u);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0],
            (RecordedMessage{MessageKind::kError,
                             "Die Schülerliste kann nicht gelesen werden:\r" + bad.string() +
                                 "\rDie Schülerliste hat keine Spalte „Klasse“. Gefundene Spalten: "
                                 "„Name“, „Vorname“, „Jahrgang“."}));
}

}  // namespace
}  // namespace tabulon::gui
