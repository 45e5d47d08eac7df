#include "app/session.h"

#include <algorithm>
#include <system_error>

#include "files/files.h"
#include "sheets/class/class_ident.h"
#include "text/encoding.h"

namespace tabulon {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUnclearSheet = "interner Fehler: unklarer Statistik-Bogen";
constexpr const char* kReadOnlySave =
    "SPEICHERN nicht möglich!!!\r\rSie haben bei Einstellungen als Programm-Option\rden "
    "\"Dateizugriff: NUR LESEN\" gesetzt!";
constexpr const char* kCloseQuestion =
    "Wollen Sie den Tabulon\rVarnland - Berufsschule\rjetzt wirklich BEENDEN?";
constexpr const char* kSaveQuestion =
    "Die aktuelle Tabellen-Datei wurde\rnoch nicht gespeichert!\rWollen Sie diese jetzt "
    "speichern?";
constexpr const char* kNoClassEntered = "\rSie haben keine Klasse eingegeben!\r";
constexpr const char* kNoClassSelected = "\rSie haben keine Klasse ausgewählt!\r";

// Shown at start when the settings file holds a DST-Nr. that cannot name a directory: such a
// number would put the school's files outside the data base directory.
std::string UnsafeDstNrAtStart(const std::string& dst_nr) {
  return "Die DST-Nr. \"" + text::EscapeControls(dst_nr) +
         "\" in den Programm-Einstellungen kann nicht als Verzeichnisname dienen!\r\r"
         "Bis Sie unter \"Einstellungen\" eine gültige DST-Nr. festlegen,\rwerden keine "
         "Tabellen geladen und nichts gespeichert (NUR LESEN).";
}

std::string ProgramDirProblem(const fs::path& dir) {
  return "Problem beim Zugriff auf das Programmverzeichnis:\r" + DisplayPath(dir) + "\r" +
         "Eventuell können bestimmte Dateien nicht gefunden werden!";
}

std::string DataDirProblem(const fs::path& dir) {
  return "Problem beim Erstellen des Datenverzeichnis:\r" + DisplayPath(dir) + "\r" +
         "Legen Sie sofort einen Ort (Laufwerk, Pfad) für Ihre Daten fest!";
}

std::string PortableWarning(const DataPaths& p) {
  return "Programm arbeit in der portablen Version!\rDie Daten werden im aktuellen "
         "Programm-Ordner erwartet!\r\rDas aktuelle Verzeichnis für die Daten-Basis ist: \r" +
         DisplayPath(p.data_base_dir) + "\r\r" +
         "==> also (einschließlich des Haupt-Verzeichnis): " + "\r" +
         DisplayPath(p.school_data_dir);
}

bool ValidSheet(Sheet sheet) {
  const int i = SheetIndex(sheet);
  return i >= 0 && i < kSheetCount;
}

bool IsDirectory(const fs::path& p) {
  std::error_code ec;
  return fs::is_directory(p, ec);
}

}  // namespace

Session::Session(fs::path program_dir, Ui& ui, Platform& platform, TableStore& store)
    : program_dir_(std::move(program_dir)), ui_(ui), platform_(platform), store_(store) {}

TableContext Session::Context() const { return {settings_, paths_, current_class_, ui_}; }

bool Session::Guarded(const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const FileError& e) {
    ui_.Message(MessageKind::kError, e.Message());
    return false;
  }
}

void Session::Notify() {
  if (view_) view_->ControlsChanged();
}

void Session::FormCreate() {
  program_dir_ = WithTrailingSeparator(program_dir_);
  std::error_code ec;
  fs::current_path(program_dir_, ec);
  if (ec) ui_.Message(MessageKind::kInformation, ProgramDirProblem(program_dir_));

  Guarded([&] { ReadSettingsFile(program_dir_, settings_, ui_); });
  dst_nr_refused_ = !IsUsableDstNr(settings_.dst_nr);
  if (dst_nr_refused_) {
    ui_.Message(MessageKind::kError, UnsafeDstNrAtStart(settings_.dst_nr));
    // For this run only; the file keeps what it holds until the person changes it.
    settings_.read_only = 1;
  }
  changed_ = false;
  save_suspended_ = false;

  // Where the data lie.
  selected_class_index_ = -1;
  status_dst_nr_ = settings_.dst_nr;
  paths_ = FormDataPaths(settings_, program_dir_);
  if (!dst_nr_refused_ && !IsDirectory(paths_.school_data_dir)) {
    fs::create_directory(paths_.school_data_dir, ec);
    if (ec) ui_.Message(MessageKind::kInformation, DataDirProblem(paths_.school_data_dir));
  }
  if (settings_.portable != 0) ui_.Message(MessageKind::kWarning, PortableWarning(paths_));
  UpdateDataPaths();
  Guarded([&] { LoadClassList(); });

  top_page_ = StartPage();
  for (int& p : inner_pages_) p = 0;
  RecomputeCurrent();
  Notify();
}

