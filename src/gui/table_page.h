// One table page, built from its declaration: notices, the class selector where the page has
// one, its grids with their copy buttons, and its buttons. Every page of every sheet is this one
// widget; what differs between pages is data.
#pragma once

#include <QStringList>
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

// Gives each caption a mnemonic (Alt+letter): a word's first letter where it is free, else any
// free letter, else a free digit; never one of `reserved` (the menus' letters) and never twice.
// A caption with nothing free stays without one; "&" in a caption is kept as text.
QStringList WithMnemonics(const QStringList& captions, const QString& reserved);
// The name a screen reader announces for a grid: the table's title and the page's caption.
QString GridAccessibleName(const TablePage& page, const PageGrid& grid);

// The page's controls are built when it is first shown (or when Build() is called), so that the
// window appears without building the pages nobody has opened yet.
class TablePageWidget : public QWidget {
  Q_OBJECT

 public:
  TablePageWidget(const TablePage& page, GridStore& store, QWidget* parent = nullptr);
  // Builds the page's controls once; emits Built().
  void Build();
  bool built() const { return built_; }

  const TablePage& page() const { return page_; }
  // The views of the page's grids by definition name.
  const std::map<std::string, GridView*, std::less<>>& views() const { return views_; }
  QListWidget* class_list() const { return class_list_; }
  QLineEdit* new_class_field() const { return new_class_field_; }
  // Shows each notice while it holds, and enables the buttons that depend on one.
  void ShowNotices(const std::vector<std::string_view>& visible);
  // Gives the page's visible buttons their mnemonics, avoiding the letters in `reserved`.
  void AssignMnemonics(const QString& reserved);
  // The grid the keyboard goes to when the page is shown: its first.
  GridView* FirstGrid() const;

 signals:
  void CellEdited();
  void Command(tabulon::PageAction action);
  void CopyRequested(QString definition, bool whole, bool first_row);
  void HintChanged(const QString& hint);
  void ClassSelected(int row);
  // The add button with the texts of the identifier and the school's own name.
  void AddClassRequested(QString id, QString school_name);
  // The controls exist now: views(), class_list() and the buttons.
  void Built();

 protected:
  void showEvent(QShowEvent* event) override;

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
  std::vector<std::pair<QPushButton*, QString>> buttons_;  // with their captions
  GridView* first_grid_ = nullptr;
  bool built_ = false;
};

}  // namespace tabulon::gui
