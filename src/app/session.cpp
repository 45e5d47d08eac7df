#include "app/session.h"

#include <algorithm>
#include <system_error>

#include "app/pages.h"
#include "files/files.h"

namespace tabulon {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUnclearSheet = "interner Fehler: unklarer Statistik-Bogen";
// The internal-error box of each sheet for a table index no page belongs to.
constexpr const char* kUnclearTable[] = {
    "",
    "interner Fehler: unklare Schul-Tabelle",
    "interner Fehler: unklare Lehrer-Tabelle",
    "interner Fehler: unklare Klassen-Tabelle",
};
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
  return "Die DST-Nr. \"" + dst_nr +
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

bool IsDirectory(const fs::path& p) {
  std::error_code ec;
  return fs::is_directory(p, ec);
}

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

// Class files come from Windows installations too, where names match without regard to case.
bool IsClassFileName(const std::string& name) {
  static constexpr std::string_view kSuffix = "00.CSV";
  if (name.size() != 6 + kSuffix.size()) return false;
  for (std::size_t i = 0; i < kSuffix.size(); ++i) {
    if (AsciiUpper(name[6 + i]) != kSuffix[i]) return false;
  }
  return true;
}

bool ClassOrder(const std::string& a, const std::string& b) {
  std::string ua = a, ub = b;
  std::transform(ua.begin(), ua.end(), ua.begin(), AsciiUpper);
  std::transform(ub.begin(), ub.end(), ub.begin(), AsciiUpper);
  return ua != ub ? ua < ub : a < b;
}

}  // namespace

Session::Session(fs::path program_dir, Ui& ui, Platform& platform, TableStore& store)
    : program_dir_(std::move(program_dir)), ui_(ui), platform_(platform), store_(store) {}

TableContext Session::Context() const { return {settings_, paths_, current_class_, ui_}; }

void Session::Guarded(const std::function<void()>& command) {
  try {
    command();
  } catch (const FileError& e) {
    ui_.Message(MessageKind::kError, e.Message());
  }
}

void Session::Notify() {
  if (view_) view_->ControlsChanged();
}

void Session::FormCreate() {
  remembered_school_type_ = "010";
  program_dir_ = WithTrailingSeparator(program_dir_);
  std::error_code ec;
  fs::current_path(program_dir_, ec);
  if (ec) ui_.Message(MessageKind::kInformation, ProgramDirProblem(program_dir_));

  Guarded([&] { ReadSettingsFile(program_dir_, settings_, ui_); });
  dst_nr_refused_ = !IsSafeNameComponent(settings_.dst_nr);
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

  top_page_ = 1;
  for (int& p : inner_pages_) p = 0;
  current_sheet_ = SheetIndexOf(top_page_);
  current_table_ = TableIndexOf(kSheetSchool, inner_pages_[kSheetSchool]);
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
  for (const char* sub : {"SCHULE", "LEHRER", "KLASSE"}) {
    CreateDirectoryReported(WithTrailingSeparator(paths_.school_data_dir / sub));
  }
}

void Session::LoadClassList() {
  class_list_.clear();
  list_selection_ = -1;
  if (dst_nr_refused_) return Notify();
  std::error_code ec;
  fs::directory_iterator it(paths_.school_data_dir / "KLASSE", ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (IsClassFileName(name)) class_list_.push_back(name.substr(0, 6));
  }
  std::sort(class_list_.begin(), class_list_.end(), ClassOrder);
  list_selection_ = class_list_.empty() ? -1 : 0;
  Notify();
}

void Session::SelectClass(int index) {
  list_selection_ = (index >= 0 && index < static_cast<int>(class_list_.size())) ? index : -1;
}

void Session::DataBaseDirectoryChosen(const fs::path& dir) {
  paths_.data_base_dir = dir;
  UpdateDataPaths();
  EnsureDataDirectories();
}

void Session::ReloadSettingsForDialog() {
  ReloadSettings(program_dir_, settings_);
  // The file still grants what it granted; this run stays read-only until the number is fixed,
  // also when the dialog is cancelled.
  if (dst_nr_refused_) settings_.read_only = 1;
}

