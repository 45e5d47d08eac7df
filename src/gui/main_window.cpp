#include "gui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/clipboard.h"
#include "app/export.h"
#include "app/print.h"
#include "app/quick_mail.h"
#include "app/session_plausi.h"
#include "files/files.h"
#include "gui/accessibility.h"
#include "gui/dialogs.h"
#include "gui/error_window.h"
#include "gui/grid_view.h"
#include "gui/mail_dialog.h"
#include "gui/pupil_import_dialog.h"
#include "gui/qt_ports.h"
#include "gui/qt_text.h"
#include "gui/startup.h"
#include "gui/table_page.h"
#include "gui/table_undo.h"
#include "gui/whole_check_window.h"
#include "sheets/class/class_list.h"

namespace tabulon::gui {
namespace {

// Tool bar entries from left to right; "" marks a separator.
struct ToolEntry {
  const char* action;
  bool hidden;
};
constexpr ToolEntry kToolBar[] = {
    {"FileNew", true},
    {"FileOpen", false},
    {"FileSave", false},
    {"FilePrint", false},
    {"FilePrintSetup", true},
    {"FileExit", false},
    {"", false},
    {"EditCut", true},
    {"EditCopy", true},
    {"EditPaste", true},
    {"HelpContents", false},
    {"HelpAbout", false},
    {"", false},
    {"CalcSubtotals", false},
    {"CalcColumns", false},
    {"CalcRow", false},
    {"", false},
    {"ClassAllTests", false},
    {"ClassFootnotes", false},
    {"PlausiRun", false},
    {"WholeCheck", false},
};

struct MenuEntry {
  const char* menu;    // a new menu starts where this is set
  const char* action;  // "" for a separator
  bool hidden_menu = false;
};
constexpr MenuEntry kMenus[] = {
    {"&Datei", "FileOpen"},
    {nullptr, "FileSave"},
    {nullptr, ""},
    {nullptr, "ExportStaLA"},
    {nullptr, "ExportAll"},
    {nullptr, "ImportAll"},
    {nullptr, "PupilImport"},
    {nullptr, ""},
    {nullptr, "FilePrint"},
    {nullptr, "FileExit"},
    {"&Bearbeiten", "EditCut", true},
    {nullptr, "EditCopy"},
    {nullptr, "EditPaste"},
    {"Be&rechnen", "CalcSubtotalsMenu"},
    {nullptr, "CalcColumnsMenu"},
    {nullptr, "CalcRowMenu"},
    {"&Testen (weitere PLAUSIs)", "ClassAllTestsMenu"},
    {nullptr, "ClassFootnotesMenu"},
    {nullptr, ""},
    {nullptr, "WholeCheckMenu"},
    {"T&ools", "SheetTools"},
    {"&Einstellungen", "Settings"},
    {"E&Mail", "MailQuick", true},
    {"&Hilfe", "HelpShow"},
    {nullptr, "HelpIndex"},
    {nullptr, "HelpSearch"},
    {nullptr, ""},
    {nullptr, "HelpAboutMenu"},
};

// A style sheet set again repolishes the widget even when it is the same: only a change is set.
void Restyle(QWidget* widget, const QString& sheet) {
  if (widget->styleSheet() != sheet) widget->setStyleSheet(sheet);
}

}  // namespace

// ---------------------------------------------------------------- main window

MainWindow::MainWindow(Program& program, Ui& ui, Platform& platform, QWidget* parent)
    : QMainWindow(parent),
      program_(program),
      ui_(ui),
      platform_(platform),
      store_(program.store()),
      session_(&program.session()) {
  InstallAccessibility();
  setObjectName(QStringLiteral("TMainForm"));
  setWindowTitle(QString::fromUtf8(kMainWindowCaption));
  setMinimumSize(1050, 775);
  resize(1050, 775);
  session_->SetView(this);
  session_->SetPlausiWindow([this](const PlausiReport& r) { return ShowErrorWindow(r); });

  BuildActions();
  BuildMenus();
  BuildToolBar();
  BuildSheets();
  BuildStatusLine();
  BuildKeyboard();

  flash_timer_.setSingleShot(true);
  flash_timer_.setInterval(200);
  connect(&flash_timer_, &QTimer::timeout, this, [this] { session_->EndFlash(); });
  startup_timer_.setSingleShot(true);
  startup_timer_.setInterval(100);
  // The definition files the first start lacks are written once the window is up, not before
  // its first paint.
  store_.DeferDefinitionWrites();
  connect(&startup_timer_, &QTimer::timeout, this, [this] {
    WriteDeferredDefinitions();
    page_timer_.start();
    session_->StartupTimer();
  });
  page_timer_.setSingleShot(true);
  page_timer_.setInterval(0);
  connect(&page_timer_, &QTimer::timeout, this, [this] { BuildNextPage(); });

  check_timer_.setSingleShot(true);
  check_timer_.setInterval(0);
  connect(&check_timer_, &QTimer::timeout, this, [this] { WholeCheckSlice(); });

  session_->FormCreate();
}

void MainWindow::WriteDeferredDefinitions() {
  try {
    store_.WriteDeferredDefinitions();
  } catch (const FileError& e) {
    ui_.Message(MessageKind::kError, e.Message());
  }
}

MainWindow::~MainWindow() {
  check_timer_.stop();
  session_->SetView(nullptr);
  // The widgets outlive the session and the grids here: an editor closed while they are torn
  // down must not report to the session any more.
  for (auto& [definition, view] : views_) {
    QObject::disconnect(view->grid_model(), nullptr, this, nullptr);
    QObject::disconnect(view, nullptr, this, nullptr);
    // The store's grids go with this object, before Qt deletes the views that draw them.
    view->SetGrid(nullptr);
  }
}

QAction* MainWindow::AddAction(const char* name, const char* text, const char* hint) {
  auto* a = new QAction(QString::fromUtf8(text), this);
  a->setObjectName(QString::fromLatin1(name));
  if (*hint) {
    a->setToolTip(QString::fromUtf8(hint));
    a->setStatusTip(QString::fromUtf8(hint));
  }
  actions_[a->objectName()] = a;
  return a;
}

// Made when first asked for: nobody waits for it at start.
AboutBox* MainWindow::about_box() {
  if (about_ == nullptr) {
    about_ = new AboutBox(this);
    about_->SetProgramDir(Q(DisplayPath(program_.program_dir())));
  }
  return about_;
}

QAction* MainWindow::action(const QString& object_name) const {
  auto it = actions_.find(object_name);
  return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::BuildActions() {
  auto with_icon = [](QAction* a, QStyle::StandardPixmap p) {
    a->setIcon(DeferredStandardIcon(p));
  };
  with_icon(AddAction("FileNew", "Neu"), QStyle::SP_FileIcon);
  with_icon(AddAction("FileOpen", "Daten-Basis-Verzeichnis &festlegen...",
                      "Daten-Basis-Verzeichnis wechseln"),
            QStyle::SP_DirOpenIcon);
  with_icon(
      AddAction("FileSave", "aktuelle Tabelle (Datei) &Speichern", "aktuelle Datei speichern"),
      QStyle::SP_DialogSaveButton);
  with_icon(AddAction("FilePrint", "&Drucken..."), QStyle::SP_FileDialogDetailedView);
  AddAction("FilePrintSetup", "Drucker&einrichtung...");
  with_icon(AddAction("FileExit", "Programm &Beenden", "Beenden"), QStyle::SP_DialogCloseButton);
  AddAction("EditCut", "&Ausschneiden");
  AddAction("EditCopy", "&Kopieren");
  AddAction("EditPaste", "&Einfügen");
  with_icon(AddAction("HelpContents", "Hilfe", "Inhalt der Hilfe"), QStyle::SP_DialogHelpButton);
  with_icon(AddAction("HelpAbout", "Info", "Info"), QStyle::SP_MessageBoxInformation);
  AddAction("CalcSubtotals", "S", "Zwischensummen-Zeilen berechnen");
  AddAction("CalcColumns", "C", "zusammenfassende Spalte(n) berechnen");
  AddAction("CalcRow", "R", "Zusammenfassende Zeile/Summe berechnen");
  AddAction("ClassAllTests", "K", "alle PLAUSI's einer Klasse");
  AddAction("ClassFootnotes", "F", "Quertest: Fußnoten a .. h");
  AddAction("PlausiRun", "P", "PLAUSI durchführen");
  AddAction("WholeCheck", "G", "Gesamtprüfung: alle PLAUSIs aller Bögen und Klassen");
  AddAction("WholeCheckMenu", "&Gesamtprüfung (alle Bögen und Klassen) ...");
  AddAction("ExportStaLA", "Statistik-Datenbank (StaLA-Version) &exportieren...");
  AddAction("ExportAll", "alle Statistik-Daten e&xportieren...");
  AddAction("ImportAll", "alle Statistik-Daten &importieren...");
  AddAction("PupilImport", "Schüler&liste importieren ...");
  AddAction("CalcSubtotalsMenu", "Zwischensummen-Zeile(n)");
  AddAction("CalcColumnsMenu", "zusammenfassende Spalte(n)");
  AddAction("CalcRowMenu", "zusammenfassende Zeile");
  AddAction("ClassAllTestsMenu", "Alle PLAUSIs einer &Klasse");
  AddAction("ClassFootnotesMenu", "zusätzliche PLAUSI einer Klasse (&Fußnoten a..h)");
  AddAction("Settings", "&Programmeinstellungen");
  AddAction("MailQuick", "&Schnell-Meldung");
  AddAction("HelpShow", "&anzeigen")->setShortcut(QKeySequence(Qt::Key_F1));
  AddAction("HelpIndex", "Inhalts&verzeichnis");
  AddAction("HelpSearch", "&Inhalt-Index-Suche der Hilfe...");
  AddAction("HelpAboutMenu", "I&nfo zum Programm");

  action(QStringLiteral("FilePrint"))->setShortcut(QKeySequence::Print);
  action(QStringLiteral("FilePrint"))
      ->setStatusTip(QStringLiteral("aktuelle Tabelle drucken oder als PDF speichern"));
  for (const char* hidden : {"FileNew", "FilePrintSetup", "EditCut", "EditCopy", "EditPaste"}) {
    action(QString::fromLatin1(hidden))->setVisible(false);
  }

  // A command never misses what is still in an open cell editor: it is committed first.
  auto on = [this](const char* name, auto slot) {
    connect(action(QString::fromLatin1(name)), &QAction::triggered, this, [this, slot] {
      CommitEdits();
      slot();
    });
  };
  on("FileOpen", [this] { ChooseDataBaseDirectory(); });
  on("FileSave", [this] { session_->FileSave(); });
  on("FileExit", [this] { close(); });
  on("FilePrint", [this] {
    if (auto doc = CurrentTableDocument(*session_, store_)) platform_.PrintPreview(*doc);
  });
  on("HelpContents", [this] { platform_.OpenHelp(""); });
  on("HelpShow", [this] { platform_.OpenHelp(""); });
  on("HelpIndex", [this] { platform_.OpenHelp("inhalt"); });
  on("HelpSearch", [this] { platform_.OpenHelp("suche"); });
  on("HelpAbout", [this] { about_box()->exec(); });
  on("HelpAboutMenu", [this] { about_box()->exec(); });
  on("Settings", [this] { OpenSettings(); });
  on("MailQuick", [this] {
    MailDialog(
        [this] { return SendQuickReport(session_->settings(), session_->paths(), platform_, ui_); },
        this)
        .exec();
  });
  on("PlausiRun", [this] { session_->RunCurrentPlausi(); });
  on("ClassAllTests", [this] { session_->ClassToolTest(/*summary=*/true); });
  on("ClassFootnotes", [this] { session_->ClassToolTest(/*summary=*/false); });
  on("ClassAllTestsMenu", [this] { session_->RunClassSummaryTest(); });
  on("ClassFootnotesMenu", [this] { session_->RunClassFootnoteTest(); });
  on("WholeCheck", [this] { StartWholeCheck(); });
  on("WholeCheckMenu", [this] { StartWholeCheck(); });
  on("CalcSubtotals", [this] { Calculate(CalcCommand::kSubtotalRows); });
  on("CalcSubtotalsMenu", [this] { Calculate(CalcCommand::kSubtotalRows); });
  on("CalcColumns", [this] { Calculate(CalcCommand::kSummaryColumns); });
  on("CalcColumnsMenu", [this] { Calculate(CalcCommand::kSummaryColumns); });
  on("CalcRow", [this] { Calculate(CalcCommand::kSummaryRow); });
  on("CalcRowMenu", [this] { Calculate(CalcCommand::kSummaryRow); });
  on("ExportStaLA", [this] { StartStaLAExport(); });
  on("ExportAll", [this] { program_.RunCopy(ExportAll); });
  on("ImportAll", [this] { program_.RunCopy(ImportAll); });
  on("PupilImport", [this] { RunPupilImport(*this, ui_, platform_); });
}

void MainWindow::BuildMenus() {
  QMenu* menu = nullptr;
  for (const MenuEntry& e : kMenus) {
    if (e.menu) {
      menu = menuBar()->addMenu(QString::fromUtf8(e.menu));
      menu->menuAction()->setVisible(!e.hidden_menu);
    }
    if (!*e.action) {
      menu->addSeparator();
    } else if (std::string_view(e.action) == "SheetTools") {
      AddSheetTools(menu);
    } else {
      menu->addAction(action(QString::fromLatin1(e.action)));
    }
  }
}

// The "T&ools" items come from the sheets; the session decides which are shown.
void MainWindow::AddSheetTools(QMenu* menu) {
  for (const SheetDef* sheet : Sheets()) {
    for (std::size_t i = 0; i < sheet->tools.size(); ++i) {
      QAction* a = menu->addAction(Q(sheet->tools[i].caption));
      a->setObjectName(QStringLiteral("Tool%1_%2").arg(SheetIndex(sheet->sheet)).arg(i));
      const Sheet s = sheet->sheet;
      connect(a, &QAction::triggered, this, [this, s, i] {
        CommitEdits();
        session_->RunTool(s, i);
      });
      tool_actions_.push_back({s, i, a});
    }
  }
}

void MainWindow::BuildToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("Werkzeuge"));
  bar->setObjectName(QStringLiteral("ToolBar"));
  bar->setMovable(false);
  for (const ToolEntry& e : kToolBar) {
    if (!*e.action) {
      bar->addSeparator();
      continue;
    }
    QAction* a = action(QString::fromLatin1(e.action));
    bar->addAction(a);
    // Tool buttons take the focus like any button, and are announced by what they do (the
    // calculation buttons show only a letter).
    if (QWidget* button = bar->widgetForAction(a)) {
      button->setFocusPolicy(Qt::TabFocus);
      button->setAccessibleName(a->toolTip().isEmpty() ? a->iconText() : a->toolTip());
    }
  }
  suspend_button_ = new QToolButton;
  suspend_button_->setObjectName(QStringLiteral("SpeedButton18"));
  suspend_button_->setCheckable(true);
  suspend_button_->setText(QStringLiteral("Speichern aussetzen"));
  suspend_button_->setToolTip(QStringLiteral("aktuelle Tabelle dieses Mal nicht speichern"));
  suspend_button_->setStatusTip(suspend_button_->toolTip());
  suspend_button_->setFocusPolicy(Qt::TabFocus);
  connect(suspend_button_, &QToolButton::toggled, this,
          [this](bool down) { session_->SetSaveSuspend(down); });
  bar->addWidget(suspend_button_);
  auto* spacer = new QWidget;
  spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  bar->addWidget(spacer);
  indicator_ = new QLineEdit;
  indicator_->setObjectName(QStringLiteral("ChangeIndicator"));
  indicator_->setReadOnly(true);
  indicator_->setFixedWidth(25);
  indicator_->setFocusPolicy(Qt::NoFocus);
  indicator_->setAccessibleName(QStringLiteral("ungespeicherte Änderungen"));
  // A widget in a tool bar is shown and hidden through its action.
  indicator_action_ = bar->addWidget(indicator_);
  indicator_action_->setVisible(false);
  indicator_->setVisible(false);
}

