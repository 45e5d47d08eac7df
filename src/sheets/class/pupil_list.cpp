#include "sheets/class/pupil_list.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <set>

#include "calc/cell_rules.h"
#include "sheets/class/class_calcs.h"
#include "sheets/class/class_table9.h"
#include "sheets/class/class_tables.h"
#include "tables/error_flags.h"
#include "text/encoding.h"

namespace tabulon::class_sheet {
namespace {

using enum PupilColumn;

constexpr std::array<const char*, kPupilColumnCount> kHeaders = {
    "Klasse",           "Geburtsjahr",         "Geburtsdatum",
    "Geschlecht",       "Staatsangehörigkeit", "Vorbildung",
    "Neuanfänger",      "Ausbildungsstatus",   "Ausbildungsvertrag",
    "Berufsfeld",       "Berufsgruppe",        "Berufsgruppe Bezeichnung",
    "Vorbildung Azubi", "Fremdsprachen",
};

std::string Quoted(std::string_view text) { return "„" + std::string(text) + "“"; }

// ---- Encoding --------------------------------------------------------------------------------

bool IsValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    int extra = 0;
    std::uint32_t cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      extra = 1;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2;
      cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + static_cast<std::size_t>(extra) >= s.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto d = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    // Overlong forms, surrogates and code points beyond Unicode are no UTF-8.
    if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF)) {
      return false;
    }
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

// ---- Headers ---------------------------------------------------------------------------------

// Headers compare without case, umlauts as their two-letter spelling, "_" as a blank and runs of
// blanks as one, so that "STAATSANGEHOERIGKEIT" and "Berufsgruppe_Bezeichnung" are found too.
std::string NormalizeHeader(std::string_view h) {
  std::string out;
  auto put = [&](std::string_view piece) {
    for (char c : piece) {
      if (c == ' ') {
        if (!out.empty() && out.back() != ' ') out.push_back(' ');
      } else {
        out.push_back(c);
      }
    }
  };
  for (std::size_t i = 0; i < h.size(); ++i) {
    const std::string_view rest = h.substr(i);
    struct Fold {
      const char* from;
      const char* to;
    };
    static constexpr Fold kFolds[] = {{"Ä", "ae"}, {"ä", "ae"}, {"Ö", "oe"}, {"ö", "oe"},
                                      {"Ü", "ue"}, {"ü", "ue"}, {"ß", "ss"}};
    bool folded = false;
    for (const Fold& f : kFolds) {
      if (rest.starts_with(f.from)) {
        put(f.to);
        i += std::string_view(f.from).size() - 1;
        folded = true;
        break;
      }
    }
    if (folded) continue;
    char c = h[i];
    if (c == '_' || c == '\t') c = ' ';
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    put(std::string_view(&c, 1));
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::string Trim(std::string_view s) {
  std::size_t a = 0;
  std::size_t b = s.size();
  while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
  while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
  return std::string(s.substr(a, b - a));
}

// ---- Records (RFC 4180) ----------------------------------------------------------------------

struct Record {
  int line = 0;
  std::vector<std::string> fields;
};

// The separator the header line uses most often outside quotes; ";" when it uses none (a list
// of one column).
char DetectSeparator(std::string_view text) {
  std::size_t semicolons = 0, commas = 0, tabs = 0;
  bool quoted = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '\n' || c == '\r') break;
    if (c == ';') ++semicolons;
    if (c == ',') ++commas;
    if (c == '\t') ++tabs;
  }
  if (semicolons >= commas && semicolons >= tabs) return semicolons > 0 || commas == 0 ? ';' : ',';
  return tabs >= commas ? '\t' : ',';
}

std::string LineError(int line, std::string_view what) {
  return "Zeile " + std::to_string(line) + ": " + std::string(what);
}

