#include "text/encoding.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

namespace tabulon::text {
namespace {

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// Opening a converter costs far more than converting a line, so each thread keeps one per code
// page. Conversions never run concurrently on one thread, so sharing it is safe.
UConverter* Converter(const char* name) {
  thread_local ConverterPtr cp850;
  thread_local ConverterPtr cp1252;
  ConverterPtr& slot = (name[0] == 'i') ? cp850 : cp1252;
  if (!slot) {
    UErrorCode status = U_ZERO_ERROR;
    slot.reset(ucnv_open(name, &status));
    if (U_FAILURE(status)) throw std::runtime_error(std::string("ICU converter missing: ") + name);
    // Unmappable characters become '?' when writing; unassigned bytes become U+FFFD when
    // reading, which we then write as '?'.
    status = U_ZERO_ERROR;
    ucnv_setSubstChars(slot.get(), "?", 1, &status);
    ucnv_setFromUCallBack(slot.get(), UCNV_FROM_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr,
                          &status);
    ucnv_setToUCallBack(slot.get(), UCNV_TO_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr,
                        &status);
  }
  ucnv_reset(slot.get());
  return slot.get();
}

constexpr const char* kCp850 = "ibm-850";
constexpr const char* kCp1252 = "windows-1252";

bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The byte -> UTF-16 tables are built once from ICU itself; a single-byte code page is a table,
// and walking it per byte is many times faster than a converter call per line.
struct ByteTable {
  char16_t to_unicode[256];
};

ByteTable BuildTable(const char* name) {
  ByteTable t{};
  UConverter* conv = Converter(name);
  // Both code pages keep ASCII as it is, as Windows does; ICU's IBM table swaps a few control
  // characters (0x1A, 0x1C, 0x7F), which would make a text read differently depending on whether
  // it also holds a non-ASCII character.
  for (int b = 0; b < 0x80; ++b) t.to_unicode[b] = static_cast<char16_t>(b);
  for (int b = 0x80; b < 256; ++b) {
    char in = static_cast<char>(b);
    const char* src = &in;
    UChar out[4];
    UChar* dst = out;
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(conv);
    ucnv_toUnicode(conv, &dst, out + 4, &src, src + 1, nullptr, true, &status);
    char16_t u = (U_SUCCESS(status) && dst == out + 1) ? out[0] : u'?';
    if (u == 0xFFFD || (u == 0x1A && b != 0x1A)) u = u'?';
    t.to_unicode[b] = u;
  }
  return t;
}

const ByteTable& Table(const char* name) {
  static const ByteTable cp850 = BuildTable(kCp850);
  static const ByteTable cp1252 = BuildTable(kCp1252);
  return name == kCp850 ? cp850 : cp1252;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::size_t Utf8Length(char32_t cp) { return cp < 0x80 ? 1 : (cp < 0x800 ? 2 : 3); }

std::string BytesToUtf8(std::string_view bytes, const char* name) {
  if (IsAscii(bytes)) return std::string(bytes);
  const ByteTable& t = Table(name);
  // The exact size first: a large file is held once more, not twice more.
  std::size_t size = 0;
  for (char c : bytes) size += Utf8Length(t.to_unicode[static_cast<unsigned char>(c)]);
  std::string out;
  out.reserve(size);
  for (char c : bytes) AppendUtf8(out, t.to_unicode[static_cast<unsigned char>(c)]);
  return out;
}

// The reverse of the byte table, so that writing is the exact inverse of reading.
struct ReverseTable {
  std::array<unsigned char, 0x10000> from_unicode{};  // 0: no byte (the NUL byte is ASCII)
};

ReverseTable BuildReverse(const ByteTable& t) {
  ReverseTable r;
  for (int b = 0xFF; b >= 0x80; --b) {
    if (t.to_unicode[b] != u'?') r.from_unicode[t.to_unicode[b]] = static_cast<unsigned char>(b);
  }
  return r;
}

const ReverseTable& Reverse(const char* name) {
  static const ReverseTable cp850 = BuildReverse(Table(kCp850));
  static const ReverseTable cp1252 = BuildReverse(Table(kCp1252));
  return name == kCp850 ? cp850 : cp1252;
}

std::string Utf8ToBytes(std::string_view utf8, const char* name) {
  if (IsAscii(utf8)) return std::string(utf8);
  const ReverseTable& r = Reverse(name);
  std::string out;
  out.reserve(utf8.size());
  const auto length = static_cast<int32_t>(utf8.size());
  for (int32_t i = 0; i < length;) {
    UChar32 c;
    U8_NEXT(utf8.data(), i, length, c);
    if (c >= 0 && c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c > 0 && c < 0x10000 && r.from_unicode[static_cast<std::size_t>(c)] != 0) {
      out.push_back(static_cast<char>(r.from_unicode[static_cast<std::size_t>(c)]));
    } else {
      out.push_back('?');  // not in the code page, or not UTF-8 at all
    }
  }
  return out;
}

}  // namespace

std::string Cp850ToUtf8(std::string_view bytes) { return BytesToUtf8(bytes, kCp850); }
std::string Cp850ToUtf8Owned(std::string&& bytes) {
  if (IsAscii(bytes)) return std::move(bytes);
  return BytesToUtf8(bytes, kCp850);
}
std::string Utf8ToCp850(std::string_view utf8) { return Utf8ToBytes(utf8, kCp850); }
std::string Cp1252ToUtf8(std::string_view bytes) { return BytesToUtf8(bytes, kCp1252); }
std::string Utf8ToCp1252(std::string_view utf8) { return Utf8ToBytes(utf8, kCp1252); }

namespace {
bool Fits(std::string_view utf8, const char* name) {
  if (IsAscii(utf8)) return true;
  // A character fits when it survives the trip there and back.
  std::string bytes = Utf8ToBytes(utf8, name);
  return BytesToUtf8(bytes, name) == utf8;
}
}  // namespace

bool FitsCp850(std::string_view utf8) { return Fits(utf8, kCp850); }
bool FitsCp1252(std::string_view utf8) { return Fits(utf8, kCp1252); }

namespace {
// Length of the UTF-8 sequence that starts at s[i]; 1 for an invalid or cut sequence.
std::size_t SequenceLength(std::string_view s, std::size_t i) {
  int32_t pos = static_cast<int32_t>(i);
  UChar32 c;
  U8_NEXT(s.data(), pos, static_cast<int32_t>(s.size()), c);
  (void)c;
  return static_cast<std::size_t>(pos) - i;
}
}  // namespace

std::size_t CharCount(std::string_view utf8) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < utf8.size(); i += SequenceLength(utf8, i)) ++n;
  return n;
}

std::string CutChars(std::string_view utf8, std::size_t n) {
  std::size_t i = 0;
  for (std::size_t count = 0; count < n && i < utf8.size(); ++count) i += SequenceLength(utf8, i);
  return std::string(utf8.substr(0, i));
}

int CompareCp1252(std::string_view a, std::string_view b) {
  if (IsAscii(a) && IsAscii(b)) return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
  std::string ba = Utf8ToCp1252(a);
  std::string bb = Utf8ToCp1252(b);
  // std::string compares char_traits<char>, which is unsigned-byte order as memcmp.
  int r = ba.compare(bb);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

std::string EscapeControls(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    char buf[8];
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      std::snprintf(buf, sizeof buf, "\\x%02x", c);
      out += buf;
    } else if (c == 0xC2 && i + 1 < utf8.size() &&
               static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
      // U+0080 to U+009F: terminals take some of them as control sequences.
      std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned char>(utf8[++i]));
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace tabulon::text
