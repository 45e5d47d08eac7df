// Feeds arbitrary bytes to the settings reader as a settings file.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "base/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  unsigned char record[tabulon::kSettingsFileSize] = {};
  std::memcpy(record, data, std::min(size, tabulon::kSettingsFileSize));
  tabulon::Settings s;
  tabulon::DecodeSettings(record, s);
  auto encoded = tabulon::EncodeSettings(s);
  // Decoding what we encoded must give the same fields.
  tabulon::Settings again;
  tabulon::DecodeSettings(encoded.data(), again);
  if (again.dst_nr != s.dst_nr || again.data_base_dir != s.data_base_dir) __builtin_trap();
  return 0;
}
