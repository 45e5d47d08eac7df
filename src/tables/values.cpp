#include "tables/values.h"

#include <cstdio>
#include <system_error>

#include "files/files.h"
#include "tables/fields.h"
#include "text/encoding.h"

namespace tabulon {

bool IsBlankCell(std::string_view text) { return text.empty() || text == " "; }

bool CellHasData(std::string_view text, bool zero_is_data) {
  if (text.empty()) return false;
  unsigned char first = static_cast<unsigned char>(text[0]);
  if (first < 0x20) return false;
  if (first == 0x20 && text.size() == 1) return false;
  if (!zero_is_data && text == "0") return false;
  return true;
}

namespace {

int DigitValue(char c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9') v = c - '0';
  if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
  return v < base ? v : -1;
}

}  // namespace

std::optional<std::int32_t> ParseInt32(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return std::nullopt;  // a sign or prefix without digits
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    int d = DigitValue(text[i], base);
    if (d < 0) return std::nullopt;
    value = value * base + d;
    if (value > limit) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

std::int32_t CellNumber(std::string_view text, bool reject_negative, int error_number,
                        ErrorFlags& flags) {
  if (text.empty()) return 0;
  std::optional<std::int32_t> value = ParseInt32(text);
  if (!value) {
    flags.Fail(error_number);
    return 0;
  }
  if (*value < 0 && reject_negative) flags.Fail(error_number);
  return *value;
}

bool RangeIsEmpty(const Grid& grid, int first_col, int first_row, int last_row, int last_col) {
  for (int row = first_row; row <= last_row; ++row) {
    for (int col = first_col; col <= last_col; ++col) {
      if (!grid.Cell(col, row).empty()) return false;
    }
  }
  return true;
}

std::string EsCode(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "ES%03d", n);
  return buf;
}

bool CodeRowMatches(const Grid& grid, int first_col, int n) {
  for (int i = 1; i <= n; ++i) {
    if (grid.Cell(first_col + i - 1, 1) != EsCode(i)) return false;
  }
  return true;
}

void ClearValues(ValueArray& values) { values.fill(0); }

std::int64_t AddValues(const ValueArray& values, int from, int to) {
  if (to < from || from < 0 || to > 100) return 0;
  std::int64_t sum = 0;
  for (int i = from; i <= to; ++i) sum += values[static_cast<std::size_t>(i)];
  return sum;
}

std::vector<KeyEntry> ParseKeyFile(std::string_view bytes) {
  std::string text = text::Cp1252ToUtf8(bytes);
  std::vector<KeyEntry> entries;
  std::vector<std::string> fields;
  for (std::string_view line : SplitLines(text)) {
    SplitFieldsInto(line, 2, fields);
    entries.push_back({std::move(fields[0]), std::move(fields[1])});
  }
  return entries;
}

std::optional<std::vector<KeyEntry>> ReadKeyFile(const std::filesystem::path& path) {
  std::error_code ec;
  // Missing: the callers' own message. Anything else under the name (a pipe, a directory) is
  // there but unreadable, and the read says so.
  if (std::filesystem::status(path, ec).type() == std::filesystem::file_type::not_found) {
    return std::nullopt;
  }
  return ParseKeyFile(ReadFileBytes(path));
}

namespace {

// Fills from this file count as an edit of the table: its texts are what the user is expected to
// check and keep, so the table is saved afterwards.
constexpr std::string_view kKeyFileMarkingChanges = "SBBG6.SSD";

}  // namespace

KeyFillResult FillFromKeyFiles(Grid& grid, int lookup_col, int fill_col,
                               const std::vector<std::string>& key_files, KeyDirection direction,
                               const std::filesystem::path& program_dir, Ui& ui) {
  KeyFillResult result;
  if (lookup_col == fill_col) return result;
  if (lookup_col < 0 || fill_col < 0 || lookup_col >= grid.ColCount() ||
      fill_col >= grid.ColCount()) {
    return result;  // a column the grid does not have can neither match nor take a text
  }
  for (const std::string& name : key_files) {
    std::filesystem::path path = program_dir / name;
    std::optional<std::vector<KeyEntry>> entries = ReadKeyFile(path);
    if (!entries) {
      ui.Message(MessageKind::kInformation, "Schlüssel-Datei:\r" + DisplayPath(path) + "\rfehlt!");
      continue;
    }
    for (const KeyEntry& entry : *entries) {
      const std::string& match = direction == KeyDirection::kTexts ? entry.key : entry.text;
      const std::string& fill = direction == KeyDirection::kTexts ? entry.text : entry.key;
      for (int row = 2; row < grid.RowCount(); ++row) {
        if (grid.Cell(lookup_col, row) == match && IsBlankCell(grid.Cell(fill_col, row))) {
          grid.SetCell(fill_col, row, fill);
          ++result.cells_filled;
          if (name == kKeyFileMarkingChanges) result.marks_changed = true;
        }
      }
    }
  }
  return result;
}

}  // namespace tabulon
