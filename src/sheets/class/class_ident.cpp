#include "sheets/class/class_ident.h"

#include <system_error>
#include <vector>

#include "files/files.h"
#include "tables/fields.h"
#include "tables/values.h"
#include "text/encoding.h"

namespace tabulon::class_sheet {

std::filesystem::path NotesFilePath(const std::filesystem::path& program_dir,
                                    const std::string& id) {
  const std::string name = id + "ID.CSV";
  std::filesystem::path path =
      program_dir / std::filesystem::path(std::u8string(name.begin(), name.end()));
  if (!IsSafeNameComponent(id)) {
    throw FileError(path, "Öffnen", "\"" + id + "\" kann nicht Teil eines Dateinamens sein.");
  }
  return path;
}

void ApplyNotesBytes(Grid& grid, std::string_view bytes) {
  // Only the first nine lines matter; a huge file is not converted as a whole.
  std::size_t end = 0;
  for (int line = 0; line < kNotesLines && end < bytes.size(); ++line) {
    const std::size_t lf = bytes.find('\n', end);
    end = lf == std::string_view::npos ? bytes.size() : lf + 1;
  }
  const std::string utf8 = text::Cp850ToUtf8(bytes.substr(0, end));
  const std::vector<std::string_view> lines = SplitLines(utf8);
  std::vector<std::string> fields;
  for (int k = 1; k <= kNotesLines && k <= static_cast<int>(lines.size()); ++k) {
    SplitFieldsInto(lines[static_cast<std::size_t>(k - 1)], 2, fields);
    grid.SetCell(1, k, std::move(fields[0]));
  }
}

std::string NotesFileBytes(const Grid& grid) {
  std::string utf8;
  for (int k = 1; k <= kNotesLines; ++k) {
    if (k < kNotesLines) utf8 += grid.Cell(1, k);
    utf8 += ";\r\n";
  }
  return text::Utf8ToCp850(utf8);
}

void LoadClassNotes(Grid& grid, const std::string& id, const std::filesystem::path& program_dir) {
  const std::filesystem::path path = NotesFilePath(program_dir, id);
  for (int k = 1; k <= kNotesLines; ++k) grid.SetCell(1, k, "");
  std::error_code ec;
  if (std::filesystem::exists(path, ec)) ApplyNotesBytes(grid, ReadFileBytes(path));
  if (IsBlankCell(grid.Cell(1, kIdentIdRow))) grid.SetCell(1, kIdentIdRow, id);
}

void SaveClassNotes(const Grid& grid, const std::string& id,
                    const std::filesystem::path& program_dir) {
  WriteFileAtomic(NotesFilePath(program_dir, id), NotesFileBytes(grid));
}

std::string SchoolNameOfClass(const Grid& ident_grid) {
  const std::string& name = ident_grid.Cell(1, kIdentSchoolNameRow);
  return IsBlankCell(name) ? std::string("??") : name;
}

}  // namespace tabulon::class_sheet
