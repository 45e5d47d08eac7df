// The pupil list: one line per pupil as school administration programs export it (CSV with a
// header line), read into pupils and counted into the class tables. Reading is strict: a list
// that cannot be read whole is refused with a German message, so that no table is ever filled
// from half a list.
#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/ports.h"
#include "tables/grid.h"
#include "tables/values.h"

namespace tabulon::class_sheet {

// The attributes a pupil list may carry, in the order of the template's header line.
enum class PupilColumn {
  kKlasse,
  kGeburtsjahr,
  kGeburtsdatum,
  kGeschlecht,
  kStaatsangehoerigkeit,
  kVorbildung,
  kNeuanfaenger,
  kAusbildungsstatus,
  kAusbildungsvertrag,
  kBerufsfeld,
  kBerufsgruppe,
  kBerufsgruppeBezeichnung,
  kVorbildungAzubi,
  kFremdsprachen,
};
inline constexpr int kPupilColumnCount = 14;

// The header of each column as the template writes it.
const char* PupilColumnHeader(PupilColumn column);

// Limits beyond which a list is no pupil list: a school has a few thousand pupils, and no field
// of one is longer than a line of text.
inline constexpr std::size_t kMaxPupils = 100000;
inline constexpr std::size_t kMaxFieldBytes = 1000;
inline constexpr std::size_t kMaxListBytes = 64u * 1024u * 1024u;

enum class PupilEncoding { kUtf8, kWindows1252 };

struct Pupil {
  int line = 0;  // line of the list (the header is line 1)
  // The field of every column, trimmed; empty when the list lacks the column.
  std::array<std::string, kPupilColumnCount> fields;
  const std::string& Field(PupilColumn c) const { return fields[static_cast<std::size_t>(c)]; }
};

struct PupilList {
  char separator = ';';
  PupilEncoding encoding = PupilEncoding::kUtf8;
  std::array<bool, kPupilColumnCount> present{};
  std::vector<std::string> headers;  // every header of the list, as written
  std::vector<Pupil> pupils;
  bool Has(PupilColumn c) const { return present[static_cast<std::size_t>(c)]; }
};

// A list that cannot be read; the message says why, in German, with the line where it applies.
class PupilListError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the bytes of a list: encoding (UTF-8 with or without BOM, else Windows-1252), separator
// (";", "," or tab, the one the header line uses), quotes as RFC 4180. Throws PupilListError.
PupilList ParsePupilList(std::string_view bytes);

// The template: the header line with every column, ";"-separated, UTF-8 with BOM.
std::string PupilListTemplate();

// ---- Counting into the class tables ---------------------------------------------------------

// The tables the list fills: 1, 2, 3, 5, 6, 9 and 10.
inline constexpr std::array<int, 7> kPupilTables = {1, 2, 3, 5, 6, 9, 10};

// The columns a table needs; a table is filled only when the list has all of them.
std::vector<std::vector<PupilColumn>> RequiredColumnSets(int table);
bool FillsTable(const PupilList& list, int table);
// "Tabelle 1, 2, 3 werden gefüllt." and for every table left alone the columns it lacks.
std::vector<std::string> TablePlanLines(const PupilList& list);

// The key files the counting needs, as read from the program directory; a missing key file
// leaves its table unfilled.
struct PupilKeys {
  std::optional<std::vector<KeyEntry>> vorbildung;     // SSVB.SSD
  std::optional<std::vector<KeyEntry>> land;           // SLAND.SSD
  std::optional<std::vector<KeyEntry>> status;         // SSAS.SSD
  std::optional<std::vector<KeyEntry>> berufsfeld;     // SSLTF.SSD
  std::optional<std::vector<KeyEntry>> vorbildung_az;  // SSVB0.SSD
};

// A pupil who is counted nowhere in one table, and why.
struct PupilReport {
  int line = 0;
  std::string column;  // the header of the column that caused it
  std::string value;
  std::string reason;
  std::string Text() const;  // "Zeile 4, Spalte Vorbildung, Wert \"77\": ..."
};

// Derives the class's tables from its pupils into the loaded grids `tables[t]` (set up and
// loaded as showing the page does): the counts are written as typed values would be, then the
// table's own total and subtotal calculations run without questions. Only the tables the list
// fills are touched. `current_year` bounds the birth years.
struct ClassDerivation {
  std::vector<PupilReport> reports;
  int assigned = 0;  // pupils counted in at least one table
};
ClassDerivation DeriveClassTables(const std::vector<const Pupil*>& pupils, const PupilList& list,
                                  const PupilKeys& keys, int current_year,
                                  std::map<int, Grid>& tables, Ui& ui);

// A cell that the derivation changes: the preview lists them per class and table.
struct CellChange {
  int col = 0;
  int row = 0;
  std::string old_text;
  std::string new_text;
};
// The changed cells between a table as loaded and as derived (rows missing on one side count as
// empty). Data rows without counts on both sides are passed over (they are not saved), and a
// blank count equals 0.
std::vector<CellChange> ChangedCells(const Grid& before, const Grid& after, int table);
// Whether a loaded table holds typed counts (a cell of its count columns other than blank and
// "0"); such a table is overwritten only after confirmation.
bool HoldsCounts(const Grid& grid, int table);

}  // namespace tabulon::class_sheet