void Session::FormShow() {
  class_tools_enabled_ = false;
  ShowTable(current_sheet_, current_table_);
  ShowChangeState();
  timer_armed_ = true;
}

bool Session::StartupTimer() {
  if (!timer_armed_) return false;
  timer_armed_ = false;
  if (backup_ && !dst_nr_refused_) Guarded(backup_);
  return true;
}

void Session::UpdateDataPaths() {
  paths_.data_base_dir = WithTrailingSeparator(paths_.data_base_dir);
  status_dst_nr_ = settings_.dst_nr;
  paths_.school_data_dir = SchoolDataDir(paths_.data_base_dir, settings_.dst_nr);
  if (settings_.IsReadOnly() && save_suspended_) ReleaseToggle();
  Notify();
}

void Session::CreateDirectoryReported(const fs::path& dir) {
  if (IsDirectory(dir)) return;
  std::error_code ec;
  fs::create_directory(dir, ec);
  if (ec) ui_.Message(MessageKind::kInformation, DataDirProblem(dir));
}

void Session::EnsureDataDirectories() {
  paths_.school_data_dir = SchoolDataDir(paths_.data_base_dir, settings_.dst_nr);
  if (dst_nr_refused_) return;
  if (IsDirectory(paths_.school_data_dir)) return;
  CreateDirectoryReported(paths_.school_data_dir);
  for (const SheetDef* sheet : Sheets()) {
    if (sheet->data_dir.empty()) continue;
    CreateDirectoryReported(
        WithTrailingSeparator(paths_.school_data_dir / std::string(sheet->data_dir)));
  }
}

void Session::DataBaseDirectoryChosen(const fs::path& dir) {
  paths_.data_base_dir = dir;
  UpdateDataPaths();
  EnsureDataDirectories();
}

void Session::ReloadSettingsForDialog() {
  Guarded([&] { ReloadSettings(program_dir_, settings_); });
  // The file still grants what it granted; this run stays read-only until the number is fixed,
  // also when the dialog is cancelled.
  if (dst_nr_refused_) settings_.read_only = 1;
}

void Session::SettingsAccepted(const Settings& settings) {
  settings_ = settings;
  // The dialog accepts only numbers that can name a directory.
  dst_nr_refused_ = !IsUsableDstNr(settings_.dst_nr);
  if (dst_nr_refused_) settings_.read_only = 1;
  paths_.data_base_dir = DataBaseDirFromText(settings_.data_base_dir, program_dir_);
  UpdateDataPaths();
  EnsureDataDirectories();
}

int Session::inner_page(Sheet sheet) const {
  const int i = SheetIndex(sheet);
  return (i >= 0 && i < kSheetCount) ? inner_pages_[i] : -1;
}

std::vector<std::string_view> Session::visible_notices() const {
  std::vector<std::string_view> names;
  const TablePage* page =
      ValidSheet(current_sheet_) ? FindTablePage(current_sheet_, current_table_) : nullptr;
  if (page == nullptr) return names;
  for (std::size_t i = 0; i < page->notices.size() && i < notices_visible_.size(); ++i) {
    if (notices_visible_[i]) names.push_back(page->notices[i].name);
  }
  return names;
}

bool Session::notice_visible(std::string_view name) const {
  const auto names = visible_notices();
  return std::find(names.begin(), names.end(), name) != names.end();
}

FocusRequest Session::TakeFocusRequest() {
  FocusRequest f = focus_;
  focus_ = FocusRequest::kNone;
  return f;
}

void Session::RecomputeCurrent() {
  const std::optional<Sheet> sheet = SheetAt(top_page_);
  current_sheet_ = sheet ? *sheet : static_cast<Sheet>(kUnknownIndex);
  const Sheet for_tabs = sheet ? *sheet : Sheet::kQuick;
  current_table_ = TableIndexOf(for_tabs, inner_pages_[SheetIndex(for_tabs)]);
}

bool Session::PageChanged(int top_page, int inner_page) {
  const bool saved = Guarded([&] { SaveTable(current_sheet_, current_table_); });
  // The table that could not be written stays current, with its edits, so they can be saved
  // once the cause is gone; the window turns back to its page.
  if (!saved) return false;
  top_page_ = top_page;
  if (std::optional<Sheet> sheet = SheetAt(top_page)) inner_pages_[SheetIndex(*sheet)] = inner_page;
  RecomputeCurrent();
  class_tools_enabled_ = current_sheet_ == Sheet::kClass;
  Guarded([&] { ShowTable(current_sheet_, current_table_); });
  Notify();
  return true;
}

