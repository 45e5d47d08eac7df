#include "tables/fields.h"

#include <algorithm>

namespace tabulon {

std::string_view NextField(std::string_view& rest) {
  for (std::size_t i = 0; i < rest.size(); ++i) {
    char c = rest[i];
    if (c == '\t' || c == '\r' || c == ';') {
      std::string_view field = rest.substr(0, i);
      rest.remove_prefix(i + 1);
      return field;
    }
    if (c == '"' && i > 0) {
      // The quote belongs to the field; the character after it goes the way of a separator.
      std::string_view field = rest.substr(0, i + 1);
      rest.remove_prefix(std::min(rest.size(), i + 2));
      return field;
    }
  }
  std::string_view field = rest;
  rest = {};
  return field;
}

void SplitFieldsInto(std::string_view line, int n, std::vector<std::string>& fields) {
  if (n < 0) n = 0;
  fields.resize(static_cast<std::size_t>(n));
  for (auto& f : fields) f.clear();
  std::string_view rest = line;
  for (int i = 0; i < n; ++i) {
    if (rest.empty() || rest.front() == '\r') break;
    std::string_view field = NextField(rest);
    fields[static_cast<std::size_t>(i)].assign(field.data(), field.size());
  }
}

std::vector<std::string> SplitFields(std::string_view line, int n) {
  std::vector<std::string> fields;
  SplitFieldsInto(line, n, fields);
  return fields;
}

bool NextLine(std::string_view& rest, std::string_view& line) {
  if (rest.empty()) return false;
  std::size_t end = rest.find('\n');
  const std::size_t next = end == std::string_view::npos ? rest.size() : end + 1;
  if (end == std::string_view::npos) end = rest.size();
  line = rest.substr(0, end);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  rest.remove_prefix(next);
  return true;
}

std::vector<std::string_view> SplitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::string_view line;
  while (NextLine(bytes, line)) lines.push_back(line);
  return lines;
}

}  // namespace tabulon
