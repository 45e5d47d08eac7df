// Reads arbitrary bytes as a pupil list: either a German refusal or a list whose pupils, written
// out again with quotes, read back the same; the counting of an accepted list into the class
// tables never puts more pupils into a table than the list holds.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "sheets/class/class_tables.h"
#include "sheets/class/pupil_list.h"

namespace {

using namespace tabulon;
using namespace tabulon::class_sheet;

std::string Quote(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::vector<KeyEntry> Keys(std::initializer_list<const char*> keys) {
  std::vector<KeyEntry> out;
  for (const char* k : keys) out.push_back({k, std::string("Text ") + k});
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  PupilList list;
  try {
    list = ParsePupilList(bytes);
  } catch (const PupilListError& e) {
    if (std::string_view(e.what()).empty()) __builtin_trap();
    return 0;
  }
  if (!list.Has(PupilColumn::kKlasse) || list.pupils.empty() || list.pupils.size() > kMaxPupils) {
    __builtin_trap();
  }
  // Round trip: every present column, quoted, ";"-separated.
  std::string again;
  for (int c = 0; c < kPupilColumnCount; ++c) {
    if (!list.present[c]) continue;
    if (!again.empty()) again += ';';
    again += PupilColumnHeader(static_cast<PupilColumn>(c));
  }
  again += "\r\n";
  for (const Pupil& p : list.pupils) {
    std::string line;
    bool first = true;
    for (int c = 0; c < kPupilColumnCount; ++c) {
      if (!list.present[c]) continue;
      if (!first) line += ';';
      first = false;
      line += Quote(p.fields[c]);
    }
    again += line + "\r\n";
  }
  PupilList back;
  try {
    back = ParsePupilList(again);
  } catch (const PupilListError&) {
    // A list of one column whose fields are all blank has no pupil line left; any other refusal
    // of what was just accepted is a fault.
    int columns = 0;
    for (bool present : list.present) columns += present ? 1 : 0;
    if (columns != 1) __builtin_trap();
    return 0;
  }
  if (back.pupils.size() == list.pupils.size()) {
    for (std::size_t i = 0; i < list.pupils.size(); ++i) {
      if (back.pupils[i].fields != list.pupils[i].fields) __builtin_trap();
    }
  }

  // Counting into set-up grids with fixed key rows.
  std::map<int, Grid> tables;
  for (int t : kPupilTables) tables[t] = fuzz::BuiltInGrid(ClassTableDef(t));
  for (int row = 2; row <= kTable2LastKeyRow; ++row) {
    tables[2].SetCell(0, row, std::to_string(row - 1));
    tables[2].SetCell(2, row, std::to_string(row - 1));
  }
  PupilKeys keys;
  keys.vorbildung = Keys({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"});
  keys.land = Keys({"000", "152", "163"});
  keys.status = Keys({"1", "2", "3", "4", "5", "6"});
  keys.berufsfeld = Keys({"01", "02", "03", "04", "05", "06", "07", "08", "09", "10"});
  keys.vorbildung_az = Keys({"1", "2", "3", "4", "5", "6", "7", "9"});
  std::vector<const Pupil*> pupils;
  for (const Pupil& p : list.pupils) pupils.push_back(&p);
  fuzz::SilentUi ui;
  const ClassDerivation d = DeriveClassTables(pupils, list, keys, 2026, tables, ui);
  if (d.assigned < 0 || d.assigned > static_cast<int>(pupils.size())) __builtin_trap();
  if (list.Has(PupilColumn::kGeburtsjahr) || list.Has(PupilColumn::kGeburtsdatum)) {
    // The total row of table 1 never counts more pupils than the list has.
    const Grid& t1 = tables[1];
    for (int row = 2; row < t1.RowCount(); ++row) {
      if (t1.Cell(1, row) != "9999") continue;
      if (std::stoll("0" + t1.Cell(2, row)) > static_cast<long long>(pupils.size())) {
        __builtin_trap();
      }
    }
  }
  return 0;
}