// Splits the text into records. A quoted field may hold separators, line breaks and doubled
// quotes; a quote inside an unquoted field, text after a closing quote and a quote left open are
// errors, since guessing there would shift every later field of the pupil.
std::vector<Record> SplitRecords(std::string_view text, char sep) {
  std::vector<Record> records;
  int line = 1;
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    Record rec;
    rec.line = line;
    std::string field;
    bool end_of_record = false;
    while (!end_of_record) {
      field.clear();
      if (i < n && text[i] == '"') {
        const int opened = line;
        ++i;
        for (;;) {
          if (i >= n) {
            throw PupilListError(LineError(opened, "Anführungszeichen wird nicht geschlossen."));
          }
          const char c = text[i];
          if (c == '"') {
            if (i + 1 < n && text[i + 1] == '"') {
              field.push_back('"');
              i += 2;
              continue;
            }
            ++i;
            break;
          }
          if (c == '\n') ++line;
          field.push_back(c);
          ++i;
          if (field.size() > kMaxFieldBytes) {
            throw PupilListError(LineError(
                opened, "ein Feld ist länger als " + std::to_string(kMaxFieldBytes) + " Zeichen."));
          }
        }
        if (i < n && text[i] != sep && text[i] != '\n' && text[i] != '\r') {
          throw PupilListError(
              LineError(line, "nach dem schließenden Anführungszeichen folgt kein Trennzeichen."));
        }
      } else {
        while (i < n && text[i] != sep && text[i] != '\n' && text[i] != '\r') {
          if (text[i] == '"') {
            throw PupilListError(LineError(line, "Anführungszeichen mitten im Feld."));
          }
          field.push_back(text[i]);
          ++i;
          if (field.size() > kMaxFieldBytes) {
            throw PupilListError(LineError(
                line, "ein Feld ist länger als " + std::to_string(kMaxFieldBytes) + " Zeichen."));
          }
        }
      }
      rec.fields.push_back(field);
      if (i < n && text[i] == sep) {
        ++i;
        continue;
      }
      // End of the record: CRLF, LF, a lone CR or the end of the text.
      if (i < n && text[i] == '\r') ++i;
      if (i < n && text[i] == '\n') ++i;
      ++line;
      end_of_record = true;
    }
    const bool blank = rec.fields.size() == 1 && Trim(rec.fields[0]).empty();
    if (!blank) records.push_back(std::move(rec));
    if (records.size() > kMaxPupils + 1) {
      throw PupilListError("Die Schülerliste enthält mehr als " + std::to_string(kMaxPupils) +
                           " Schüler.");
    }
  }
  return records;
}

// ---- Values ----------------------------------------------------------------------------------

std::string Lower(std::string_view s) { return NormalizeHeader(s); }

std::optional<int> ParseInt(std::string_view s) {
  int v = 0;
  if (s.empty() || s.size() > 9) return std::nullopt;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
  return v;
}

bool AllDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Keys compare exactly, and digit keys also by their number: an export writes "1" where the key
// file says "01".
bool SameKey(std::string_view a, std::string_view b) {
  if (a == b) return true;
  if (!AllDigits(a) || !AllDigits(b)) return false;
  const auto x = ParseInt(a);
  const auto y = ParseInt(b);
  return x && y && *x == *y;
}

int FindKey(const std::vector<KeyEntry>& keys, std::string_view key) {
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (SameKey(Trim(keys[i].key), key)) return static_cast<int>(i);
  }
  return -1;
}

bool DaysInMonthOk(int y, int m, int d) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (m < 1 || m > 12 || d < 1) return false;
  int max = kDays[m - 1];
  if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) max = 29;
  return d <= max;
}

// "TT.MM.JJJJ" or "JJJJ-MM-TT"; the year, or nothing when the date is no date.
std::optional<int> YearOfDate(std::string_view s) {
  int d = 0, m = 0, y = 0;
  auto num = [](std::string_view t) { return AllDigits(t) ? ParseInt(t) : std::nullopt; };
  if (s.size() == 10 && s[2] == '.' && s[5] == '.') {
    auto dd = num(s.substr(0, 2)), mm = num(s.substr(3, 2)), yy = num(s.substr(6, 4));
    if (!dd || !mm || !yy) return std::nullopt;
    d = *dd, m = *mm, y = *yy;
  } else if (s.size() == 10 && s[4] == '-' && s[7] == '-') {
    auto yy = num(s.substr(0, 4)), mm = num(s.substr(5, 2)), dd = num(s.substr(8, 2));
    if (!dd || !mm || !yy) return std::nullopt;
    d = *dd, m = *mm, y = *yy;
  } else {
    return std::nullopt;
  }
  if (!DaysInMonthOk(y, m, d)) return std::nullopt;
  return y;
}

