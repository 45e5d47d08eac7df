// The class list and the current class: filling the list, a click into it, adding and deleting a
// class, the numbering test. The session holds the list and the selection; what makes an
// identifier, the list order, which files belong to a class and the texts of the boxes are the
// class sheet's.
#include "app/session.h"
#include "files/files.h"
#include "sheets/class/class_list.h"

namespace tabulon {
namespace {

constexpr const char* kWrongSheet = "Fehlerhafte Bogennummer!";

}  // namespace

std::filesystem::path Session::ClassDir() const {
  return paths_.school_data_dir / std::string(SheetOf(Sheet::kClass).data_dir);
}

// The identification grid of the class sheet: the grid of its first page that does not count
// as an edit of the table.
Grid* Session::ClassIdentGrid() {
  const auto pages = SheetOf(Sheet::kClass).pages;
  if (pages.empty()) return nullptr;
  for (const PageGrid& g : pages[0].grids) {
    if (!g.reports_edits) return store_.FindGrid(g.definition);
  }
  return nullptr;
}

void Session::LoadClassList() {
  class_list_.clear();
  list_selection_ = -1;
  if (!dst_nr_refused_) class_list_ = class_sheet::ReadClassList(ClassDir());
  list_selection_ = class_list_.empty() ? -1 : 0;
  Notify();
}

void Session::SelectClass(int index) {
  list_selection_ = (index >= 0 && index < static_cast<int>(class_list_.size())) ? index : -1;
}

// Before another class is shown, the shown one's notes and table are written under its own
// identifier, changed or not. The save-suspend toggle holds here as well: it exists so that the
// person can drop the edits of the shown table, and a click into the list must not write them.
// False when a file could not be written; the class then stays shown with its edits.
bool Session::SaveClassForSwitch() {
  if (save_suspended_) {
    ReleaseToggle();
    changed_ = false;
    return true;
  }
  const TablePage* page = FindTablePage(Sheet::kClass, current_table_);
  if (page == nullptr) return true;
  const bool saved = Guarded([&] {
    const TableContext ctx = Context();
    for (const PageGrid& g : SheetOf(Sheet::kClass).pages[0].grids) {
      if (!g.reports_edits) store_.SaveGrid(g.definition, ctx);
    }
    for (const PageGrid& g : page->grids) {
      if (g.reports_edits) store_.SaveGrid(g.definition, ctx);
    }
  });
  if (saved) changed_ = false;
  return saved;
}

void Session::ClassClicked(int index) {
  if (index < 0 || index >= static_cast<int>(class_list_.size())) return;
  const int was_selected = list_selection_;
  const std::string previous = current_class_;
  list_selection_ = index;
  if (previous != kNoClass && previous != class_list_[static_cast<std::size_t>(index)] &&
      !settings_.IsReadOnly() && !dst_nr_refused_ && current_sheet_ == Sheet::kClass) {
    if (!SaveClassForSwitch()) {
      list_selection_ = was_selected;
      Notify();
      ShowChangeState();
      return;
    }
  }
  if (current_sheet_ == Sheet::kClass) {
    Guarded([&] { ShowTable(Sheet::kClass, current_table_); });
  } else {
    ui_.Message(MessageKind::kError, kWrongSheet);
  }
  Notify();
  ShowChangeState();
}

void Session::AddClass(const std::string& id, const std::string& school_name) {
  const bool saved = Guarded([&] { SaveTable(current_sheet_, current_table_); });
  // The shown class keeps its edits on the screen until they can be written.
  if (!saved) return ShowChangeState();
  if (std::optional<std::string> refusal = class_sheet::CheckNewClass(class_list_, id)) {
    ui_.Message(MessageKind::kError, *refusal);
    return ShowChangeState();
  }
  list_selection_ = class_sheet::InsertClass(class_list_, id);
  Guarded([&] { ShowTable(Sheet::kClass, current_table_); });
  if (Grid* ident = ClassIdentGrid()) {
    ident->SetCell(1, 1, id);
    ident->SetCell(1, 2, school_name);
    if (view_) view_->GridRebuilt(Sheet::kClass, 0);
  }
  class_internal_name_ = school_name.empty() ? std::string("??") : school_name;
  // The class exists on disk from the first save of its table 0, which this flag asks for.
  changed_ = true;
  Notify();
  ShowChangeState();
}

void Session::DeleteClass() {
  if (!ui_.Ask(MessageKind::kConfirmation, class_sheet::kDeleteClassQuestion)) return;
  if (class_list_.empty() || list_selection_ < 0 ||
      list_selection_ >= static_cast<int>(class_list_.size())) {
    return;
  }
  const int index = list_selection_;
  const std::string id = class_list_[static_cast<std::size_t>(index)];
  const std::vector<std::filesystem::path> left =
      class_sheet::MoveClassToTrash(id, ClassDir(), paths_.program_dir, platform_);
  if (!left.empty()) {
    // Files that stayed are never deleted for good instead; a class whose table-0 file stayed
    // still exists and keeps its place in the list.
    const bool kept = class_sheet::ClassHasTable0File(id, ClassDir());
    ui_.Message(MessageKind::kError, class_sheet::NotMovedMessage(left, kept));
    if (kept) return ShowChangeState();
  }
  const int next = class_sheet::IndexAfterRemoval(index, static_cast<int>(class_list_.size()));
  class_list_.erase(class_list_.begin() + index);
  list_selection_ = next;
  // The edits of the deleted class went with it; nothing of it is saved.
  changed_ = false;
  Guarded([&] { ShowTable(Sheet::kClass, current_table_); });
  Notify();
  ShowChangeState();
}

void Session::TestClassNumbering() {
  class_sheet::TestClassNumbering(class_list_, ui_, error_flags_);
  ShowChangeState();
}

}  // namespace tabulon