QWidget* MainWindow::BuildClassFields() {
  class_fields_ = new QWidget;
  auto* layout = new QHBoxLayout(class_fields_);
  layout->setContentsMargins(8, 0, 4, 0);
  layout->addWidget(new QLabel(QStringLiteral("aktuelle Klasse:")));
  layout->addWidget(new QLabel(QStringLiteral("Statistik-Bezeichnung:")));
  class_id_field_ = new QLabel;
  class_id_field_->setObjectName(QStringLiteral("ClassIdField"));
  SetTextLook(class_id_field_, Qt::blue, /*bold=*/true);
  layout->addWidget(class_id_field_);
  layout->addWidget(new QLabel(QStringLiteral("schulinterne Bezeichnung: ")));
  class_name_field_ = new QLabel;
  layout->addWidget(class_name_field_);
  class_fields_->hide();
  // The tab bar leaves room for its corner even while the fields are hidden: the holder around
  // them needs none then, so the sheet tabs keep their room also with a large font.
  auto* holder = new QWidget;
  auto* holder_layout = new QHBoxLayout(holder);
  holder_layout->setContentsMargins(0, 0, 0, 0);
  holder_layout->addWidget(class_fields_);
  return holder;
}

QWidget* MainWindow::BuildTablePage(const TablePage& page) {
  auto* widget = new TablePageWidget(page, store_);
  page_widgets_.push_back(widget);
  connect(widget, &TablePageWidget::Built, this, [this, widget] { PageBuilt(widget); });
  if (page.class_selector) {
    // A click or a key in the list chooses the class; the session saves the one shown before.
    connect(widget, &TablePageWidget::ClassSelected, this, [this](int row) {
      CommitEdits();
      session_->ClassClicked(row);
      ControlsChanged();
    });
    connect(widget, &TablePageWidget::AddClassRequested, this,
            [this](const QString& id, const QString& school_name) {
              CommitEdits();
              session_->AddClass(S(id), S(school_name));
              ControlsChanged();
            });
  }
  connect(widget, &TablePageWidget::CellEdited, this, [this] { session_->CellEdited(); });
  connect(widget, &TablePageWidget::HintChanged, this, [this](const QString& h) {
    if (hint_panel_) hint_panel_->setText(h);
  });
  connect(widget, &TablePageWidget::CopyRequested, this,
          [this](const QString& def, bool whole, bool first_row) {
            CommitEdits();
            CopyGrid(S(def), whole, first_row);
          });
  // The session runs a command only for the table that is current.
  const Sheet sheet = page.sheet;
  const int table = page.table;
  connect(widget, &TablePageWidget::Command, this, [this, sheet, table](PageAction action) {
    CommitEdits();
    const char* step = UndoTextOf(action);
    if (step == nullptr) return session_->PageCommand(sheet, table, action);
    RunTableCommand(step,
                    [this, sheet, table, action] { session_->PageCommand(sheet, table, action); });
  });
  return widget;
}

