#include "sheets/class/class_structure.h"

#include <string>
#include <string_view>

#include "tables/values.h"
#include "text/encoding.h"

namespace tabulon::class_sheet {
namespace {

constexpr int kCodeError = 243;
constexpr int kNoDistrictError = 245;
constexpr int kTooManyGroupsError = 240;
constexpr int kValueError = 7;
constexpr int kGroupsFrom = 3000;  // group rows keyed from here on take part in no check

// A code made of decimal digits only; codes are never signed or hexadecimal.
std::optional<int> Digits(std::string_view s) {
  if (s.empty() || s.size() > 9) return std::nullopt;
  int v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return v;
}

// The letter codes of the occupations 313 and 320, numbered as the statistics number them.
struct LetterRun {
  std::string_view prefix;
  char first;
  char last;
  int value_of_first;
};
constexpr LetterRun kLetterRuns[] = {
    {"313", 'A', 'H', 3901},
    {"313", 'J', 'N', 3909},
    {"313", 'P', 'U', 3914},
    {"320", 'A', 'F', 3931},
};

std::optional<int> LetterCode(std::string_view code) {
  for (const LetterRun& run : kLetterRuns) {
    if (code.substr(0, 3) == run.prefix && code[3] >= run.first && code[3] <= run.last) {
      return run.value_of_first + (code[3] - run.first);
    }
  }
  return std::nullopt;
}

struct Placement {
  bool grouped = false;
  bool group_row = false;
  int key = 0;
};

// Where a row of company training (line number below 50) belongs.
Placement CompanyRow(std::string_view code, int p, int whole) {
  if (p >= 195) return {};
  if (code[3] == '0') return {true, true, whole};
  return {true, false, p * 10};
}

// Where a row of other training belongs; nothing when its code cannot be read.
std::optional<Placement> OtherRow(std::string_view code, int p) {
  std::optional<int> whole = Digits(code);
  std::optional<int> v;
  if (p <= 300) {
    v = p;
  } else if (p >= 313 && p <= 320) {
    v = LetterCode(code);
    if (!v) v = whole;
  } else {
    v = whole;
  }
  if (!v) return std::nullopt;
  const bool low = *v < 195 || (*v >= 211 && *v <= 214);
  if ((code[3] == '0' && low) || (*v >= 195 && *v <= 199) || *v > 300) {
    return Placement{true, true, *v};
  }
  if (low) return Placement{true, false, p};
  if (!whole) return std::nullopt;
  return Placement{true, false, *whole};
}

T8Group* GroupFor(std::vector<T8Group>& groups, int key, int row, std::vector<T8Finding>& out) {
  for (T8Group& g : groups) {
    if (g.key == key) return &g;
  }
  if (static_cast<int>(groups.size()) >= kT8MaxGroups) {
    out.push_back({kTooManyGroupsError, kT8LineCol, row});
    return &groups.back();
  }
  T8Group g;
  g.key = key;
  groups.push_back(g);
  return &groups.back();
}

}  // namespace

int GroupCodeOf(int key) { return key < 1000 ? key * 10 : key; }

T8Structure AnalyseTable8(const Grid& grid, ErrorFlags& flags) {
  T8Structure s;
  for (int row = 2; row < grid.RowCount(); ++row) {
    // Column 0 holds labels ("Meldung") also in rows without data: emptiness is judged by
    // columns 1 to 7.
    if (RangeIsEmpty(grid, kT8LineCol, row, row, kT8FemaleCol)) continue;
    const std::string& code = grid.Cell(kT8CodeCol, row);
    const bool sum_row = grid.Cell(kT8LineCol, row) == "99";
    if (text::CharCount(code) != 4 && !sum_row) {
      s.findings.push_back({kCodeError, kT8CodeCol, row});
      continue;
    }
    const std::int64_t total = CellNumber(grid.Cell(kT8TotalCol, row), true, kValueError, flags);
    const std::int64_t female = CellNumber(grid.Cell(kT8FemaleCol, row), true, kValueError, flags);
    if (sum_row) {
      s.sum_row = row;
      s.sum_total = total;
      s.sum_female = female;
      continue;
    }
    // Four characters; only plain ASCII digits can make the first three a number.
    const std::optional<int> p = code.size() == 4 ? Digits(code.substr(0, 3)) : std::nullopt;
    if (!p) {
      s.findings.push_back({kCodeError, kT8CodeCol, row});
      continue;
    }
    const int n = CellNumber(grid.Cell(kT8LineCol, row), true, kValueError, flags);
    const bool company = n < kT8CompanyLimit;
    std::optional<Placement> place;
    if (company) {
      const std::optional<int> whole = Digits(code);
      if (code[3] == '0' && !whole) {
        s.findings.push_back({kCodeError, kT8CodeCol, row});
        continue;
      }
      place = CompanyRow(code, *p, whole.value_or(0));
    } else {
      place = OtherRow(code, *p);
    }
    if (!place) {
      s.findings.push_back({kCodeError, kT8CodeCol, row});
      continue;
    }
    if (!place->grouped) continue;
    if (place->group_row && place->key >= kGroupsFrom) continue;
    const bool has_district = !grid.Cell(kT8DistrictCol, row).empty();
    if (!place->group_row && !has_district) {
      s.findings.push_back({kNoDistrictError, kT8DistrictCol, row});
      continue;
    }
    T8Group* g = GroupFor(company ? s.company : s.other, place->key, row, s.findings);
    if (place->group_row) {
      g->group_row = row;
      if (has_district) {
        g->total += total;
        g->female += female;
        g->detail_total += total;
        g->detail_female += female;
      } else {
        g->total = total;
        g->female = female;
      }
    } else {
      g->detail_total += total;
      g->detail_female += female;
    }
  }
  return s;
}

}  // namespace tabulon::class_sheet