void Session::SettingsAccepted(const Settings& settings) {
  settings_ = settings;
  // The dialog accepts only numbers that can name a directory.
  dst_nr_refused_ = !IsSafeNameComponent(settings_.dst_nr);
  if (dst_nr_refused_) settings_.read_only = 1;
  paths_.data_base_dir =
      settings_.data_base_dir.empty() ? program_dir_ : fs::path(settings_.data_base_dir);
  UpdateDataPaths();
  EnsureDataDirectories();
}

int Session::inner_page(int sheet) const {
  return (sheet >= 0 && sheet < 4) ? inner_pages_[sheet] : -1;
}

FocusRequest Session::TakeFocusRequest() {
  FocusRequest f = focus_;
  focus_ = FocusRequest::kNone;
  return f;
}

void Session::RecomputeCurrent() {
  current_sheet_ = SheetIndexOf(top_page_);
  int sheet_for_tabs = (current_sheet_ >= 1 && current_sheet_ <= 3) ? current_sheet_ : 0;
  current_table_ = TableIndexOf(sheet_for_tabs, inner_pages_[sheet_for_tabs]);
}

bool Session::PageChanged(int top_page, int inner_page) {
  bool saved = true;
  Guarded([&] {
    try {
      SaveTable(current_sheet_, current_table_);
    } catch (const FileError&) {
      saved = false;
      throw;
    }
  });
  // The table that could not be written stays current, with its edits, so they can be saved
  // once the cause is gone; the window turns back to its page.
  if (!saved) return false;
  top_page_ = top_page;
  int sheet = SheetIndexOf(top_page);
  if (sheet >= 0 && sheet < 4) inner_pages_[sheet] = inner_page;
  RecomputeCurrent();
  class_tools_enabled_ = current_sheet_ == kSheetClass;
  Guarded([&] { ShowTable(current_sheet_, current_table_); });
  Notify();
  return true;
}

void Session::SetUpAndLoad(std::string_view definition, bool load) {
  store_.SetUpGrid(definition);
  if (load && !dst_nr_refused_) store_.LoadGrid(definition, Context());
  if (view_) view_->GridRebuilt(current_sheet_, current_table_);
}

void Session::SetCalcButtons(int sheet, int table) {
  const TablePage* page = FindTablePage(sheet, table);
  calc_[0] = page ? page->subtotals : true;
  calc_[1] = page ? page->summary_columns : true;
  calc_[2] = page ? page->summary_row : true;
}

void Session::ShowSchoolTable(int table) {
  const TablePage* page = FindTablePage(kSheetSchool, table);
  if (!page) {
    SetCalcButtons(kSheetSchool, table);
    ui_.Message(MessageKind::kError, kUnclearTable[kSheetSchool]);
    return;
  }
  SetUpAndLoad(page->grids[0].definition, true);
  SetCalcButtons(kSheetSchool, table);
}

void Session::ShowTeacherTable(int table) {
  const fs::path dir = paths_.school_data_dir / "LEHRER";
  const fs::path table1 = dir / (settings_.dst_nr + "01.CSV");
  const fs::path table4 = dir / (settings_.dst_nr + "04.CSV");
  std::error_code ec;
  old_teacher_notice_ =
      (fs::exists(table1, ec) && store_.IsOldTeacherTable(table1)) || fs::exists(table4, ec);
  const TablePage* page = FindTablePage(kSheetTeacher, table);
  if (!page) {
    SetCalcButtons(kSheetTeacher, table);
    ui_.Message(MessageKind::kError, kUnclearTable[kSheetTeacher]);
    return;
  }
  // Identification grid first, then the table's own grid.
  int max_fields = 0;
  for (const PageGrid& g : page->grids) {
    store_.SetUpGrid(g.definition);
    if (!dst_nr_refused_) max_fields = store_.LoadGrid(g.definition, Context());
  }
  if (view_) view_->GridRebuilt(kSheetTeacher, table);
  if (table == 1) teacher_hint_ = max_fields < 59;
  SetCalcButtons(kSheetTeacher, table);
}

