// Conversions between the UTF-8 we hold inside and the two single-byte code pages of the
// files we share with the statistical office and older installations: IBM 850 (the OEM code
// page of a German Windows, used by data files) and Windows-1252 (definition files, key files,
// the texts of the settings record).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tabulon::text {

// Bytes in IBM 850 -> UTF-8. Every byte value has a character.
std::string Cp850ToUtf8(std::string_view bytes);
// The same, taking the bytes over: a file in plain ASCII is its own UTF-8 and is not copied.
std::string Cp850ToUtf8Owned(std::string&& bytes);
// UTF-8 -> IBM 850. A character that IBM 850 cannot hold becomes '?'.
std::string Utf8ToCp850(std::string_view utf8);

// Bytes in Windows-1252 -> UTF-8. The five unassigned byte values become '?'.
std::string Cp1252ToUtf8(std::string_view bytes);
// UTF-8 -> Windows-1252. A character that Windows-1252 cannot hold becomes '?'.
std::string Utf8ToCp1252(std::string_view utf8);

// Whether every character of the text has a byte in the code page (nothing would turn into '?').
bool FitsCp850(std::string_view utf8);
bool FitsCp1252(std::string_view utf8);

// Number of characters (code points) in a UTF-8 text. Invalid bytes count one each.
std::size_t CharCount(std::string_view utf8);
// The first n characters of a UTF-8 text; never splits a character.
std::string CutChars(std::string_view utf8, std::size_t n);

// The text with every control character (C0, DEL and the C1 range) and the backslash written as
// an escape ("\n", "\r", "\t", "\\", "\x1b", "\u0085"), so that a value printed on one line
// stays on one line and cannot pose as another line of output.
std::string EscapeControls(std::string_view utf8);

// Orders two texts as their Windows-1252 bytes compare (unsigned, byte by byte, a shorter text
// that is a prefix of the other first). Returns <0, 0 or >0.
int CompareCp1252(std::string_view a, std::string_view b);

}  // namespace tabulon::text
