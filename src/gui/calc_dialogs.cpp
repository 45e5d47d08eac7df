#include "gui/calc_dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include "calc/prefill.h"
#include "gui/qt_text.h"
#include "ui_calc_dialogs_aendern.h"
#include "ui_calc_dialogs_aendern2.h"
#include "ui_calc_dialogs_bsartgebjahre.h"
#include "ui_calc_dialogs_eingbgr.h"
#include "ui_calc_dialogs_gebjahre.h"

namespace tabulon::gui {
namespace {}  // namespace

AendernDlg::AendernDlg(QWidget* parent) : QDialog(parent), ui_(new ::Ui::AendernDlgForm) {
  ui_->setupUi(this);
  connect(ui_->buttonJa, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->buttonNein, &QPushButton::clicked, this, &QDialog::reject);
}

AendernDlg::~AendernDlg() = default;

void AendernDlg::Load(const CellChangeQuestion& q) {
  ui_->labelColumn->setText(Q(q.column_text));
  ui_->labelRow->setText(Q(q.row_text));
  ui_->labelCurrent->setText(Q(q.current_value));
  ui_->labelNew->setText(Q(q.new_value));
  ui_->buttonNein->setFocus();
}

bool AendernDlg::Ask(const CellChangeQuestion& q) {
  Load(q);
  return exec() == QDialog::Accepted;
}

Aendern2Dlg::Aendern2Dlg(QWidget* parent) : QDialog(parent), ui_(new ::Ui::Aendern2DlgForm) {
  ui_->setupUi(this);
  QPushButton* ja[] = {ui_->buttonJa1, ui_->buttonJa2, ui_->buttonJa3};
  for (int i = 0; i < 3; ++i) {
    connect(ja[i], &QPushButton::clicked, this, [this, i] {
      chosen_ = i + 1;
      accept();
    });
  }
  connect(ui_->buttonNein, &QPushButton::clicked, this, &QDialog::reject);
}

Aendern2Dlg::~Aendern2Dlg() = default;

void Aendern2Dlg::Load(const CellChoiceQuestion& q) {
  chosen_ = 0;
  ui_->labelColumn->setText(Q(q.column_text));
  ui_->labelRow->setText(Q(q.row_text));
  ui_->labelCurrent->setText(Q(q.current_value));
  QLabel* captions[] = {ui_->labelCaption1, ui_->labelCaption2, ui_->labelCaption3};
  QLabel* values[] = {ui_->labelValue1, ui_->labelValue2, ui_->labelValue3};
  for (std::size_t i = 0; i < 3; ++i) {
    captions[i]->setText(Q(q.captions[i]));
    values[i]->setText(Q(q.values[i]));
  }
  adjustSize();  // the new captions may wrap onto more lines than the last ones
  ui_->buttonNein->setFocus();
}

void Aendern2Dlg::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  for (QLabel* caption : {ui_->labelCaption1, ui_->labelCaption2, ui_->labelCaption3}) {
    caption->setMinimumHeight(caption->heightForWidth(caption->width()));
  }
}

int Aendern2Dlg::Choose(const CellChoiceQuestion& q) {
  Load(q);
  return exec() == QDialog::Accepted ? chosen_ : 0;
}

void SetUpYearControls(QSpinBox* von, QSpinBox* bis) {
  von->setRange(kVonYear.min, kVonYear.max);
  von->setValue(kVonYear.start);
  bis->setRange(kBisYear.min, kBisYear.max);
  bis->setValue(kBisYear.start);
  QObject::connect(von, &QSpinBox::valueChanged, bis, [von, bis] {
    bis->setValue(AfterVonChanged({von->value(), bis->value()}).bis);
  });
  QObject::connect(bis, &QSpinBox::valueChanged, von, [von, bis] {
    von->setValue(AfterBisChanged({von->value(), bis->value()}).von);
  });
}

GebJahreDlg::GebJahreDlg(QWidget* parent) : QDialog(parent), ui_(new ::Ui::GebJahreForm) {
  ui_->setupUi(this);
  SetUpYearControls(ui_->spinVon, ui_->spinBis);
  connect(ui_->buttonOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->buttonAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
}

GebJahreDlg::~GebJahreDlg() = default;

BirthYearRange GebJahreDlg::Range() const { return {ui_->spinVon->value(), ui_->spinBis->value()}; }

std::optional<BirthYearRange> GebJahreDlg::Ask() {
  if (exec() != QDialog::Accepted) return std::nullopt;
  return Range();
}

BSartGebJahreDlg::BSartGebJahreDlg(QWidget* parent)
    : QDialog(parent), ui_(new ::Ui::BSartGebJahreForm) {
  ui_->setupUi(this);
  for (const PrefillSchoolType& t : kPrefillSchoolTypes) {
    ui_->listTexts->addItem(QString::fromUtf8(t.display_text));
    ui_->listCodes->addItem(QString::fromUtf8(t.code));
  }
  ui_->listTexts->setCurrentRow(0);
  ui_->listCodes->setCurrentRow(0);
  // Choosing in either list chooses the same position in the other.
  connect(ui_->listTexts, &QListWidget::currentRowChanged, ui_->listCodes,
          [this](int row) { ui_->listCodes->setCurrentRow(row); });
  connect(ui_->listCodes, &QListWidget::currentRowChanged, ui_->listTexts,
          [this](int row) { ui_->listTexts->setCurrentRow(row); });
  SetUpYearControls(ui_->spinVon, ui_->spinBis);
  connect(ui_->buttonOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->buttonAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
}

BSartGebJahreDlg::~BSartGebJahreDlg() = default;

SchoolTypeAndYears BSartGebJahreDlg::Choice() const {
  const QListWidgetItem* item = ui_->listCodes->currentItem();
  const std::string code = item ? S(item->text().left(3)) : std::string();
  return {code, {ui_->spinVon->value(), ui_->spinBis->value()}};
}

std::optional<SchoolTypeAndYears> BSartGebJahreDlg::Ask() {
  if (exec() != QDialog::Accepted) return std::nullopt;
  return Choice();
}

EingBGrDlg::EingBGrDlg(QWidget* parent) : QDialog(parent), ui_(new ::Ui::EingBGrForm) {
  ui_->setupUi(this);
  // Only a close box in the title bar: no help or minimise buttons.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  connect(ui_->buttonOk, &QPushButton::clicked, this, &QDialog::accept);
}

EingBGrDlg::~EingBGrDlg() = default;

std::optional<std::string> EingBGrDlg::Ask(const std::string& current) {
  ui_->editKey->setText(QString::fromUtf8(current.c_str()));
  ui_->editKey->setFocus();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return ui_->editKey->text().toStdString();
}

CalcDialogs::CalcDialogs(QWidget* parent)
    : aendern_(parent), aendern2_(parent), geb_jahre_(parent), bsart_(parent), eing_bgr_(parent) {}

}  // namespace tabulon::gui