std::optional<bool> ParseYesNo(std::string_view s) {
  const std::string v = Lower(s);
  if (v == "ja" || v == "1" || v == "x" || v == "j") return true;
  if (v.empty() || v == "nein" || v == "0" || v == "n") return false;
  return std::nullopt;
}

// What the counting knows of one pupil; an attribute that could not be read stays empty, and the
// pupil is then counted nowhere in the tables that need it.
struct Facts {
  std::optional<int> year;
  std::optional<bool> female;
  std::optional<bool> foreign;
  int country = -1;  // entry of SLAND.SSD for a foreigner
  int vorbildung = -1;
  std::optional<bool> new_entrant;
  int status = -1;
  std::optional<bool> contract;
  int berufsfeld = -1;
  std::string group;
  std::string group_name;
  int vorbildung_az = -1;
  std::optional<int> languages;
};

// The rows the table's own calculations fill (total and subtotal rows): no pupil is put there.
bool IsComputedKeyRow(int table, int row) {
  switch (table) {
    case 2:
      return row == 2 || row == kTable2LastKeyRow;
    case 5:
      return row == kTable5LastKeyRow;
    case 6:
      return row == 2 || row == kTable6LastKeyRow;
    default:
      return false;
  }
}

class Reporter {
 public:
  explicit Reporter(std::vector<PupilReport>& out) : out_(out) {}
  void Add(const Pupil& p, PupilColumn c, std::string reason) {
    out_.push_back({p.line, kHeaders[static_cast<std::size_t>(c)], p.Field(c), std::move(reason)});
  }

 private:
  std::vector<PupilReport>& out_;
};

// A key of a key-row table: its entry, or -1 after a report.
int KeyRowEntry(const Pupil& p, PupilColumn c, const std::optional<std::vector<KeyEntry>>& keys,
                const char* file, int table, Reporter& rep) {
  if (!keys) return -1;
  const std::string& v = p.Field(c);
  if (v.empty()) {
    rep.Add(p, c, "kein Schlüssel angegeben");
    return -1;
  }
  const int entry = FindKey(*keys, v);
  if (entry < 0) {
    rep.Add(p, c, std::string("Schlüssel nicht in ") + file);
    return -1;
  }
  if (IsComputedKeyRow(table, entry + 2)) {
    rep.Add(p, c, "Schlüssel einer Summen-/Zwischensummenzeile, wird berechnet");
    return -1;
  }
  return entry;
}