// A page whose controls were just built joins the window: its views, its class list, the Alt
// letters of its buttons.
void MainWindow::PageBuilt(TablePageWidget* widget) {
  for (const auto& [definition, view] : widget->views()) {
    views_[definition] = view;
    connect(view, &GridView::PasteRefused, this,
            [this](const QString& text) { ui_.Message(MessageKind::kWarning, S(text)); });
    view->Rebuilt();
  }
  if (widget->page().class_selector) {
    class_list_ = widget->class_list();
    new_class_field_ = widget->new_class_field();
  }
  widget->AssignMnemonics(menu_letters_);
  // Notices, the class list: as the session holds them now.
  if (shown_once_) ControlsChanged();
}

void MainWindow::BuildNextPage() {
  for (int sheet = 0; sheet < kSheetCount; ++sheet) {
    if (!tabs_filled_[sheet]) {
      FillTableTabs(sheet);
      page_timer_.start();
      return;
    }
  }
  for (TablePageWidget* page : page_widgets_) {
    if (!page->built()) {
      page->Build();
      page_timer_.start();
      return;
    }
  }
}

bool MainWindow::all_pages_built() const {
  return std::all_of(std::begin(tabs_filled_), std::end(tabs_filled_), [](bool f) { return f; }) &&
         std::all_of(page_widgets_.begin(), page_widgets_.end(),
                     [](const TablePageWidget* p) { return p->built(); });
}

