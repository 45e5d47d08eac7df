// One table page, built from its declaration: notices, the class selector where the page has
// one, its grids with their copy buttons, and its buttons. Every page of every sheet is this one
// widget; what differs between pages is data.
#pragma once

#include <QWidget>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/session_tables.h"
#include "sheets/sheet_def.h"

class QBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace tabulon::gui {

class GridView;

class TablePageWidget : public QWidget {
  Q_OBJECT

 public:
  TablePageWidget(const TablePage& page, GridStore& store, QWidget* parent = nullptr);

  const TablePage& page() const { return page_; }
  // The views of the page's grids by definition name.
  const std::map<std::string, GridView*, std::less<>>& views() const { return views_; }
  QListWidget* class_list() const { return class_list_; }
  QLineEdit* new_class_field() const { return new_class_field_; }
  // Shows each notice while it holds, and enables the buttons that depend on one.
  void ShowNotices(const std::vector<std::string_view>& visible);

 signals:
  void CellEdited();
  void Command(tabulon::PageAction action);
  void CopyRequested(QString definition, bool whole, bool first_row);
  void HintChanged(const QString& hint);
  void ClassSelected(int row);
  // The add button with the texts of the identifier and the school's own name.
  void AddClassRequested(QString id, QString school_name);

 private:
  void AddNotices(QVBoxLayout* layout);
  QWidget* BuildNewClassGroup(QBoxLayout*& add_place);
  void AddGrid(const PageGrid& g, QBoxLayout* layout, QBoxLayout* side);
  void AddButtons(QVBoxLayout* layout, QBoxLayout* delete_place, QBoxLayout* add_place);

  const TablePage& page_;
  GridStore& store_;
  std::map<std::string, GridView*, std::less<>> views_;
  std::vector<std::pair<std::string, QLabel*>> notice_labels_;
  std::vector<std::pair<std::string, QPushButton*>> notice_buttons_;
  QListWidget* class_list_ = nullptr;
  QLineEdit* new_class_field_ = nullptr;
  QLineEdit* school_name_field_ = nullptr;
};

}  // namespace tabulon::gui