void Session::ShowClassTable(int table) {
  selected_class_index_ = list_selection_;
  const TablePage* page = FindTablePage(kSheetClass, table);
  constexpr std::string_view kIdent = "Bog3Ident";
  if (selected_class_index_ >= 0) {
    current_class_ = class_list_[selected_class_index_];
    class_fields_visible_ = true;
    class_internal_name_ = "??";
    store_.SetUpGrid(kIdent);
    if (!dst_nr_refused_) store_.LoadGrid(kIdent, Context());
    if (!page) {
      SetCalcButtons(kSheetClass, table);
      ui_.Message(MessageKind::kError, kUnclearTable[kSheetClass]);
      return;
    }
    SetUpAndLoad(page->grids[0].definition, true);
    SetCalcButtons(kSheetClass, table);
    return;
  }
  current_class_ = kNoClass;
  if (class_list_.empty()) {
    ui_.Message(MessageKind::kInformation, kNoClassEntered);
    if (page) {
      SetUpAndLoad(page->grids[0].definition, false);
      if (table == 0) store_.SetUpGrid(kIdent);
    } else {
      SetCalcButtons(kSheetClass, table);
      ui_.Message(MessageKind::kError, kUnclearTable[kSheetClass]);
    }
  } else {
    ui_.Message(MessageKind::kInformation, kNoClassSelected);
  }
  if (inner_pages_[kSheetClass] == 0 && top_page_ == 3) {
    focus_ = class_list_.empty() ? FocusRequest::kNewClassField : FocusRequest::kClassList;
  }
}

void Session::ShowTable(int sheet, int table) {
  if (sheet != kSheetClass) class_fields_visible_ = false;
  switch (sheet) {
    case kSheetQuick:
      break;
    case kSheetSchool:
      ShowSchoolTable(table);
      break;
    case kSheetTeacher:
      ShowTeacherTable(table);
      break;
    case kSheetClass:
      ShowClassTable(table);
      break;
    default:
      ui_.Message(MessageKind::kError, kUnclearSheet);
  }
  ShowChangeState();
}

void Session::SaveTable(int sheet, int table) {
  if (!settings_.IsReadOnly() && !save_suspended_ && !dst_nr_refused_) {
    const TablePage* page = FindTablePage(sheet, table);
    try {
      if (sheet == kSheetQuick) {
        // The quick report is no longer handed in; its pages are never written.
      } else if (sheet < kSheetSchool || sheet > kSheetClass) {
        ui_.Message(MessageKind::kError, kUnclearSheet);
      } else if (!page) {
        ui_.Message(MessageKind::kError, kUnclearTable[sheet]);
      } else if (sheet == kSheetClass && current_class_ == kNoClass) {
        // No class selected: there is no file to write to.
      } else if (sheet == kSheetTeacher && table == 0) {
        // The table first, then the identification grid.
        store_.SaveGrid(page->grids[1].definition, Context());
        store_.SaveGrid(page->grids[0].definition, Context());
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
    if (current_sheet_ == kUnknownIndex) {
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
    if (current_sheet_ == kUnknownIndex) {
      ui_.Message(MessageKind::kError, kUnclearSheet);
    } else {
      Guarded([&] { SaveTable(current_sheet_, current_table_); });
    }
  }
  return true;
}

void Session::RunCurrentPlausi() {
  const int sheet = current_sheet_;
  const int table = current_table_;
  if (sheet == kSheetQuick) {
    // The quick report has no tests.
  } else if (sheet < kSheetSchool || sheet > kSheetClass) {
    ui_.Message(MessageKind::kError, kUnclearSheet);
  } else if (const TablePage* page = FindTablePage(sheet, table); !page) {
    ui_.Message(MessageKind::kError, kUnclearTable[sheet]);
  } else if (sheet == kSheetSchool) {
    RunSchoolPlausi(*page);
  } else if (!(sheet == kSheetClass && current_class_ == kNoClass) && !page->plausi_title.empty() &&
             plausi_) {
    Guarded([&] { plausi_(sheet, table); });
  }
  ShowChangeState();
}

}  // namespace tabulon