Facts ReadFacts(const Pupil& p, const PupilList& list, const PupilKeys& keys, int current_year,
                Reporter& rep) {
  Facts f;
  // Birth year.
  if (list.Has(kGeburtsjahr) && !p.Field(kGeburtsjahr).empty()) {
    const auto y =
        AllDigits(p.Field(kGeburtsjahr)) ? ParseInt(p.Field(kGeburtsjahr)) : std::nullopt;
    if (!y) {
      rep.Add(p, kGeburtsjahr, "kein Jahr");
    } else if (*y < 1900 || *y > current_year) {
      rep.Add(p, kGeburtsjahr, "Geburtsjahr außerhalb 1900 bis " + std::to_string(current_year));
    } else {
      f.year = y;
    }
  } else if (list.Has(kGeburtsdatum) && !p.Field(kGeburtsdatum).empty()) {
    const auto y = YearOfDate(p.Field(kGeburtsdatum));
    if (!y) {
      rep.Add(p, kGeburtsdatum, "kein gültiges Datum (TT.MM.JJJJ oder JJJJ-MM-TT)");
    } else if (*y < 1900 || *y > current_year) {
      rep.Add(p, kGeburtsdatum, "Geburtsjahr außerhalb 1900 bis " + std::to_string(current_year));
    } else {
      f.year = y;
    }
  } else if (list.Has(kGeburtsjahr) || list.Has(kGeburtsdatum)) {
    rep.Add(p, list.Has(kGeburtsjahr) ? kGeburtsjahr : kGeburtsdatum, "kein Geburtsjahr angegeben");
  }
  // Sex.
  if (list.Has(kGeschlecht)) {
    const std::string g = Lower(p.Field(kGeschlecht));
    if (g == "w" || g == "weiblich" || g == "f") {
      f.female = true;
    } else if (g == "m" || g == "maennlich" || g == "d" || g == "divers" || g == "x" ||
               g == "ohne angabe") {
      f.female = false;
    } else {
      rep.Add(p, kGeschlecht, g.empty() ? "kein Geschlecht angegeben" : "unbekanntes Geschlecht");
    }
  }
  // Nationality.
  if (list.Has(kStaatsangehoerigkeit)) {
    const std::string& v = p.Field(kStaatsangehoerigkeit);
    const std::string lower = Lower(v);
    if (v.empty() || lower == "deutsch" || lower == "deutschland" || SameKey(v, "000")) {
      f.foreign = false;
    } else if (keys.land) {
      int entry = FindKey(*keys.land, v);
      if (entry < 0) {
        for (std::size_t i = 0; i < keys.land->size(); ++i) {
          if (Lower(Trim((*keys.land)[i].text)) == lower) entry = static_cast<int>(i);
        }
      }
      if (entry < 0) {
        rep.Add(p, kStaatsangehoerigkeit, "weder Schlüssel noch Text in SLAND.SSD");
      } else if (SameKey(Trim((*keys.land)[static_cast<std::size_t>(entry)].key), "000")) {
        f.foreign = false;
      } else {
        f.foreign = true;
        f.country = entry;
      }
    }
  }
  if (list.Has(kVorbildung)) {
    f.vorbildung = KeyRowEntry(p, kVorbildung, keys.vorbildung, "SSVB.SSD", 2, rep);
  }
  if (list.Has(kNeuanfaenger)) {
    f.new_entrant = ParseYesNo(p.Field(kNeuanfaenger));
    if (!f.new_entrant) rep.Add(p, kNeuanfaenger, "weder ja noch nein");
  }
  if (list.Has(kAusbildungsstatus)) {
    f.status = KeyRowEntry(p, kAusbildungsstatus, keys.status, "SSAS.SSD", 5, rep);
  }
  if (list.Has(kAusbildungsvertrag)) {
    f.contract = ParseYesNo(p.Field(kAusbildungsvertrag));
    if (!f.contract) rep.Add(p, kAusbildungsvertrag, "weder ja noch nein");
  }
  if (list.Has(kBerufsfeld)) {
    f.berufsfeld = KeyRowEntry(p, kBerufsfeld, keys.berufsfeld, "SSLTF.SSD", 6, rep);
  }
  // Occupation group and schooling of trainees: only a pupil with a contract enters table 9.
  if (list.Has(kBerufsgruppe) && list.Has(kVorbildungAzubi) && f.contract.value_or(false)) {
    f.group = p.Field(kBerufsgruppe);
    if (list.Has(kBerufsgruppeBezeichnung)) f.group_name = p.Field(kBerufsgruppeBezeichnung);
    if (f.group.empty()) {
      rep.Add(p, kBerufsgruppe, "keine Berufsgruppe angegeben");
    } else if (f.group == kT9TotalGroupKey) {
      rep.Add(p, kBerufsgruppe, "9999 ist die Summe aller Berufsgruppen, wird berechnet");
      f.group.clear();
    } else if (keys.vorbildung_az) {
      const std::string& v = p.Field(kVorbildungAzubi);
      const int entry = v.empty() ? -1 : FindKey(*keys.vorbildung_az, v);
      if (v.empty()) {
        rep.Add(p, kVorbildungAzubi, "kein Schlüssel angegeben");
      } else if (entry < 0) {
        rep.Add(p, kVorbildungAzubi, "Schlüssel nicht in SSVB0.SSD");
      } else if (SameKey(Trim((*keys.vorbildung_az)[static_cast<std::size_t>(entry)].key), "9")) {
        rep.Add(p, kVorbildungAzubi, "Schlüssel einer Summen-/Zwischensummenzeile, wird berechnet");
      } else {
        f.vorbildung_az = entry;
      }
    }
  }
  if (list.Has(kFremdsprachen)) {
    const std::string& v = p.Field(kFremdsprachen);
    const auto n = v.empty() ? std::optional<int>(0) : (AllDigits(v) ? ParseInt(v) : std::nullopt);
    if (!n || *n > 99) {
      rep.Add(p, kFremdsprachen, "keine Anzahl von 0 bis 99");
    } else {
      f.languages = n;
    }
  }
  return f;
}