void MainWindow::BuildSheets() {
  // Alt+letter presses a page's buttons; the menus keep their own letters.
  for (QAction* menu : menuBar()->actions()) {
    const QString text = menu->text();
    const int amp = text.indexOf(QLatin1Char('&'));
    if (amp >= 0 && amp + 1 < text.size()) menu_letters_ += text[amp + 1];
  }
  sheet_tabs_ = new QTabWidget;
  sheet_tabs_->setObjectName(QStringLiteral("PageControl1"));
  sheet_tabs_->setToolTip(QStringLiteral("Statistik-Meldung"));
  sheet_tabs_->setAccessibleName(QStringLiteral("Statistik-Meldung"));
  sheet_tabs_->tabBar()->setAccessibleName(QStringLiteral("Statistik-Bögen"));
  sheet_tabs_->setCornerWidget(BuildClassFields(), Qt::TopRightCorner);
  for (const SheetDef* sheet_def : Sheets()) {
    const SheetDef& sheet = *sheet_def;
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("SheetTabs%1").arg(SheetIndex(sheet.sheet)));
    table_tabs_[SheetIndex(sheet.sheet)] = tabs;
    const QString tables_name = QStringLiteral("Tabellen: %1").arg(Q(sheet.caption));
    tabs->setAccessibleName(tables_name);
    tabs->tabBar()->setAccessibleName(tables_name);
    if (!sheet.enabled) {
      // A sheet no longer handed in shows only why.
      if (!sheet.pages.empty() && !sheet.pages[0].notice_text.empty()) {
        auto* notice = new QLabel(Q(sheet.pages[0].notice_text));
        SetTextLook(notice, Qt::red, /*bold=*/true);
        layout->addWidget(notice);
      }
      tabs->hide();
    }
    layout->addWidget(tabs, 1);
    int index = sheet_tabs_->addTab(page, Q(sheet.caption));
    if (!sheet.hint.empty()) sheet_tabs_->setTabToolTip(index, Q(sheet.hint));
    sheet_tabs_->setTabEnabled(index, sheet.enabled);
  }
  // Start on the first sheet still handed in, its first table; only its tabs and its first page
  // are built now, the other sheets' when they are first shown or once the window is up.
  sheet_tabs_->setCurrentIndex(StartPage());
  if (const std::optional<Sheet> start = SheetAt(StartPage())) FillTableTabs(SheetIndex(*start));
  if (TablePageWidget* start = CurrentPageWidget()) start->Build();
  connect(sheet_tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    if (const std::optional<Sheet> sheet = SheetAt(index)) FillTableTabs(SheetIndex(*sheet));
    PageChanged();
  });
  setCentralWidget(sheet_tabs_);
}