// Every grid of the page, set up in page order and loaded unless `load` is false. Returns the
// largest field count a loaded file held.
int Session::SetUpAndLoadPage(const TablePage& page, bool load, bool skip_unreported) {
  int max_fields = 0;
  for (const PageGrid& g : page.grids) {
    if (skip_unreported && !g.reports_edits) continue;
    store_.SetUpGrid(g.definition);
    if (load && !dst_nr_refused_) {
      max_fields = std::max(max_fields, store_.LoadGrid(g.definition, Context()));
    }
  }
  if (view_) view_->GridRebuilt(page.sheet, page.table);
  return max_fields;
}

void Session::UpdateNotices(const TablePage* page, int max_fields) {
  notices_visible_.clear();
  page_max_fields_ = max_fields;
  UpdateTools();
  if (page == nullptr) return;
  for (const PageNotice& n : page->notices) {
    notices_visible_.push_back(n.visible != nullptr && !dst_nr_refused_ &&
                               n.visible(Context(), max_fields));
  }
}

void Session::UpdateTools() {
  for (const SheetDef* sheet : Sheets()) {
    std::vector<bool>& shown = tools_visible_[SheetIndex(sheet->sheet)];
    shown.clear();
    for (const ToolCommand& t : sheet->tools) {
      shown.push_back(t.visible == nullptr || (!dst_nr_refused_ && t.visible(Context())));
    }
  }
}

bool Session::tool_visible(Sheet sheet, std::size_t index) const {
  const std::vector<bool>& shown = tools_visible_[SheetIndex(sheet)];
  return index < shown.size() && shown[index];
}

void Session::SetCalcButtons(Sheet sheet, int table) {
  const TablePage* page = FindTablePage(sheet, table);
  calc_[0] = page ? page->subtotals : true;
  calc_[1] = page ? page->summary_columns : true;
  calc_[2] = page ? page->summary_row : true;
}

void Session::ShowSheetTable(const SheetDef& sheet, int table) {
  const TablePage* page = sheet.FindPage(table);
  if (!page) {
    UpdateNotices(nullptr, 0);
    SetCalcButtons(sheet.sheet, table);
    ui_.Message(MessageKind::kError, std::string(sheet.unclear_table));
    return;
  }
  const int max_fields = SetUpAndLoadPage(*page, true);
  UpdateNotices(page, max_fields);
  SetCalcButtons(sheet.sheet, table);
}

// The class sheet shows the current class; its identification grid comes with every table.
void Session::ShowClassTable(const SheetDef& sheet, int table) {
  selected_class_index_ = list_selection_;
  const TablePage* page = sheet.FindPage(table);
  const TablePage* ident_page = sheet.pages.empty() ? nullptr : &sheet.pages[0];
  UpdateNotices(nullptr, 0);
  if (selected_class_index_ >= 0) {
    current_class_ = class_list_[selected_class_index_];
    class_fields_visible_ = true;
    class_internal_name_ = "??";
    if (ident_page != nullptr) {
      for (const PageGrid& g : ident_page->grids) {
        if (!g.reports_edits) {
          store_.SetUpGrid(g.definition);
          if (!dst_nr_refused_) store_.LoadGrid(g.definition, Context());
        }
      }
    }
    if (Grid* ident = ClassIdentGrid()) {
      class_internal_name_ = class_sheet::SchoolNameOfClass(*ident);
    }
    if (!page) {
      SetCalcButtons(sheet.sheet, table);
      ui_.Message(MessageKind::kError, std::string(sheet.unclear_table));
      return;
    }
    SetUpAndLoadPage(*page, true, true);
    SetCalcButtons(sheet.sheet, table);
    return;
  }
  current_class_ = kNoClass;
  if (class_list_.empty()) {
    ui_.Message(MessageKind::kInformation, kNoClassEntered);
    if (page) {
      SetUpAndLoadPage(*page, false);
    } else {
      SetCalcButtons(sheet.sheet, table);
      ui_.Message(MessageKind::kError, std::string(sheet.unclear_table));
    }
  } else {
    ui_.Message(MessageKind::kInformation, kNoClassSelected);
  }
  if (inner_pages_[SheetIndex(sheet.sheet)] == 0 && top_page_ == SheetIndex(sheet.sheet)) {
    focus_ = class_list_.empty() ? FocusRequest::kNewClassField : FocusRequest::kClassList;
  }
}