// ---- Writing counts --------------------------------------------------------------------------

// One row's counts: all, female, with the attribute the table splits by, and female with it.
struct Counts {
  std::array<std::int64_t, 4> c{};
  void Add(bool female, bool with = false) {
    c[0] += 1;
    c[1] += female ? 1 : 0;
    c[2] += with ? 1 : 0;
    c[3] += (with && female) ? 1 : 0;
  }
};

void ClearCols(Grid& g, int first_row, int last_row, int first_col, int last_col) {
  for (int r = first_row; r <= last_row && r < g.RowCount(); ++r) {
    for (int c = first_col; c <= last_col; ++c) g.SetCell(c, r, "");
  }
}

void PutCounts(Grid& g, int row, int first_col, const Counts& counts, int n) {
  for (int k = 0; k < n; ++k) {
    g.SetCell(first_col + k, row, std::to_string(counts.c[static_cast<std::size_t>(k)]));
  }
}

// A free-row table rebuilt from keyed counts: rows from 2 in key order, the total row added by
// the table's own calculation.
template <typename Key>
void FillFreeRows(Grid& g, int first_count_col, int last_count_col,
                  const std::map<Key, std::pair<std::vector<std::string>, Counts>>& rows) {
  const int needed = 2 + static_cast<int>(rows.size()) + 2;
  g.SetRowCount(std::max(10, needed));
  ClearCols(g, 2, g.RowCount() - 1, 1, g.ColCount() - 1);
  int row = 2;
  for (const auto& [key, entry] : rows) {
    for (std::size_t k = 0; k < entry.first.size(); ++k) {
      g.SetCell(1 + static_cast<int>(k), row, entry.first[k]);
    }
    PutCounts(g, row, first_count_col, entry.second, last_count_col - first_count_col + 1);
    ++row;
  }
}

void Calculate(Grid& g, Ui& ui, void (*fn)(calc::CalcEnv&)) {
  ErrorFlags flags;
  calc::CalcEnv env{g, flags, ui};
  env.command_confirmed = true;
  fn(env);
}

}  // namespace

const char* PupilColumnHeader(PupilColumn column) {
  return kHeaders[static_cast<std::size_t>(column)];
}