QTabWidget* MainWindow::table_tabs(int sheet) {
  FillTableTabs(sheet);
  return table_tabs_[sheet];
}

void MainWindow::FillTableTabs(int sheet) {
  if (tabs_filled_[sheet]) return;
  tabs_filled_[sheet] = true;
  QTabWidget* tabs = table_tabs_[sheet];
  for (const TablePage& t : SheetOf(static_cast<Sheet>(sheet)).pages) {
    tabs->addTab(BuildTablePage(t), Q(t.caption));
  }
  connect(tabs, &QTabWidget::currentChanged, this, [this] { PageChanged(); });
}

void MainWindow::BuildKeyboard() {
  struct Key {
    const char* name;
    QList<QKeySequence> keys;
    std::function<void()> run;
  };
  const Key keys[] = {
      {"NextTable", {QKeySequence(Qt::CTRL | Qt::Key_PageDown)}, [this] { StepTable(1); }},
      {"PreviousTable", {QKeySequence(Qt::CTRL | Qt::Key_PageUp)}, [this] { StepTable(-1); }},
      {"NextSheet",
       {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_PageDown)},
       [this] { StepSheet(1); }},
      {"PreviousSheet",
       {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_PageUp)},
       [this] { StepSheet(-1); }},
      {"NextRegion",
       {QKeySequence(Qt::Key_F6), QKeySequence(Qt::CTRL | Qt::Key_F6)},
       [this] { StepRegion(1); }},
      {"PreviousRegion",
       {QKeySequence(Qt::SHIFT | Qt::Key_F6), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6)},
       [this] { StepRegion(-1); }},
  };
  // Window-wide keys without a menu item: they work wherever the focus is, grids included.
  for (const Key& k : keys) {
    auto* a = new QAction(this);
    a->setObjectName(QString::fromLatin1(k.name));
    a->setShortcuts(k.keys);
    a->setShortcutContext(Qt::WindowShortcut);
    connect(a, &QAction::triggered, this, k.run);
    addAction(a);
    actions_[a->objectName()] = a;
  }
}