void Session::ShowTable(Sheet sheet, int table) {
  if (sheet != Sheet::kClass) class_fields_visible_ = false;
  if (!ValidSheet(sheet)) {
    ui_.Message(MessageKind::kError, kUnclearSheet);
  } else if (sheet == Sheet::kQuick) {
    // The quick report is no longer part of the statistics: nothing is loaded.
  } else if (SheetOf(sheet).prefix == FilePrefix::kClassId) {
    ShowClassTable(SheetOf(sheet), table);
  } else {
    ShowSheetTable(SheetOf(sheet), table);
  }
  ShowChangeState();
}

void Session::SaveTable(Sheet sheet, int table) {
  if (!settings_.IsReadOnly() && !save_suspended_ && !dst_nr_refused_) {
    try {
      if (sheet == Sheet::kQuick) {  // NOLINT(bugprone-branch-clone): each no-op has its reason
        // The quick report is no longer handed in; its pages are never written.
      } else if (!ValidSheet(sheet)) {
        ui_.Message(MessageKind::kError, kUnclearSheet);
      } else if (const TablePage* page = FindTablePage(sheet, table); !page) {
        ui_.Message(MessageKind::kError, std::string(SheetOf(sheet).unclear_table));
      } else if (SheetOf(sheet).prefix == FilePrefix::kClassId && current_class_ == kNoClass) {
        // No class selected: there is no file to write to.
      } else if (page->save_grids_in_reverse) {
        for (auto g = page->grids.rbegin(); g != page->grids.rend(); ++g) {
          store_.SaveGrid(g->definition, Context());
        }
      } else {
        for (const PageGrid& g : page->grids) store_.SaveGrid(g.definition, Context());
      }
    } catch (...) {
      // A write that failed leaves the edits unsaved: the flag and the red indicator stay so
      // that nobody takes the table for saved.
      ReleaseToggle();
      ShowChangeState();
      throw;
    }
    changed_ = false;
  }
  ReleaseToggle();
  ShowChangeState();
}

void Session::ReleaseToggle() {
  if (!save_suspended_) return;
  save_suspended_ = false;
  Notify();
}

void Session::SetSaveSuspend(bool down) {
  save_suspended_ = down && toggle_enabled();
  Notify();
}

void Session::ShowChangeState() {
  if (changed_ && !settings_.IsReadOnly()) {
    indicator_ = IndicatorState::kRed;
  } else if (indicator_ != IndicatorState::kHidden) {
    // A visible indicator flashes yellow; the window ends the flash after 200 ms by a timer
    // rather than a nested event loop, so no click can start a second save meanwhile.
    indicator_ = IndicatorState::kYellowFlash;
  }
  if (view_) view_->ChangeStateChanged();
}

void Session::EndFlash() {
  if (indicator_ != IndicatorState::kYellowFlash) return;
  indicator_ = IndicatorState::kHidden;
  if (view_) view_->ChangeStateChanged();
}

void Session::CellEdited() {
  changed_ = true;
  ShowChangeState();
}

void Session::FileSave() {
  if (settings_.IsReadOnly()) {
    ui_.Message(MessageKind::kError, kReadOnlySave);
  } else {
    RecomputeCurrent();
    if (!ValidSheet(current_sheet_)) {
      ui_.Message(MessageKind::kError, kUnclearSheet);
    } else {
      Guarded([&] { SaveTable(current_sheet_, current_table_); });
    }
  }
  changed_ = false;
  ShowChangeState();
}

bool Session::FormClose() {
  if (!ui_.Ask(MessageKind::kConfirmation, kCloseQuestion)) return false;
  if (changed_ && !settings_.IsReadOnly() && ui_.Ask(MessageKind::kWarning, kSaveQuestion)) {
    RecomputeCurrent();
    if (!ValidSheet(current_sheet_)) {
      ui_.Message(MessageKind::kError, kUnclearSheet);
    } else {
      Guarded([&] { SaveTable(current_sheet_, current_table_); });
    }
  }
  return true;
}

void Session::RunCurrentPlausi() {
  const Sheet sheet = current_sheet_;
  const int table = current_table_;
  if (sheet == Sheet::kQuick) {
    // The quick report has no tests.
  } else if (!ValidSheet(sheet)) {
    ui_.Message(MessageKind::kError, kUnclearSheet);
  } else if (const TablePage* page = FindTablePage(sheet, table); !page) {
    ui_.Message(MessageKind::kError, std::string(SheetOf(sheet).unclear_table));
  } else if (const SheetTest* test = SheetOf(sheet).FindTest(table);
             test != nullptr &&
             !(SheetOf(sheet).prefix == FilePrefix::kClassId && current_class_ == kNoClass)) {
    RunPlausi(*test, *page);
  }
  ShowChangeState();
}

}  // namespace tabulon
