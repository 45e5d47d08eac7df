// The dialogs of the calculations and the pre-filling: the cell-change question, the three-way
// choice, and the two birth-year dialogs. Each is created once and keeps its last values while
// the program runs; the window's Ui forwards the matching port calls to CalcDialogs.
#pragma once

#include <QDialog>
#include <memory>
#include <optional>

#include "base/ports.h"

namespace Ui {
class AendernDlgForm;
class Aendern2DlgForm;
class GebJahreForm;
class BSartGebJahreForm;
class EingBGrForm;
}  // namespace Ui

class QSpinBox;

namespace tabulon::gui {

// "Zellenwert ändern?": Ja writes, Nein or closing keeps.
class AendernDlg : public QDialog {
  Q_OBJECT
 public:
  explicit AendernDlg(QWidget* parent = nullptr);
  ~AendernDlg() override;
  void Load(const CellChangeQuestion& question);
  bool Ask(const CellChangeQuestion& question);

 private:
  std::unique_ptr<::Ui::AendernDlgForm> ui_;
};

// "Zellenwert auswählen und ändern?": the chosen candidate 1 to 3, or 0 for Nein or closing.
class Aendern2Dlg : public QDialog {
  Q_OBJECT
 public:
  explicit Aendern2Dlg(QWidget* parent = nullptr);
  ~Aendern2Dlg() override;
  void Load(const CellChoiceQuestion& question);
  int Choose(const CellChoiceQuestion& question);
  int chosen() const { return chosen_; }

 protected:
  // The wrapped captions keep the height their lines need at the width they got.
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::unique_ptr<::Ui::Aendern2DlgForm> ui_;
  int chosen_ = 0;
};

// Couples a "von" and a "bis" control: von runs 1950..2010 from 1990, bis 1950..2050 from 2000,
// and moving one past the other drags the other along.
void SetUpYearControls(QSpinBox* von, QSpinBox* bis);

// "Geburtsjahre vortragen ...".
class GebJahreDlg : public QDialog {
  Q_OBJECT
 public:
  explicit GebJahreDlg(QWidget* parent = nullptr);
  ~GebJahreDlg() override;
  BirthYearRange Range() const;
  std::optional<BirthYearRange> Ask();

 private:
  std::unique_ptr<::Ui::GebJahreForm> ui_;
};

// "vortragen von ...": a school type (text and code lists kept in step) and a birth-year range.
class BSartGebJahreDlg : public QDialog {
  Q_OBJECT
 public:
  explicit BSartGebJahreDlg(QWidget* parent = nullptr);
  ~BSartGebJahreDlg() override;
  SchoolTypeAndYears Choice() const;
  std::optional<SchoolTypeAndYears> Ask();

 private:
  std::unique_ptr<::Ui::BSartGebJahreForm> ui_;
};

// "neue Berufsgruppe": one edit for the group key and "OK"; closing the window is the only
// other way out.
class EingBGrDlg : public QDialog {
  Q_OBJECT
 public:
  explicit EingBGrDlg(QWidget* parent = nullptr);
  ~EingBGrDlg() override;
  // The edit shows `current` when the dialog opens.
  std::optional<std::string> Ask(const std::string& current);

 private:
  std::unique_ptr<::Ui::EingBGrForm> ui_;
};

// The dialogs, created once with the main window as parent; the window's Ui implementation
// forwards the port's dialog calls here.
class CalcDialogs {
 public:
  explicit CalcDialogs(QWidget* parent);
  bool AskCellChange(const CellChangeQuestion& q) { return aendern_.Ask(q); }
  int ChooseCellValue(const CellChoiceQuestion& q) { return aendern2_.Choose(q); }
  std::optional<BirthYearRange> AskBirthYears() { return geb_jahre_.Ask(); }
  std::optional<SchoolTypeAndYears> AskSchoolTypeAndYears() { return bsart_.Ask(); }
  std::optional<std::string> AskOccupationGroup() { return eing_bgr_.Ask(std::string()); }

 private:
  AendernDlg aendern_;
  Aendern2Dlg aendern2_;
  GebJahreDlg geb_jahre_;
  BSartGebJahreDlg bsart_;
  EingBGrDlg eing_bgr_;
};

}  // namespace tabulon::gui