PupilList ParsePupilList(std::string_view bytes) {
  if (bytes.size() > kMaxListBytes) {
    throw PupilListError("Die Schülerliste ist größer als " +
                         std::to_string(kMaxListBytes / (1024 * 1024)) + " MB.");
  }
  PupilList list;
  std::string text;
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  if (IsValidUtf8(bytes)) {
    text.assign(bytes);
  } else {
    list.encoding = PupilEncoding::kWindows1252;
    text = text::Cp1252ToUtf8(bytes);
  }
  if (Trim(text).find_first_not_of("\r\n") == std::string::npos) {
    throw PupilListError("Die Schülerliste ist leer: keine Kopfzeile.");
  }
  list.separator = DetectSeparator(text);
  std::vector<Record> records = SplitRecords(text, list.separator);
  if (records.empty()) throw PupilListError("Die Schülerliste ist leer: keine Kopfzeile.");

  const Record& header = records.front();
  std::array<int, kPupilColumnCount> index;
  index.fill(-1);
  for (std::size_t k = 0; k < header.fields.size(); ++k) {
    const std::string h = Trim(header.fields[k]);
    list.headers.push_back(h);
    const std::string norm = NormalizeHeader(h);
    for (std::size_t c = 0; c < kHeaders.size(); ++c) {
      if (norm != NormalizeHeader(kHeaders[c])) continue;
      if (index[c] >= 0) {
        throw PupilListError("Die Spalte " + Quoted(kHeaders[c]) +
                             " steht mehrmals in der Kopfzeile.");
      }
      index[c] = static_cast<int>(k);
      list.present[c] = true;
    }
  }
  if (!list.Has(kKlasse)) {
    std::string found;
    for (const std::string& h : list.headers) {
      if (!found.empty()) found += ", ";
      // Printed on one line whatever the list holds.
      found += Quoted(text::EscapeControls(h));
    }
    throw PupilListError("Die Schülerliste hat keine Spalte „Klasse“. Gefundene Spalten: " +
                         (found.empty() ? std::string("keine") : found) + ".");
  }
  if (records.size() == 1) throw PupilListError("Die Schülerliste enthält keine Schüler.");
  if (records.size() - 1 > kMaxPupils) {
    throw PupilListError("Die Schülerliste enthält mehr als " + std::to_string(kMaxPupils) +
                         " Schüler.");
  }
  list.pupils.reserve(records.size() - 1);
  for (std::size_t r = 1; r < records.size(); ++r) {
    const Record& rec = records[r];
    if (rec.fields.size() != header.fields.size()) {
      throw PupilListError(
          LineError(rec.line, std::to_string(rec.fields.size()) + " Felder, die Kopfzeile hat " +
                                  std::to_string(header.fields.size()) +
                                  " (Trennzeichen gemischt oder Anführungszeichen fehlen?)."));
    }
    Pupil p;
    p.line = rec.line;
    for (std::size_t c = 0; c < kHeaders.size(); ++c) {
      if (index[c] >= 0) p.fields[c] = Trim(rec.fields[static_cast<std::size_t>(index[c])]);
    }
    list.pupils.push_back(std::move(p));
  }
  return list;
}

std::string PupilListTemplate() {
  std::string out = "\xEF\xBB\xBF";
  for (std::size_t c = 0; c < kHeaders.size(); ++c) {
    if (c > 0) out += ';';
    out += kHeaders[c];
  }
  out += "\r\n";
  return out;
}

std::vector<std::vector<PupilColumn>> RequiredColumnSets(int table) {
  switch (table) {
    case 1:
      return {{kGeburtsjahr, kGeburtsdatum}, {kGeschlecht}, {kStaatsangehoerigkeit}};
    case 2:
      return {{kVorbildung}, {kGeschlecht}, {kNeuanfaenger}};
    case 3:
      return {{kStaatsangehoerigkeit}, {kGeschlecht}, {kAusbildungsvertrag}};
    case 5:
      return {{kAusbildungsstatus}, {kGeschlecht}};
    case 6:
      return {{kBerufsfeld}, {kGeschlecht}};
    case 9:
      return {{kBerufsgruppe}, {kVorbildungAzubi}, {kAusbildungsvertrag}, {kGeschlecht}};
    case 10:
      return {{kFremdsprachen}};
    default:
      return {};
  }
}

bool FillsTable(const PupilList& list, int table) {
  const auto sets = RequiredColumnSets(table);
  if (sets.empty()) return false;
  for (const auto& alternatives : sets) {
    if (std::none_of(alternatives.begin(), alternatives.end(),
                     [&](PupilColumn c) { return list.Has(c); })) {
      return false;
    }
  }
  return true;
}

std::vector<std::string> TablePlanLines(const PupilList& list) {
  std::vector<std::string> lines;
  std::string filled;
  for (int t : kPupilTables) {
    if (!FillsTable(list, t)) continue;
    if (!filled.empty()) filled += ", ";
    filled += std::to_string(t);
  }
  lines.push_back(filled.empty() ? "Keine Tabelle wird gefüllt."
                                 : "Gefüllt werden die Tabellen " + filled + ".");
  for (int t : kPupilTables) {
    if (FillsTable(list, t)) continue;
    std::string missing;
    for (const auto& alternatives : RequiredColumnSets(t)) {
      if (std::any_of(alternatives.begin(), alternatives.end(),
                      [&](PupilColumn c) { return list.Has(c); })) {
        continue;
      }
      if (!missing.empty()) missing += ", ";
      for (std::size_t k = 0; k < alternatives.size(); ++k) {
        if (k > 0) missing += " oder ";
        missing += Quoted(PupilColumnHeader(alternatives[k]));
      }
    }
    lines.push_back("Tabelle " + std::to_string(t) + " bleibt unverändert, es fehlt: " + missing +
                    ".");
  }
  return lines;
}

