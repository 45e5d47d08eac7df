// The help: German HTML pages beside the program, with their contents, an index and a search.
#pragma once

#include <QWidget>
#include <filesystem>

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace tabulon::gui {

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit HelpWindow(std::filesystem::path help_dir, QWidget* parent = nullptr);
  // "" the start page, "inhalt" the table of contents, "suche" the search field.
  void ShowTopic(const QString& topic);
  // The pages whose text holds every word of the query, by their titles.
  QStringList Search(const QString& query) const;
  QTextBrowser* browser() const { return browser_; }
  QLineEdit* search_field() const { return search_; }
  QListWidget* results() const { return results_; }

 private:
  void RunSearch();

  std::filesystem::path help_dir_;
  QLineEdit* search_;
  QListWidget* results_;
  QTextBrowser* browser_;
};

}  // namespace tabulon::gui
