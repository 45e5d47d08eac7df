#include "gui/calc_dialogs.h"

#include <QLabel>
#include <QListWidget>
#include <QSpinBox>

#include "gui_test_base.h"

namespace tabulon::gui {
namespace {

std::string S(const QString& s) { return s.toStdString(); }

QPushButton* Button(QWidget& dlg, const char* name) { return Child<QPushButton>(dlg, name); }
std::string Label(QWidget& dlg, const char* name) { return S(Child<QLabel>(dlg, name)->text()); }

// Presses a button of the dialog once its event loop runs.
void PressLater(QPushButton* button) {
  QTimer::singleShot(0, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
}

TEST(AendernDlgTest, ShowsTheQuestionAndAnswersJaOrNein) {
  AendernDlg dlg;
  EXPECT_EQ(S(dlg.windowTitle()), "Zellenwert ändern?");
  EXPECT_EQ(Label(dlg, "labelAktuell"), "aktueller Wert:");
  EXPECT_EQ(Label(dlg, "labelUeberschreiben"), "Überschreiben mit neuem Wert?:");
  const CellChangeQuestion q{"Klassen insg.", "Insgesamt", "3", "4"};
  PressLater(Button(dlg, "buttonJa"));
  EXPECT_TRUE(dlg.Ask(q));
  EXPECT_EQ(Label(dlg, "labelColumn"), "Klassen insg.");
  EXPECT_EQ(Label(dlg, "labelRow"), "Insgesamt");
  EXPECT_EQ(Label(dlg, "labelCurrent"), "3");
  EXPECT_EQ(Label(dlg, "labelNew"), "4");
  PressLater(Button(dlg, "buttonNein"));
  EXPECT_FALSE(dlg.Ask(q));
}

TEST(Aendern2DlgTest, EachJaChoosesItsCandidateAndNeinNone) {
  Aendern2Dlg dlg;
  EXPECT_EQ(S(dlg.windowTitle()), "Zellenwert auswählen und ändern?");
  EXPECT_EQ(Label(dlg, "labelBerechnet"), "berechnet aus:");
  CellChoiceQuestion q;
  q.column_text = "zu erteil. Stdn. insg.";
  q.row_text = "Zeile: 5  Lehrer-Nr.: 17";
  q.current_value = "20";
  q.captions = {"Std.n  SOLL+ATZ-Anrechnung+MehrArb.", "Std.n nach Schulort",
                "Stunden nach Schularten"};
  q.values = {"24", "25", "26"};
  QPushButton* ja[] = {Button(dlg, "buttonJa1"), Button(dlg, "buttonJa2"),
                       Button(dlg, "buttonJa3")};
  for (int i = 0; i < 3; ++i) {
    PressLater(ja[i]);
    EXPECT_EQ(dlg.Choose(q), i + 1);
  }
  EXPECT_EQ(Label(dlg, "labelRow"), "Zeile: 5  Lehrer-Nr.: 17");
  EXPECT_EQ(Label(dlg, "labelCaption2"), "Std.n nach Schulort");
  EXPECT_EQ(Label(dlg, "labelValue3"), "26");
  PressLater(Button(dlg, "buttonNein"));
  EXPECT_EQ(dlg.Choose(q), 0);
}

TEST(GebJahreDlgTest, LimitsStartValuesAndCoupling) {
  GebJahreDlg dlg;
  EXPECT_EQ(S(dlg.windowTitle()), "Geburtsjahre vortragen ...");
  QSpinBox* von = Child<QSpinBox>(dlg, "spinVon");
  QSpinBox* bis = Child<QSpinBox>(dlg, "spinBis");
  EXPECT_EQ(dlg.Range(), (BirthYearRange{1990, 2000}));
  EXPECT_EQ(von->minimum(), 1950);
  EXPECT_EQ(von->maximum(), 2010);
  EXPECT_EQ(bis->minimum(), 1950);
  EXPECT_EQ(bis->maximum(), 2050);
  von->setValue(2005);  // past "bis": "bis" follows
  EXPECT_EQ(dlg.Range(), (BirthYearRange{2005, 2005}));
  bis->setValue(1995);  // below "von": "von" follows
  EXPECT_EQ(dlg.Range(), (BirthYearRange{1995, 1995}));
  von->setValue(2100);  // beyond the control's range
  EXPECT_EQ(von->value(), 2010);
  PressLater(Button(dlg, "buttonOk"));
  EXPECT_EQ(dlg.Ask(), (std::optional<BirthYearRange>{{2010, 2010}}));
  PressLater(Button(dlg, "buttonAbbrechen"));
  EXPECT_EQ(dlg.Ask(), std::nullopt);
  EXPECT_EQ(dlg.Range(), (BirthYearRange{2010, 2010}));  // kept for the next time
}

TEST(BSartGebJahreDlgTest, ListsStayInStepAndOkTakesCodeAndYears) {
  BSartGebJahreDlg dlg;
  EXPECT_EQ(S(dlg.windowTitle()), "vortragen von ...");
  QListWidget* texts = Child<QListWidget>(dlg, "listTexts");
  QListWidget* codes = Child<QListWidget>(dlg, "listCodes");
  ASSERT_EQ(texts->count(), 11);
  ASSERT_EQ(codes->count(), 11);
  EXPECT_EQ(S(texts->item(0)->text()), "BS...Berufsschule (ohne BVJ u. BVB) TZ");
  EXPECT_EQ(texts->currentRow(), 0);
  EXPECT_EQ(codes->currentRow(), 0);
  QList<QListWidgetItem*> fg = texts->findItems("FG...Fachgymnasium", Qt::MatchExactly);
  ASSERT_EQ(fg.size(), 1);
  QTest::mouseClick(texts->viewport(), Qt::LeftButton, {}, texts->visualItemRect(fg[0]).center());
  EXPECT_EQ(S(codes->currentItem()->text()), "100");
  codes->setCurrentRow(2);
  EXPECT_EQ(S(texts->currentItem()->text()), "BVB...Berufsvorbereitende Bildungsmaßnahme TZ");
  Child<QSpinBox>(dlg, "spinVon")->setValue(2001);
  Child<QSpinBox>(dlg, "spinBis")->setValue(2003);
  PressLater(Button(dlg, "buttonOk"));
  EXPECT_EQ(dlg.Ask(), (std::optional<SchoolTypeAndYears>{{"030", {2001, 2003}}}));
  PressLater(Button(dlg, "buttonAbbrechen"));
  EXPECT_EQ(dlg.Ask(), std::nullopt);
}

}  // namespace
}  // namespace tabulon::gui