TablePageWidget* MainWindow::CurrentPageWidget() const {
  const std::optional<Sheet> sheet = SheetAt(sheet_tabs_->currentIndex());
  if (!sheet) return nullptr;
  return qobject_cast<TablePageWidget*>(table_tabs_[SheetIndex(*sheet)]->currentWidget());
}

void MainWindow::FocusCurrentGrid() {
  TablePageWidget* page = CurrentPageWidget();
  if (page == nullptr || !page->isVisible()) return;
  // A switch that put the focus on its page itself (the class list, the new class field) keeps
  // it there.
  QWidget* focus = QApplication::focusWidget();
  if (focus && page->isAncestorOf(focus)) return;
  if (GridView* grid = page->FirstGrid()) grid->setFocus(Qt::OtherFocusReason);
}

void MainWindow::StepTable(int step) {
  const std::optional<Sheet> sheet = SheetAt(sheet_tabs_->currentIndex());
  if (!sheet) return;
  QTabWidget* tabs = table_tabs(SheetIndex(*sheet));
  if (!tabs->isVisible() || tabs->count() < 2) return;
  // The page change runs the table switch of the session, which saves the table left.
  tabs->setCurrentIndex((tabs->currentIndex() + step + tabs->count()) % tabs->count());
  FocusCurrentGrid();
}

void MainWindow::StepSheet(int step) {
  const int count = sheet_tabs_->count();
  int index = sheet_tabs_->currentIndex();
  for (int i = 0; i < count; ++i) {
    index = (index + step + count) % count;
    if (sheet_tabs_->isTabEnabled(index)) break;
  }
  if (index == sheet_tabs_->currentIndex()) return;
  sheet_tabs_->setCurrentIndex(index);
  FocusCurrentGrid();
}

std::vector<std::vector<QWidget*>> MainWindow::FocusRegions() const {
  std::vector<std::vector<QWidget*>> regions;
  auto usable = [](QWidget* w) {
    return w && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus);
  };
  std::vector<QWidget*> tools;
  for (QToolButton* b :
       findChild<QToolBar*>(QStringLiteral("ToolBar"))->findChildren<QToolButton*>()) {
    if (usable(b)) tools.push_back(b);
  }
  regions.push_back(tools);
  regions.push_back({sheet_tabs_->tabBar()});
  const std::optional<Sheet> sheet = SheetAt(sheet_tabs_->currentIndex());
  if (sheet) regions.push_back({table_tabs_[SheetIndex(*sheet)]->tabBar()});
  TablePageWidget* page = CurrentPageWidget();
  if (page) {
    std::vector<QWidget*> grids, buttons, class_fields;
    for (QWidget* w : page->findChildren<QWidget*>()) {
      if (!usable(w)) continue;
      if (qobject_cast<GridView*>(w)) {
        grids.push_back(w);
      } else if (qobject_cast<QPushButton*>(w)) {
        buttons.push_back(w);
      } else if (w == page->class_list() || w == page->new_class_field()) {
        class_fields.push_back(w);
      }
    }
    regions.push_back(grids);
    regions.push_back(buttons);
    regions.push_back(class_fields);
  }
  std::erase_if(regions,
                [&](const std::vector<QWidget*>& r) { return r.empty() || !usable(r.front()); });
  return regions;
}

