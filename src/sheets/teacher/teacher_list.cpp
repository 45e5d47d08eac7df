#include "sheets/teacher/teacher_list.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "files/files.h"
#include "tables/fields.h"
#include "tables/values.h"
#include "text/encoding.h"

namespace tabulon {
namespace {

namespace fs = std::filesystem;

constexpr int kNumberCol = 1;
constexpr int kSurnameCol = 2;
constexpr int kFirstNameCol = 3;

bool Exists(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

std::string TwoDigits(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", n);
  return buf;
}

// An emptied list is no list: leaving the old file behind would bring the deleted teachers back.
void DeleteEmptyList(const fs::path& path, Ui& ui) {
  std::error_code ec;
  if (!fs::exists(path, ec)) return;
  fs::remove(path, ec);
  if (ec) {
    ui.Message(MessageKind::kInformation,
               "Die datenleere Datei:\r" + DisplayPath(path) + "\rkonnte nicht gelöscht werden!");
  }
}

}  // namespace

std::vector<TeacherEntry> ParseTeacherList(std::string_view bytes) {
  const std::string utf8 = text::Cp850ToUtf8(bytes);
  std::vector<TeacherEntry> entries;
  std::vector<std::string> fields;
  for (std::string_view line : SplitLines(utf8)) {
    if (line.empty()) continue;
    SplitFieldsInto(line, 3, fields);
    entries.push_back({std::move(fields[0]), std::move(fields[1]), std::move(fields[2])});
  }
  return entries;
}

std::string TeacherListBytes(const Grid& ident, int* rows) {
  std::string utf8;
  int written = 0;
  for (int row = 1; row < ident.RowCount(); ++row) {
    const std::string& number = ident.Cell(kNumberCol, row);
    const std::string& surname = ident.Cell(kSurnameCol, row);
    const std::string& first_name = ident.Cell(kFirstNameCol, row);
    if (!CellHasData(number, true) && !CellHasData(surname, true) &&
        !CellHasData(first_name, true)) {
      continue;
    }
    utf8 += number;
    utf8 += ';';
    utf8 += surname;
    utf8 += ';';
    utf8 += first_name;
    utf8 += "\r\n";
    ++written;
  }
  if (rows != nullptr) *rows = written;
  return text::Utf8ToCp850(utf8);
}

fs::path TeacherListToRead(const DataPaths& paths) {
  fs::path school_copy = paths.school_data_dir / kTeacherListName;
  if (Exists(school_copy)) return school_copy;
  fs::path program_copy = paths.program_dir / kTeacherListName;
  if (Exists(program_copy)) return program_copy;
  return {};
}

void NumberRows(Grid& grid, int first_row) {
  for (int row = first_row; row < grid.RowCount(); ++row) {
    grid.SetCell(0, row, TwoDigits(row - first_row + 1));
  }
}

void PutTeacherList(Grid& ident, std::vector<TeacherEntry> entries) {
  NumberRows(ident, 1);
  for (int row = 1; row < ident.RowCount(); ++row) {
    for (int col = kNumberCol; col <= kFirstNameCol; ++col) ident.SetCell(col, row, "");
  }
  const int count = static_cast<int>(entries.size());
  if (count + 1 > ident.RowCount()) {
    const int old_rows = ident.RowCount();
    ident.SetRowCount(count + 1);
    for (int row = std::max(old_rows, 1); row <= count; ++row) {
      ident.SetCell(0, row, TwoDigits(row));
    }
  }
  for (int k = 1; k <= count; ++k) {
    TeacherEntry& e = entries[static_cast<std::size_t>(k - 1)];
    ident.SetCell(kNumberCol, k, std::move(e.number));
    ident.SetCell(kSurnameCol, k, std::move(e.surname));
    ident.SetCell(kFirstNameCol, k, std::move(e.first_name));
  }
}

int LoadTeacherList(Grid& ident, const DataPaths& paths) {
  const fs::path path = TeacherListToRead(paths);
  std::vector<TeacherEntry> entries;
  if (!path.empty()) entries = ParseTeacherList(ReadFileBytes(path));
  const int count = static_cast<int>(entries.size());
  PutTeacherList(ident, std::move(entries));
  return count;
}

void SaveTeacherList(const Grid& ident, const DataPaths& paths, Ui& ui) {
  int rows = 0;
  const std::string bytes = TeacherListBytes(ident, &rows);
  const fs::path school_copy = paths.school_data_dir / kTeacherListName;
  const fs::path program_copy = paths.program_dir / kTeacherListName;
  const bool school_copy_exists = Exists(school_copy);
  if (rows == 0) {
    if (school_copy_exists) DeleteEmptyList(school_copy, ui);
    DeleteEmptyList(program_copy, ui);
    return;
  }
  if (school_copy_exists) WriteFileAtomic(school_copy, bytes);
  WriteFileAtomic(program_copy, bytes);
}

std::vector<TeacherEntry> TeachersForTable1(const DataPaths& paths) {
  const fs::path path = paths.program_dir / kTeacherListName;
  if (!Exists(path)) return {};
  std::vector<TeacherEntry> entries = ParseTeacherList(ReadFileBytes(path));
  std::erase_if(entries, [](const TeacherEntry& e) { return e.surname.empty(); });
  return entries;
}

}  // namespace tabulon
