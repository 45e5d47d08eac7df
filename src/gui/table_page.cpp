#include "gui/table_page.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <map>

#include "app/registry.h"
#include "gui/grid_view.h"
#include "gui/qt_text.h"
#include "gui/startup.h"

namespace tabulon::gui {

QStringList WithMnemonics(const QStringList& captions, const QString& reserved) {
  const QString blocked = reserved.toLower();
  // Each caption's candidate positions, word starts first; a letter only once per caption.
  std::vector<std::vector<int>> candidates(captions.size());
  for (int k = 0; k < captions.size(); ++k) {
    const QString& caption = captions[k];
    QString seen;
    // Word starts, other letters, then digits for a caption without a free letter.
    for (int pass = 0; pass < 3; ++pass) {
      for (int i = 0; i < caption.size(); ++i) {
        const QChar c = caption[i].toLower();
        const bool word_start = i == 0 || !caption[i - 1].isLetterOrNumber();
        if (c.unicode() >= 128) continue;
        if (pass < 2 && (!c.isLetter() || (pass == 0) != word_start)) continue;
        if (pass == 2 && !c.isDigit()) continue;
        if (blocked.contains(c) || seen.contains(c)) continue;
        seen += c;
        candidates[k].push_back(i);
      }
    }
  }
  // Captions in order each take their most preferred free letter; where none is free, the holder
  // of one moves to another of its letters if it can, so that as many captions as possible get one.
  std::map<QChar, int> owner;                    // letter -> caption
  std::vector<int> chosen(captions.size(), -1);  // caption -> position
  std::function<bool(int, QString&)> place = [&](int k, QString& visited) {
    for (int i : candidates[k]) {
      const QChar c = captions[k][i].toLower();
      if (!visited.contains(c) && owner.find(c) == owner.end()) {
        owner[c] = k;
        chosen[k] = i;
        return true;
      }
    }
    for (int i : candidates[k]) {
      const QChar c = captions[k][i].toLower();
      if (visited.contains(c)) continue;
      visited += c;
      auto it = owner.find(c);
      if (it == owner.end() || place(it->second, visited)) {
        owner[c] = k;
        chosen[k] = i;
        return true;
      }
    }
    return false;
  };
  for (int k = 0; k < captions.size(); ++k) {
    QString visited;
    place(k, visited);
  }
  QStringList out;
  for (int k = 0; k < captions.size(); ++k) {
    QString text;
    for (int i = 0; i < captions[k].size(); ++i) {
      if (i == chosen[k]) text += QLatin1Char('&');
      text += captions[k][i];
      if (captions[k][i] == QLatin1Char('&')) text += QLatin1Char('&');
    }
    out << text;
  }
  return out;
}

QString GridAccessibleName(const TablePage& page, const PageGrid& grid) {
  const SheetDef* sheet = FindSheetOfDefinition(grid.definition);
  const TableDef* def = sheet ? sheet->FindTable(grid.definition) : nullptr;
  QString caption = Q(page.caption);
  if (def == nullptr || def->title.empty() || Q(def->title) == caption) return caption;
  return QStringLiteral("%1 (%2)").arg(Q(def->title), caption);
}

TablePageWidget::TablePageWidget(const TablePage& page, GridStore& store, QWidget* parent)
    : QWidget(parent), page_(page), store_(store) {}

void TablePageWidget::showEvent(QShowEvent* event) {
  if (!built_) {
    Build();
    // Controls added to a page already on the screen would appear only a turn of the event loop
    // later; they are shown now, as if they had been there before.
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (!(w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide))) w->show();
    }
    layout()->activate();
  }
  QWidget::showEvent(event);
}

void TablePageWidget::Build() {
  if (built_) return;
  built_ = true;
  const TablePage& page = page_;
  // With a large font the page may need more room than the window has: it scrolls then, instead
  // of squeezing its buttons and fields until their texts are cut.
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* scroll = new QScrollArea;
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus);
  scroll->setWidgetResizable(true);
  auto* content = new QWidget;
  scroll->setWidget(content);
  outer->addWidget(scroll);
  auto* layout = new QVBoxLayout(content);
  if (!page.notice_text.empty() && SheetOf(page.sheet).enabled) {
    auto* text = new QLabel(Q(page.notice_text));
    text->setWordWrap(true);
    layout->addWidget(text);
  }
  AddNotices(layout);
  QHBoxLayout* class_row = nullptr;
  // The class page keeps its delete button beside the list and its add button in the group of
  // the new identifier, where they act; the bottom row would not hold them all.
  QBoxLayout* delete_place = nullptr;
  QBoxLayout* add_place = nullptr;
  if (page.class_selector) {
    class_row = new QHBoxLayout;
    auto* list_box = new QVBoxLayout;
    auto* list_label = new QLabel(QStringLiteral("Klassen:"));
    SetTextLook(list_label, list_label->palette().color(QPalette::WindowText), /*bold=*/true);
    class_list_ = new QListWidget;
    class_list_->setObjectName(QStringLiteral("ClassList"));
    class_list_->setAccessibleName(QStringLiteral("Klassen"));
    list_label->setBuddy(class_list_);
    list_box->addWidget(list_label);
    list_box->addWidget(class_list_);
    class_row->addLayout(list_box);
    delete_place = new QVBoxLayout;
    delete_place->addStretch(1);
    class_row->addLayout(delete_place);
    connect(class_list_, &QListWidget::currentRowChanged, this, &TablePageWidget::ClassSelected);
    class_row->addWidget(BuildNewClassGroup(add_place));
    layout->addLayout(class_row);
  }
  for (const PageGrid& g : page.grids) AddGrid(g, layout, class_row);
  AddButtons(layout, delete_place, add_place);
  emit Built();
}

