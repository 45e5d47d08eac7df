#include "base/settings.h"

#include <cstring>
#include <system_error>

#include "files/files.h"
#include "text/encoding.h"

namespace tabulon {
namespace {

// Offsets and capacities of the record's fields.
struct TextField {
  std::size_t offset;
  std::size_t capacity;  // characters after the length byte
};
constexpr TextField kDstNrField{0, 20};
constexpr TextField kDataBaseDirField{21, 255};
constexpr TextField kReservedTextFields[3] = {{320, 255}, {576, 255}, {832, 255}};

struct WordField {
  std::size_t offset;
  std::uint16_t Settings::*member;
};
constexpr WordField kWordFields[] = {
    {278, &Settings::shrink_rows_without_data},
    {280, &Settings::save_only_rows_with_data},
    {282, &Settings::log_all_tests},
    {284, &Settings::backup_at_start},
    {286, &Settings::report_unclear_records},
    {290, &Settings::warn_unsuitable_access},
    {292, &Settings::ask_after_calculations},
    {294, &Settings::copy_with_es_row},
    {296, &Settings::portable},
    {298, &Settings::reserved_word1},
    {300, &Settings::reserved_word2},
};
constexpr std::size_t kReadOnlyOffset = 288;
constexpr std::size_t kReservedNumber1Offset = 304;
constexpr std::size_t kReservedNumber2Offset = 312;

void PutText(unsigned char* rec, TextField f, const std::string& utf8) {
  std::string bytes = text::Utf8ToCp1252(text::CutChars(utf8, f.capacity));
  if (bytes.size() > f.capacity) bytes.resize(f.capacity);
  rec[f.offset] = static_cast<unsigned char>(bytes.size());
  // A length-prefixed field: no terminating NUL belongs into the record.
  // NOLINTNEXTLINE(bugprone-not-null-terminated-result)
  std::memcpy(rec + f.offset + 1, bytes.data(), bytes.size());
}

std::string GetText(const unsigned char* rec, TextField f) {
  std::size_t len = std::min<std::size_t>(rec[f.offset], f.capacity);
  return text::Cp1252ToUtf8(
      std::string_view(reinterpret_cast<const char*>(rec + f.offset + 1), len));
}

void PutWord(unsigned char* rec, std::size_t off, std::uint16_t v) {
  rec[off] = static_cast<unsigned char>(v & 0xFF);
  rec[off + 1] = static_cast<unsigned char>(v >> 8);
}

std::uint16_t GetWord(const unsigned char* rec, std::size_t off) {
  return static_cast<std::uint16_t>(rec[off] | (rec[off + 1] << 8));
}

// IEEE 754 doubles, little-endian as on the machines that wrote the older files.
void PutDouble(unsigned char* rec, std::size_t off, double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, 8);
  for (int i = 0; i < 8; ++i) rec[off + i] = static_cast<unsigned char>(bits >> (8 * i));
}

double GetDouble(const unsigned char* rec, std::size_t off) {
  std::uint64_t bits = 0;
  for (int i = 0; i < 8; ++i) bits |= static_cast<std::uint64_t>(rec[off + i]) << (8 * i);
  double v;
  std::memcpy(&v, &bits, 8);
  return v;
}

}  // namespace

void DefaultSettings(Settings& s) {
  auto raw = s.raw;
  s = Settings{};
  s.raw = raw;
}

std::array<unsigned char, kSettingsFileSize> EncodeSettings(const Settings& s) {
  std::array<unsigned char, kSettingsFileSize> rec = s.raw;
  PutText(rec.data(), kDstNrField, s.dst_nr);
  PutText(rec.data(), kDataBaseDirField, s.data_base_dir);
  for (const WordField& w : kWordFields) PutWord(rec.data(), w.offset, s.*(w.member));
  rec[kReadOnlyOffset] = s.read_only;
  PutDouble(rec.data(), kReservedNumber1Offset, s.reserved_number1);
  PutDouble(rec.data(), kReservedNumber2Offset, s.reserved_number2);
  for (int i = 0; i < 3; ++i) PutText(rec.data(), kReservedTextFields[i], s.reserved_text[i]);
  return rec;
}

void DecodeSettings(const unsigned char* rec, Settings& s) {
  std::memcpy(s.raw.data(), rec, kSettingsFileSize);
  s.dst_nr = GetText(rec, kDstNrField);
  s.data_base_dir = GetText(rec, kDataBaseDirField);
  for (const WordField& w : kWordFields) s.*(w.member) = GetWord(rec, w.offset);
  s.read_only = rec[kReadOnlyOffset];
  s.reserved_number1 = GetDouble(rec, kReservedNumber1Offset);
  s.reserved_number2 = GetDouble(rec, kReservedNumber2Offset);
  for (int i = 0; i < 3; ++i) s.reserved_text[i] = GetText(rec, kReservedTextFields[i]);
}