std::string PupilReport::Text() const {
  return "Zeile " + std::to_string(line) + ", Spalte " + Quoted(column) + ", Wert " +
         Quoted(text::EscapeControls(value)) + ": " + reason;
}

ClassDerivation DeriveClassTables(const std::vector<const Pupil*>& pupils, const PupilList& list,
                                  const PupilKeys& keys, int current_year,
                                  std::map<int, Grid>& tables, Ui& ui) {
  ClassDerivation result;
  Reporter rep(result.reports);
  std::vector<Facts> facts;
  facts.reserve(pupils.size());
  for (const Pupil* p : pupils) facts.push_back(ReadFacts(*p, list, keys, current_year, rep));
  std::vector<bool> counted(pupils.size(), false);
  auto fills = [&](int t) { return FillsTable(list, t) && tables.count(t) > 0; };

  if (fills(1)) {
    std::map<int, std::pair<std::vector<std::string>, Counts>> rows;
    for (std::size_t i = 0; i < facts.size(); ++i) {
      const Facts& f = facts[i];
      if (!f.year || !f.female || !f.foreign) continue;
      auto& e = rows[*f.year];
      e.first = {std::to_string(*f.year)};
      e.second.Add(*f.female, *f.foreign);
      counted[i] = true;
    }
    Grid& g = tables[1];
    FillFreeRows(g, 2, 5, rows);
    Calculate(g, ui, Table1SummaryRow);
  }
  if (fills(3) && keys.land) {
    std::map<std::string, std::pair<std::vector<std::string>, Counts>> rows;
    for (std::size_t i = 0; i < facts.size(); ++i) {
      const Facts& f = facts[i];
      if (!f.foreign || !f.female || !f.contract) continue;
      if (!*f.foreign) continue;
      const KeyEntry& k = (*keys.land)[static_cast<std::size_t>(f.country)];
      auto& e = rows[Trim(k.key)];
      e.first = {Trim(k.text), Trim(k.key)};
      e.second.Add(*f.female, *f.contract);
      counted[i] = true;
    }
    Grid& g = tables[3];
    FillFreeRows(g, 3, 6, rows);
    Calculate(g, ui, Table3SummaryRow);
  }
  // Key-row tables: counts by the entry of the key file, in the rows the file gives.
  auto key_rows = [&](int table, int last_row, int last_col, auto entry_of, auto fourth,
                      std::initializer_list<void (*)(calc::CalcEnv&)> calcs) {
    std::map<int, Counts> rows;
    for (std::size_t i = 0; i < facts.size(); ++i) {
      const Facts& f = facts[i];
      const int entry = entry_of(f);
      if (entry < 0 || !f.female) continue;
      std::optional<bool> extra = fourth(f);
      if (last_col == 6 && !extra) continue;
      rows[entry + 2].Add(*f.female, last_col == 6 && *extra);
      counted[i] = true;
    }
    Grid& g = tables[table];
    ClearCols(g, 2, last_row, 3, last_col);
    for (const auto& [row, c] : rows) {
      if (row <= last_row) PutCounts(g, row, 3, c, last_col - 2);
    }
    for (auto fn : calcs) Calculate(g, ui, fn);
  };
  if (fills(2)) {
    key_rows(
        2, kTable2LastKeyRow, 6, [](const Facts& f) { return f.vorbildung; },
        [](const Facts& f) { return f.new_entrant; }, {Table2SubtotalRows, Table2SummaryRow});
  }
  if (fills(5)) {
    key_rows(
        5, kTable5LastKeyRow, 4, [](const Facts& f) { return f.status; },
        [](const Facts&) { return std::optional<bool>(false); }, {Table5SummaryRow});
  }
  if (fills(6)) {
    key_rows(
        6, kTable6LastKeyRow, 4, [](const Facts& f) { return f.berufsfeld; },
        [](const Facts&) { return std::optional<bool>(false); },
        {Table6SubtotalRows, Table6SummaryRow});
  }
  if (fills(9) && keys.vorbildung_az) {
    Grid& g = tables[9];
    ClearCols(g, 2, g.RowCount() - 1, kT9TotalCol, kT9FemaleCol);
    GroupIndex index(g);
    std::map<int, Counts> rows;
    for (std::size_t i = 0; i < facts.size(); ++i) {
      const Facts& f = facts[i];
      if (f.vorbildung_az < 0 || f.group.empty() || !f.female) continue;
      const std::vector<int>* block = index.Rows(f.group);
      if (block == nullptr) {
        AddGroupBlock(g, f.group, *keys.vorbildung_az, &index);
        block = index.Rows(f.group);
      }
      if (block == nullptr) continue;
      const std::string& key = (*keys.vorbildung_az)[static_cast<std::size_t>(f.vorbildung_az)].key;
      for (int row : *block) {
        if (!f.group_name.empty()) g.SetCell(kT9GroupNameCol, row, f.group_name);
        if (SameKey(g.Cell(kT9SchoolingCol, row), Trim(key))) {
          rows[row].Add(*f.female);
          counted[i] = true;
        }
      }
    }
    for (const auto& [row, c] : rows) PutCounts(g, row, kT9TotalCol, c, 2);
    Calculate(g, ui, Table9SubtotalRows);
    Calculate(g, ui, Table9SummaryRow);
  }
  if (fills(10)) {
    Counts c;
    bool any = false;
    for (std::size_t i = 0; i < facts.size(); ++i) {
      const Facts& f = facts[i];
      if (!f.languages) continue;
      counted[i] = true;
      if (*f.languages == 0) continue;
      c.c[static_cast<std::size_t>(std::min(*f.languages, 4) - 1)] += 1;
      any = true;
    }
    Grid& g = tables[10];
    ClearCols(g, 2, 2, 1, 5);
    if (any) {
      PutCounts(g, 2, 2, c, 4);
      Calculate(g, ui, Table10SummaryColumns);
    }
  }
  result.assigned = static_cast<int>(std::count(counted.begin(), counted.end(), true));
  return result;
}