// "neue Klasse anlegen": the identifier, the school's own name in a grey "optional" group, and
// the add button (placed by AddButtons).
QWidget* TablePageWidget::BuildNewClassGroup(QBoxLayout*& add_place) {
  auto* group = new QGroupBox(QStringLiteral("neue Klasse anlegen"));
  auto* group_layout = new QVBoxLayout(group);
  auto* id_label = new QLabel(QStringLiteral("Statistik-Bezeichnung:"));
  new_class_field_ = new QLineEdit;
  new_class_field_->setObjectName(QStringLiteral("NewClassField"));
  new_class_field_->setAccessibleName(QStringLiteral("neue Klasse anlegen: Statistik-Bezeichnung"));
  new_class_field_->setMaxLength(6);
  const QString id_hint = QStringLiteral(
      "3 Buchstaben (Berufsbezeichnung) + laufende Nummer (3-ziffrig)    z.B.: ZIM003");
  id_label->setToolTip(id_hint);
  new_class_field_->setToolTip(id_hint);
  id_label->setBuddy(new_class_field_);
  group_layout->addWidget(id_label);
  group_layout->addWidget(new_class_field_);
  auto* optional = new QGroupBox(QStringLiteral("optional: "));
  // A grey group: the school's own name is optional.
  QPalette grey = optional->palette();
  grey.setColor(QPalette::Window, QColor(0xd4, 0xd0, 0xc8));
  optional->setPalette(grey);
  optional->setAutoFillBackground(true);
  auto* optional_layout = new QVBoxLayout(optional);
  auto* name_label = new QLabel(QStringLiteral("schulinterne Bezeichnung:"));
  name_label->setToolTip(
      QStringLiteral("übliche schulinterne Bezeichnung der Klasse    z.B.: ZIM32"));
  school_name_field_ = new QLineEdit;
  school_name_field_->setObjectName(QStringLiteral("SchoolNameField"));
  school_name_field_->setAccessibleName(QStringLiteral("schulinterne Bezeichnung"));
  school_name_field_->setToolTip(
      QStringLiteral("Klassenbezeichnung, wie sie an der Schule üblich ist"));
  name_label->setBuddy(school_name_field_);
  optional_layout->addWidget(name_label);
  optional_layout->addWidget(school_name_field_);
  optional_layout->addWidget(new QLabel(QStringLiteral("Nur für programminterne \nZwecke! ")));
  group_layout->addWidget(optional);
  add_place = group_layout;
  return group;
}

// The page's notices: red lines that the session shows while their condition holds.
void TablePageWidget::AddNotices(QVBoxLayout* layout) {
  if (page_.notices.empty()) return;
  auto* row = new QHBoxLayout;
  for (const PageNotice& n : page_.notices) {
    auto* label = new QLabel(Q(n.text));
    label->setObjectName(Q(n.name));
    label->setAccessibleName(Q(n.text));
    SetTextLook(label, Qt::red);
    label->setWordWrap(true);
    label->hide();
    notice_labels_.emplace_back(std::string(n.name), label);
    row->addWidget(label);
  }
  row->addStretch(1);
  layout->addLayout(row);
}

