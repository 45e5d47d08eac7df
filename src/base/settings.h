// The settings record: one fixed-size binary record of 1088 bytes, kept in TBEINST.DAT in the
// program directory and shared with older installations, so its layout is fixed to the byte.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "base/ports.h"

namespace tabulon {

inline constexpr std::size_t kSettingsFileSize = 1088;
inline constexpr const char* kSettingsFileName = "TBEINST.DAT";
inline constexpr std::size_t kDstNrMaxChars = 20;
inline constexpr std::size_t kDirectoryMaxChars = 255;

struct Settings {
  std::string dst_nr = "00000";  // UTF-8, at most 20 characters
  std::string data_base_dir;     // UTF-8, at most 255 characters; empty: program directory
  std::uint16_t shrink_rows_without_data = 0;
  std::uint16_t save_only_rows_with_data = 1;
  std::uint16_t log_all_tests = 1;
  std::uint16_t backup_at_start = 1;
  std::uint16_t report_unclear_records = 1;
  std::uint8_t read_only = 1;  // 0 read and write; any other value read-only
  std::uint16_t warn_unsuitable_access = 1;
  std::uint16_t ask_after_calculations = 0;
  std::uint16_t copy_with_es_row = 0;
  std::uint16_t portable = 0;
  std::uint16_t reserved_word1 = 0;
  std::uint16_t reserved_word2 = 0;
  double reserved_number1 = 1.0;
  double reserved_number2 = 1.0;
  std::array<std::string, 3> reserved_text{" -- leer --", " -- leer --", " -- leer --"};

  // The record as last read or written. The padding bytes are whatever the record held, so a
  // rewrite keeps them; the fields above are laid over them when the record is written.
  std::array<unsigned char, kSettingsFileSize> raw{};

  bool IsReadOnly() const { return read_only != 0; }
};

// Every field to its default; the padding bytes of the record are not touched.
void DefaultSettings(Settings& s);

// The record's bytes from the fields (fields over the kept padding).
std::array<unsigned char, kSettingsFileSize> EncodeSettings(const Settings& s);
// The fields from a record's bytes. A length byte beyond its field counts as the field's size.
void DecodeSettings(const unsigned char* record, Settings& s);

// Program directory with a trailing separator.
std::filesystem::path WithTrailingSeparator(const std::filesystem::path& dir);
// A directory text with a trailing separator, cut to 255 characters.
std::string DirectoryTextWithSeparator(const std::string& dir);

std::filesystem::path SettingsFilePath(const std::filesystem::path& program_dir);

// At start: defaults, then the file. A file of any size but 1088 bytes is deleted and the person
// is told so (or told that it could not be deleted, and why); the defaults stay. Anything but a
// regular file under the name is reported as unreadable and left alone. Throws FileError when
// the file exists but cannot be read.
void ReadSettingsFile(const std::filesystem::path& program_dir, Settings& s, Ui& ui);

// Defaults, then the record from the file if it exists as a regular file (no size check; a short
// file fills only what it holds).
void ReloadSettings(const std::filesystem::path& program_dir, Settings& s);

// Writes the 1088-byte record at the start of the file; bytes beyond it in a longer file stay.
// The DST-Nr. is cut to 20 characters and the directory to 255. Throws FileError.
void WriteSettingsFile(const std::filesystem::path& program_dir, Settings& s);

}  // namespace tabulon
