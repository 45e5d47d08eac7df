#include "gui/table_page.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/registry.h"
#include "gui/grid_view.h"
#include "gui/qt_text.h"

namespace tabulon::gui {

TablePageWidget::TablePageWidget(const TablePage& page, GridStore& store, QWidget* parent)
    : QWidget(parent), page_(page), store_(store) {
  auto* layout = new QVBoxLayout(this);
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
    class_list_ = new QListWidget;
    class_list_->setObjectName(QStringLiteral("ClassList"));
    list_label->setBuddy(class_list_);
    list_box->addWidget(list_label);
    list_box->addWidget(class_list_);
    class_row->addLayout(list_box);
    delete_place = new QVBoxLayout;
    delete_place->addStretch(1);
    class_row->addLayout(delete_place);
    connect(class_list_, &QListWidget::currentRowChanged, this, &TablePageWidget::ClassSelected);
    auto* group = new QGroupBox(QStringLiteral("neue Klasse anlegen"));
    auto* group_layout = new QVBoxLayout(group);
    new_class_field_ = new QLineEdit;
    new_class_field_->setObjectName(QStringLiteral("NewClassField"));
    new_class_field_->setMaxLength(6);
    group_layout->addStretch(1);
    group_layout->addWidget(new_class_field_);
    add_place = group_layout;
    class_row->addWidget(group);
    layout->addLayout(class_row);
  }
  for (const PageGrid& g : page.grids) AddGrid(g, layout, class_row);
  AddButtons(layout, delete_place, add_place);
}

// The page's notices: red lines that the session shows while their condition holds.
void TablePageWidget::AddNotices(QVBoxLayout* layout) {
  if (page_.notices.empty()) return;
  auto* row = new QHBoxLayout;
  for (const PageNotice& n : page_.notices) {
    auto* label = new QLabel(Q(n.text));
    label->setObjectName(Q(n.name));
    label->setAccessibleName(Q(n.text));
    label->setStyleSheet(QStringLiteral("color: red;"));
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
  view->setAccessibleName(Q(g.definition));
  view->SetGrid(&store_.GridOf(g.definition));
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
  copy_row->addWidget(copy_table);
  copy_row->addWidget(copy_data);
  copy_row->addStretch(1);
  layout->addLayout(copy_row);
}

void TablePageWidget::AddButtons(QVBoxLayout* layout, QBoxLayout* delete_place,
                                 QBoxLayout* add_place) {
  auto* buttons = new QHBoxLayout;
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
    button->setVisible(!b.hidden);
    if (b.action != PageAction::kNone) {
      const PageAction action = b.action;
      connect(button, &QPushButton::clicked, this, [this, action] { emit Command(action); });
    }
    if (!b.enabled_by_notice.empty()) {
      notice_buttons_.emplace_back(std::string(b.enabled_by_notice), button);
    }
    if (b.action == PageAction::kDeleteClass && delete_place) {
      delete_place->addWidget(button);
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

void TablePageWidget::ShowNotices(const std::vector<std::string_view>& visible) {
  auto shown = [&](const std::string& name) {
    return std::find(visible.begin(), visible.end(), name) != visible.end();
  };
  for (auto& [name, label] : notice_labels_) label->setVisible(shown(name));
  for (auto& [name, button] : notice_buttons_) button->setEnabled(shown(name));
}

}  // namespace tabulon::gui