namespace {

std::pair<int, int> CountCols(int table) {
  switch (table) {
    case 1:
      return {2, 5};
    case 5:
    case 6:
      return {3, 4};
    case 9:
      return {kT9TotalCol, kT9FemaleCol};
    case 10:
      return {1, 5};
    default:
      return {3, 6};
  }
}

bool RowHasCounts(const Grid& grid, int table, int row) {
  const auto [first, last] = CountCols(table);
  for (int c = first; c <= last; ++c) {
    const std::string& v = grid.Cell(c, row);
    if (!IsBlankCell(v) && v != "0") return true;
  }
  return false;
}

}  // namespace

std::vector<CellChange> ChangedCells(const Grid& before, const Grid& after, int table) {
  std::vector<CellChange> out;
  const int rows = std::max(before.RowCount(), after.RowCount());
  const int cols = std::max(before.ColCount(), after.ColCount());
  for (int r = 0; r < rows; ++r) {
    // A data row without counts on either side is not written, so it changes nothing stored.
    if (r >= 2 && !RowHasCounts(before, table, r) && !RowHasCounts(after, table, r)) continue;
    for (int c = 0; c < cols; ++c) {
      const std::string& a = before.Cell(c, r);
      const std::string& b = after.Cell(c, r);
      if (a == b) continue;
      // A blank count and a 0 say the same: no pupil.
      if ((IsBlankCell(a) && b == "0") || (a == "0" && IsBlankCell(b))) continue;
      out.push_back({c, r, a, b});
    }
  }
  return out;
}

bool HoldsCounts(const Grid& grid, int table) {
  for (int r = 2; r < grid.RowCount(); ++r) {
    if (RowHasCounts(grid, table, r)) return true;
  }
  return false;
}

}  // namespace tabulon::class_sheet
