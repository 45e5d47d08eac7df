// Splitting a line of a data, definition, key or list file into fields. A field ends at a tab, a
// carriage return or ";". There is no quoting: a double quote after the first position of a field
// ends the field (and stays in it), and the character after it is dropped like a separator.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tabulon {

// Takes the next field off the front of rest and returns it; rest keeps what follows.
std::string_view NextField(std::string_view& rest);

// The first n fields of a line. Missing fields are empty; fields beyond the n-th are ignored.
// Splitting stops early at the end of the line or where the rest begins with a carriage return.
std::vector<std::string> SplitFields(std::string_view line, int n);
// The same into a caller's vector (resized to n), for readers that split many lines.
void SplitFieldsInto(std::string_view line, int n, std::vector<std::string>& fields);

// The lines of a file's bytes: each ends at a line feed, and one carriage return before it is
// dropped. A last line without a line end counts; nothing after a final line end does.
std::vector<std::string_view> SplitLines(std::string_view bytes);
// The same one line at a time, for files too large to hold a list of their lines beside them:
// takes the next line off the front of rest (false when rest is empty).
bool NextLine(std::string_view& rest, std::string_view& line);

}  // namespace tabulon