std::filesystem::path WithTrailingSeparator(const std::filesystem::path& dir) {
  std::string text = dir.string();
  if (text.empty() || text.back() != std::filesystem::path::preferred_separator) {
    text.push_back(std::filesystem::path::preferred_separator);
  }
  return std::filesystem::path(text);
}

std::string DirectoryTextWithSeparator(const std::string& dir) {
  std::string text = dir;
  if (text.empty() || text.back() != std::filesystem::path::preferred_separator) {
    text.push_back(std::filesystem::path::preferred_separator);
  }
  return text::CutChars(text, kDirectoryMaxChars);
}

std::filesystem::path SettingsFilePath(const std::filesystem::path& program_dir) {
  return WithTrailingSeparator(program_dir) / kSettingsFileName;
}

namespace {

std::string SettingsFileLead(const std::filesystem::path& path) {
  return "Die Einstellungsdatei:\r" + DisplayPath(path) + "\r";
}

}  // namespace

void ReadSettingsFile(const std::filesystem::path& program_dir, Settings& s, Ui& ui) {
  DefaultSettings(s);
  const std::filesystem::path path = SettingsFilePath(program_dir);
  std::error_code ec;
  const std::filesystem::file_status st = std::filesystem::status(path, ec);
  if (st.type() == std::filesystem::file_type::not_found) return;
  if (ec) throw FileError(path, "Lesen", SystemReason(ec));
  if (st.type() != std::filesystem::file_type::regular) {
    // A directory or pipe under the name is nobody's settings: it is neither read (a pipe
    // would block) nor deleted.
    ui.Message(MessageKind::kInformation,
               SettingsFileLead(path) + "ist keine gewöhnliche Datei und kann nicht gelesen " +
                   "werden!" + "\r\r" + "Es gelten die Standardeinstellungen." + "\r" +
                   "Prüfen Sie bitte sofort die Programm-Einstellungen!");
    return;
  }
  std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) throw FileError(path, "Lesen", SystemReason(ec));
  if (size != kSettingsFileSize) {
    std::string reason;
    const std::string outcome = RemoveRegularFile(path, &reason)
                                    ? std::string("Datei wurde gelöscht!")
                                    : "Datei konnte NICHT gelöscht werden (" + reason + ")!";
    ui.Message(MessageKind::kInformation,
               SettingsFileLead(path) + "ist zu alt oder fehlerhaft!" + "\r\r" + outcome + "\r" +
                   "Prüfen Sie bitte sofort die Programm-Einstellungen!");
    return;
  }
  std::string bytes = ReadFileBytes(path);
  if (bytes.size() != kSettingsFileSize) {
    throw FileError(path, "Lesen", "Die Datei hat sich beim Lesen geändert");
  }
  DecodeSettings(reinterpret_cast<const unsigned char*>(bytes.data()), s);
}

void ReloadSettings(const std::filesystem::path& program_dir, Settings& s) {
  DefaultSettings(s);
  const std::filesystem::path path = SettingsFilePath(program_dir);
  std::error_code ec;
  // Only a regular file holds settings; anything else under the name was reported at start.
  if (!std::filesystem::is_regular_file(path, ec)) return;
  std::string bytes = ReadFileBytes(path);
  // A short file fills only the part of the record it holds; the rest keeps the defaults' bytes.
  std::array<unsigned char, kSettingsFileSize> rec = EncodeSettings(s);
  std::memcpy(rec.data(), bytes.data(), std::min(bytes.size(), kSettingsFileSize));
  DecodeSettings(rec.data(), s);
}

void WriteSettingsFile(const std::filesystem::path& program_dir, Settings& s) {
  s.dst_nr = text::CutChars(s.dst_nr, kDstNrMaxChars);
  s.data_base_dir = text::CutChars(s.data_base_dir, kDirectoryMaxChars);
  const std::filesystem::path path = SettingsFilePath(program_dir);
  std::array<unsigned char, kSettingsFileSize> rec = EncodeSettings(s);
  // The record goes over the start of an existing file; what lies beyond it stays.
  std::string bytes;
  std::error_code ec;
  if (std::filesystem::exists(path, ec)) bytes = ReadFileBytes(path);
  if (bytes.size() < kSettingsFileSize) bytes.resize(kSettingsFileSize);
  std::memcpy(bytes.data(), rec.data(), kSettingsFileSize);
  WriteFileAtomic(path, bytes);
  s.raw = rec;
}

}  // namespace tabulon