void TablePageWidget::AddGrid(const PageGrid& g, QBoxLayout* layout, QBoxLayout* side) {
  auto* view = new GridView;
  view->setObjectName(Q(g.name));
  // Announced by what the person sees: the table's title and page, the sheet as description.
  view->setAccessibleName(GridAccessibleName(page_, g));
  const SheetDef& sheet = SheetOf(page_.sheet);
  view->setAccessibleDescription(Q(sheet.hint.empty() ? sheet.caption : sheet.hint));
  if (first_grid_ == nullptr) first_grid_ = view;
  view->SetGrid(&store_.GridOf(g.definition));
  if (!g.hint.empty()) view->setToolTip(Q(g.hint));
  views_[std::string(g.definition)] = view;
  if (g.reports_edits) {
    connect(view->grid_model(), &GridModel::CellEdited, this, &TablePageWidget::CellEdited);
  }
  connect(view, &GridView::HintChanged, this, &TablePageWidget::HintChanged);
  if (!g.copy_buttons) {
    auto* group = new QGroupBox(QStringLiteral("(optionale) interne Zusatz-Informationen"));
    auto* group_layout = new QVBoxLayout(group);
    group_layout->addWidget(view);
    (side ? side : layout)->addWidget(group, 2);
    return;
  }
  layout->addWidget(view, 1);
  auto* copy_row = new QHBoxLayout;
  auto* copy_table = new QPushButton(Q(kCopyTableCaption));
  copy_table->setToolTip(Q(kCopyTableHint));
  copy_table->setStatusTip(Q(kCopyTableHint));
  copy_table->setObjectName(Q(g.name) + QStringLiteral("CopyTable"));
  auto* copy_data = new QPushButton(Q(kCopyDataCaption));
  copy_data->setToolTip(Q(kCopyDataHint));
  copy_data->setStatusTip(Q(kCopyDataHint));
  copy_data->setObjectName(Q(g.name) + QStringLiteral("CopyData"));
  const QString def = Q(g.definition);
  const bool first_row = g.copy_data_with_first_row;
  connect(copy_table, &QPushButton::clicked, this,
          [this, def] { emit CopyRequested(def, true, false); });
  connect(copy_data, &QPushButton::clicked, this,
          [this, def, first_row] { emit CopyRequested(def, false, first_row); });
  // A page with two grids has two pairs of copy buttons: their names say which grid they copy.
  const auto copy_grids = std::count_if(page_.grids.begin(), page_.grids.end(),
                                        [](const PageGrid& p) { return p.copy_buttons; });
  if (copy_grids > 1) {
    copy_table->setAccessibleName(Q(kCopyTableCaption) + QStringLiteral(": ") +
                                  GridAccessibleName(page_, g));
    copy_data->setAccessibleName(Q(kCopyDataCaption) + QStringLiteral(": ") +
                                 GridAccessibleName(page_, g));
  }
  buttons_.emplace_back(copy_table, Q(kCopyTableCaption));
  buttons_.emplace_back(copy_data, Q(kCopyDataCaption));
  copy_row->addWidget(copy_table);
  copy_row->addWidget(copy_data);
  copy_row->addStretch(1);
  layout->addLayout(copy_row);
}

void TablePageWidget::AddButtons(QVBoxLayout* layout, QBoxLayout* delete_place,
                                 QBoxLayout* add_place) {
  auto* buttons = new QHBoxLayout;
  // The page's own buttons come first when the letters are handed out.
  std::size_t page_buttons = 0;
  for (const PageButton& b : page_.buttons) {
    auto* button = new QPushButton(Q(b.caption));
    button->setObjectName(QStringLiteral("Button_%1_%2_%3")
                              .arg(SheetIndex(page_.sheet))
                              .arg(page_.table)
                              .arg(static_cast<int>(b.action)));
    if (!b.hint.empty()) {
      button->setToolTip(Q(b.hint));
      button->setStatusTip(Q(b.hint));
    }
    // Not yet in a layout, a button made visible would open as a window of its own.
    if (b.hidden) button->hide();
    if (!b.hidden) buttons_.emplace(buttons_.begin() + page_buttons++, button, Q(b.caption));
    if (b.action == PageAction::kAddClass && new_class_field_ && school_name_field_) {
      // The add button takes the two fields' texts as they stand.
      connect(button, &QPushButton::clicked, this, [this] {
        emit AddClassRequested(new_class_field_->text(), school_name_field_->text());
      });
    } else if (b.action != PageAction::kNone) {
      const PageAction action = b.action;
      connect(button, &QPushButton::clicked, this, [this, action] { emit Command(action); });
    }
    if (!b.enabled_by_notice.empty()) {
      notice_buttons_.emplace_back(std::string(b.enabled_by_notice), button);
    }
    if (b.action == PageAction::kDeleteClass && delete_place) {
      delete_place->addWidget(button);
      auto* trash = new QLabel;
      trash->setPixmap(style()->standardIcon(QStyle::SP_TrashIcon).pixmap(32, 32));
      trash->setToolTip(QStringLiteral("Ziel: Windows-Papierkorb"));
      trash->setAccessibleName(QStringLiteral("Ziel: Windows-Papierkorb"));
      delete_place->addWidget(trash);
      delete_place->addStretch(1);
    } else if (b.action == PageAction::kAddClass && add_place) {
      add_place->addWidget(button);
      add_place->addStretch(1);
    } else {
      buttons->addWidget(button);
    }
  }
  buttons->addStretch(1);
  layout->addLayout(buttons);
}

void TablePageWidget::AssignMnemonics(const QString& reserved) {
  QStringList captions;
  for (const auto& [button, caption] : buttons_) captions << caption;
  const QStringList texts = WithMnemonics(captions, reserved);
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i].first->setText(texts[static_cast<int>(i)]);
  }
}

GridView* TablePageWidget::FirstGrid() const { return first_grid_; }

void TablePageWidget::ShowNotices(const std::vector<std::string_view>& visible) {
  auto shown = [&](const std::string& name) {
    return std::find(visible.begin(), visible.end(), name) != visible.end();
  };
  for (auto& [name, label] : notice_labels_) label->setVisible(shown(name));
  for (auto& [name, button] : notice_buttons_) button->setEnabled(shown(name));
}

}  // namespace tabulon::gui