void MainWindow::StepRegion(int step) {
  const auto regions = FocusRegions();
  if (regions.empty()) return;
  const int count = static_cast<int>(regions.size());
  QWidget* focus = QApplication::focusWidget();
  int current = -1;
  for (int i = 0; i < count && current < 0; ++i) {
    for (QWidget* w : regions[i]) {
      if (focus && (w == focus || w->isAncestorOf(focus))) current = i;
    }
  }
  const int next = current < 0 ? (step > 0 ? 0 : count - 1) : (current + step + count) % count;
  regions[next].front()->setFocus(Qt::OtherFocusReason);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  // Esc outside an editor leads from anywhere in the window back to the page tabs.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    const std::optional<Sheet> sheet = SheetAt(sheet_tabs_->currentIndex());
    QTabWidget* tabs = sheet ? table_tabs_[SheetIndex(*sheet)] : nullptr;
    if (tabs && tabs->isVisible()) {
      tabs->tabBar()->setFocus(Qt::OtherFocusReason);
    } else {
      sheet_tabs_->tabBar()->setFocus(Qt::OtherFocusReason);
    }
    event->accept();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void MainWindow::BuildStatusLine() {
  hint_panel_ = new QLabel;
  hint_panel_->setObjectName(QStringLiteral("HintPanel"));
  const double scale = TextScale(font());  // the panels grow with a large font
  hint_panel_->setFixedWidth(static_cast<int>(600 * scale));
  dst_panel_ = new QLabel(QStringLiteral("DST-Nr."));
  dst_panel_->setObjectName(QStringLiteral("DstPanel"));
  dst_panel_->setFixedWidth(static_cast<int>(70 * scale));
  statusBar()->addWidget(hint_panel_);
  statusBar()->addWidget(dst_panel_);
}

bool MainWindow::event(QEvent* event) {
  // Hints go into the first panel of the status line, not over it.
  if (event->type() == QEvent::StatusTip) {
    QString tip = static_cast<QStatusTipEvent*>(event)->tip();
    int bar = tip.indexOf(QLatin1Char('|'));
    if (hint_panel_) hint_panel_->setText(bar >= 0 ? tip.mid(bar + 1) : tip);
    return true;
  }
  return QMainWindow::event(event);
}

GridView* MainWindow::GridViewOf(std::string_view definition) const {
  auto it = views_.find(definition);
  return it == views_.end() ? nullptr : it->second;
}

void MainWindow::CommitEdits() {
  for (auto& [definition, view] : views_) view->CommitEdit();
}

void MainWindow::PageChanged() {
  if (reverting_) return;
  // The editor of the page left still belongs to the table that is saved now.
  CommitEdits();
  int top = sheet_tabs_->currentIndex();
  const std::optional<Sheet> sheet = SheetAt(top);
  int inner = sheet ? table_tabs(SheetIndex(*sheet))->currentIndex() : 0;
  if (!session_->PageChanged(top, inner)) {
    // The table left could not be written: turn back to it.
    reverting_ = true;
    sheet_tabs_->setCurrentIndex(session_->top_page());
    const int current = SheetIndex(session_->current_sheet());
    if (current >= 0 && current < kSheetCount)
      table_tabs(current)->setCurrentIndex(session_->inner_page(session_->current_sheet()));
    reverting_ = false;
  }
}

void MainWindow::PagesChanged() {
  // The session has saved, switched and shown already; the tabs only follow.
  reverting_ = true;
  sheet_tabs_->setCurrentIndex(session_->top_page());
  const int sheet = SheetIndex(session_->current_sheet());
  if (sheet >= 0 && sheet < kSheetCount) {
    table_tabs(sheet)->setCurrentIndex(session_->inner_page(session_->current_sheet()));
  }
  reverting_ = false;
  FocusCurrentGrid();
}

void MainWindow::CopyGrid(std::string_view definition, bool whole, bool first_row) {
  Grid& g = store_.GridOf(definition);
  CopySource src{g.ColCount(), g.RowCount(), g.FixedCols(), g.FixedRows(),
                 [&g](int c, int r) { return g.Cell(c, r); }};
  std::string text = whole       ? CopyTable(src)
                     : first_row ? CopyDataWithFirstRow(src)
                                 : CopyData(src, session_->settings().copy_with_es_row != 0);
  platform_.SetClipboardText(text);
}

void MainWindow::OpenSettings() {
  session_->ReloadSettingsForDialog();
  SettingsDialog dialog(session_->program_dir(), ui_, this);
  if (dialog.exec() == QDialog::Accepted) session_->SettingsAccepted(dialog.record());
}

void MainWindow::ChooseDataBaseDirectory() {
  auto dir =
      ui_.ChooseDirectory("Speicherort der Statistik-Datenbank", session_->paths().data_base_dir);
  if (dir) session_->DataBaseDirectoryChosen(*dir);
}

std::optional<std::size_t> MainWindow::ShowErrorWindow(const PlausiReport& report) {
  // Only the summary of a class's tables reports table statuses.
  ErrorWindow window(report.protocol.statuses.empty() ? ErrorWindowKind::kFehlerfenster
                                                      : ErrorWindowKind::kFehlerAnzeigeAlle,
                     this);
  window.Show(report.protocol, report.places);
  window.exec();
  return window.chosen();
}

GridView* MainWindow::TableViewOf(Sheet sheet, int table) const {
  const TablePage* page = FindTablePage(sheet, table);
  if (!page) return nullptr;
  for (const PageGrid& g : page->grids) {
    if (!std::string_view(g.definition).ends_with("Ident")) return GridViewOf(g.definition);
  }
  return nullptr;
}

void MainWindow::CurrentCellMoved(Sheet sheet, int table, int /*col*/, int /*row*/) {
  if (GridView* v = TableViewOf(sheet, table)) v->ShowCurrentCell();
}

void MainWindow::GridRebuilt(Sheet sheet, int table) {
  const TablePage* page = FindTablePage(sheet, table);
  if (!page) return;
  for (const PageGrid& g : page->grids) {
    if (GridView* v = GridViewOf(g.definition)) v->Rebuilt(!keep_history_);
  }
  // The class selector's page holds the grids every table of its sheet shows with it.
  for (const TablePage& p : TablePagesOf(sheet)) {
    if (!p.class_selector || &p == page) continue;
    for (const PageGrid& g : p.grids) {
      if (!g.reports_edits) {
        if (GridView* v = GridViewOf(g.definition)) v->Rebuilt(!keep_history_);
      }
    }
  }
}

void MainWindow::ChangeStateChanged() {
  switch (session_->indicator()) {
    case IndicatorState::kRed:
      flash_timer_.stop();
      Restyle(indicator_, QStringLiteral("background-color: red;"));
      indicator_action_->setVisible(true);
      indicator_->setVisible(true);
      break;
    case IndicatorState::kYellowFlash:
      Restyle(indicator_, QStringLiteral("background-color: yellow;"));
      flash_timer_.start();
      break;
    case IndicatorState::kHidden:
      Restyle(indicator_, QStringLiteral("background-color: red;"));
      indicator_action_->setVisible(false);
      indicator_->setVisible(false);
      break;
  }
}

void MainWindow::ControlsChanged() {
  const Session& s = *session_;
  dst_panel_->setText(Q(s.status_dst_nr()));
  suspend_button_->setEnabled(s.toggle_enabled());
  {
    QSignalBlocker block(suspend_button_);
    suspend_button_->setChecked(s.save_suspended());
  }
  suspend_button_->setText(s.save_suspended() ? QStringLiteral("Speichern ausgeschaltet!")
                                              : QStringLiteral("Speichern aussetzen"));
  // Only the enabled button takes the red or black text, so that it still looks disabled while
  // access is read-only.
  Restyle(suspend_button_, s.save_suspended()
                               ? QStringLiteral("QToolButton:enabled { color: red; }")
                               : QStringLiteral("QToolButton:enabled { color: black; }"));
  struct CalcAction {
    const char* tool;
    const char* menu;
    bool enabled;
  };
  const CalcAction calc[] = {{"CalcSubtotals", "CalcSubtotalsMenu", s.calc_subtotals()},
                             {"CalcColumns", "CalcColumnsMenu", s.calc_summary_columns()},
                             {"CalcRow", "CalcRowMenu", s.calc_summary_row()}};
  for (const CalcAction& c : calc) {
    action(QString::fromLatin1(c.tool))->setEnabled(c.enabled);
    action(QString::fromLatin1(c.menu))->setEnabled(c.enabled);
  }
  action(QStringLiteral("ClassAllTests"))->setEnabled(s.class_tools_enabled());
  action(QStringLiteral("ClassFootnotes"))->setEnabled(s.class_tools_enabled());
  class_fields_->setVisible(s.class_fields_visible());
  class_id_field_->setText(Q(s.current_class()));
  class_name_field_->setText(Q(s.class_internal_name()));
  for (const ToolAction& t : tool_actions_) t.action->setVisible(s.tool_visible(t.sheet, t.index));
  const std::vector<std::string_view> notices = s.visible_notices();
  for (TablePageWidget* page : page_widgets_) {
    if (!page->built()) continue;
    const bool current =
        page->page().sheet == s.current_sheet() && page->page().table == s.current_table();
    page->ShowNotices(current ? notices : std::vector<std::string_view>{});
  }
  if (class_list_) {
    QStringList items;
    for (const std::string& c : s.class_list()) items << Q(c);
    QStringList shown;
    for (int i = 0; i < class_list_->count(); ++i) shown << class_list_->item(i)->text();
    QSignalBlocker block(class_list_);
    if (items != shown) {
      class_list_->clear();
      class_list_->addItems(items);
    }
    if (class_list_->currentRow() != s.list_selection()) {
      class_list_->setCurrentRow(s.list_selection());
    }
  }
  switch (session_->TakeFocusRequest()) {
    case FocusRequest::kNewClassField:
      if (new_class_field_) new_class_field_->setFocus();
      break;
    case FocusRequest::kClassList:
      if (class_list_) class_list_->setFocus();
      break;
    case FocusRequest::kNone:
      break;
  }
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_once_) return;
  shown_once_ = true;
  session_->FormShow();
  ControlsChanged();
  startup_timer_.start();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Typed but not yet committed, the value would arrive only as the window hides, after the
  // question whether to save.
  CommitEdits();
  bool closes = session_->FormClose();
  platform_.CloseHelp();
  if (closes) {
    WriteDeferredDefinitions();
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace tabulon::gui
