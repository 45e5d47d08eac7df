#include "school/synthetic_school.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <random>
#include <stdexcept>
#include <string_view>

#include "app/registry.h"
#include "app/session_tables.h"
#include "base/data_paths.h"
#include "base/settings.h"
#include "files/files.h"
#include "sheets/class/class_table9.h"
#include "sheets/class/class_tables.h"
#include "sheets/class/pupil_list.h"
#include "sheets/teacher/teacher_list.h"
#include "sheets/teacher/teacher_tables.h"
#include "tables/values.h"
#include "text/encoding.h"

namespace tabulon::bench {
namespace {

namespace fs = std::filesystem;

// Answers nothing and shows nothing: the generator's set-ups and saves ask no questions.
class SilentUi : public Ui {
 public:
  void Message(MessageKind, const std::string&) override {}
  bool Ask(MessageKind, const std::string&) override { return false; }
  std::optional<fs::path> ChooseDirectory(const std::string&, const fs::path&) override {
    return std::nullopt;
  }
  OverwriteChoice AskOverwrite(const std::string&) override { return OverwriteChoice::kNo; }
};

constexpr const char* kPrefixes[] = {"ELT", "KFZ", "IND", "BUE", "MET", "GES"};

// Occupation groups of company training (code below 1950, fourth digit 0) and of other training
// (line numbers from 50 on; code below 195 by its first three digits).
struct Occupation {
  const char* code;
  const char* name;
};
constexpr Occupation kCompany[] = {
    {"1230", "Elektroniker"},        {"1410", "Mechatroniker"},     {"1610", "Kaufleute Büro"},
    {"1750", "Industriemechaniker"}, {"1820", "Kfz-Mechatroniker"}, {"1110", "Metallbauer"},
};
constexpr Occupation kOther[] = {
    {"0600", "Berufsvorbereitung"}, {"0700", "Berufsgrundbildung"}, {"0900", "Praktikanten"}};

constexpr const char* kCountries[] = {"121", "124", "126", "129"};

// A made-up pupil; the class tables are counts of these attributes.
struct Pupil {
  bool female = false;
  bool foreign = false;
  int year = 0;
  int country = 0;    // index into the class's countries, when foreign
  int schooling = 0;  // key of table 2, 2 to 10
  bool newcomer = false;
  bool contract = false;
  int status = 0;      // key of table 5, 1 (with contract) to 5
  int field = 0;       // key of table 6, 2 to 9
  int group = 0;       // index into the class's company groups, when with contract
  int district = 0;    // index into the class's districts
  int schooling0 = 0;  // key of table 9, 1 to 7
  int languages = 0;   // 0 to 4
  int hours = 0;       // key of table 7, 1 to 10
};

struct ClassPlan {
  std::string id;
  int number = 0;
  std::vector<Occupation> groups;  // company training
  Occupation other;
  bool block = false;
  std::vector<KeyEntry> districts;
  std::vector<std::string> countries;
  std::vector<Pupil> pupils;
  int fault_table = -1;
};

struct Counts {
  int total = 0;
  int female = 0;
  void Add(const Pupil& p) {
    ++total;
    if (p.female) ++female;
  }
};

std::string Num(long long n) { return n == 0 ? std::string() : std::to_string(n); }

std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

class Generator {
 public:
  Generator(const fs::path& root, const SchoolOptions& o) : options_(o) {
    school_.program_dir = root / "prog";
    school_.data_base_dir = root / "daten";
    school_.school_data_dir = SchoolDataDir(school_.data_base_dir, o.dst_nr);
    for (const char* name : {"SHKK.SSD", "SLAND.SSD", "SSVB0.SSD"}) {
      if (!fs::is_regular_file(o.key_dir / name)) {
        throw std::invalid_argument("Schlüsseldatei fehlt: " + (o.key_dir / name).string());
      }
    }
    fs::create_directories(school_.program_dir);
    fs::create_directories(school_.data_base_dir);
    for (const auto& e : fs::directory_iterator(o.key_dir)) {
      if (e.path().extension() == ".SSD") {
        WriteFileAtomic(school_.program_dir / e.path().filename(), ReadFileBytes(e.path()));
      }
    }
    settings_.dst_nr = o.dst_nr;
    settings_.data_base_dir = fs::absolute(school_.data_base_dir).string();
    settings_.read_only = 0;
    settings_.backup_at_start = 0;
    settings_.log_all_tests = o.log_all_tests ? 1 : 0;
    WriteSettingsFile(school_.program_dir, settings_);
    paths_ = FormDataPaths(settings_, school_.program_dir);
    // As the program's start does: the school data directory exists before any table is shown.
    fs::create_directories(paths_.school_data_dir);
    const std::optional<std::vector<KeyEntry>> districts =
        ReadKeyFile(school_.program_dir / "SHKK.SSD");
    if (districts) districts_ = *districts;
    const std::optional<std::vector<KeyEntry>> countries =
        ReadKeyFile(school_.program_dir / "SLAND.SSD");
    if (countries) countries_ = *countries;
    if (const auto keys = ReadKeyFile(school_.program_dir / class_sheet::kT9KeyFile)) {
      schooling0_keys_ = *keys;
    }
  }

  SyntheticSchool Run() {
    std::mt19937 rng(options_.seed);
    std::vector<ClassPlan> plans;
    plans.reserve(static_cast<std::size_t>(options_.classes));
    for (int i = 0; i < options_.classes; ++i) plans.push_back(PlanClass(i, rng));
    for (const ClassPlan& plan : plans) WriteClass(plan);
    WriteSchoolTables(plans);
    WriteTeacherTables();
    school_.pupil_list = PupilListOf(plans);
    return std::move(school_);
  }

 private:
  TableContext Ctx(const std::string& class_id) {
    return TableContext{settings_, paths_, class_id, ui_};
  }

  // A table as its page shows it, before anything is typed.
  Grid Load(Sheet sheet, int table, const std::string& class_id) {
    const SheetDef& s = SheetOf(sheet);
    const TableDef& def = *s.FindTableNumber(table);
    Grid grid;
    SetUpAndLoadTable(grid, s, def, Ctx(class_id));
    return grid;
  }
  Grid LoadDefinition(Sheet sheet, std::string_view definition, const std::string& class_id) {
    const SheetDef& s = SheetOf(sheet);
    Grid grid;
    SetUpAndLoadTable(grid, s, *s.FindTable(definition), Ctx(class_id));
    return grid;
  }
  void Save(const Grid& grid, Sheet sheet, std::string_view definition,
            const std::string& class_id) {
    const SheetDef& s = SheetOf(sheet);
    SaveTable(grid, s, *s.FindTable(definition), Ctx(class_id));
  }
  void SaveNumber(const Grid& grid, Sheet sheet, int table, const std::string& class_id) {
    Save(grid, sheet, SheetOf(sheet).FindTableNumber(table)->name, class_id);
  }

  ClassPlan PlanClass(int index, std::mt19937& rng) {
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto chance = [&rng](double p) { return std::bernoulli_distribution(p)(rng); };
    ClassPlan c;
    c.number = index + 1;
    char number[12];
    std::snprintf(number, sizeof number, "%03d", c.number);
    c.id = std::string(kPrefixes[index % std::size(kPrefixes)]) + number;
    const int group_count = pick(1, 3);
    const int first = pick(0, static_cast<int>(std::size(kCompany)) - 1);
    for (int g = 0; g < group_count; ++g) {
      c.groups.push_back(kCompany[(first + g) % std::size(kCompany)]);
    }
    c.other = kOther[pick(0, static_cast<int>(std::size(kOther)) - 1)];
    c.block = chance(0.3);
    const int district_count = std::min<int>(pick(1, 3), static_cast<int>(districts_.size()));
    const int first_district = districts_.empty() ? 0 : pick(0, int(districts_.size()) - 1);
    for (int d = 0; d < district_count; ++d) {
      c.districts.push_back(districts_[(first_district + d) % districts_.size()]);
    }
    c.countries.assign(std::begin(kCountries), std::end(kCountries));
    const int pupils = pick(25, 42);
    for (int i = 0; i < pupils; ++i) {
      Pupil p;
      p.female = chance(0.45);
      p.foreign = chance(0.15);
      p.year = 2003 + pick(0, 4);
      p.country = pick(0, static_cast<int>(c.countries.size()) - 1);
      p.schooling = pick(2, 10);
      p.newcomer = chance(0.5);
      p.contract = chance(0.85);
      p.status = p.contract ? 1 : pick(2, 5);
      p.field = pick(2, 9);
      p.group = pick(0, group_count - 1);
      p.district = c.districts.empty() ? 0 : pick(0, static_cast<int>(c.districts.size()) - 1);
      p.schooling0 = pick(1, 7);
      p.languages = std::max(0, pick(-1, 4));
      p.hours = pick(1, 10);
      c.pupils.push_back(p);
    }
    if (pick(0, 99) < options_.fault_percent) {
      static constexpr int kFaultTables[] = {0, 4, 6, 10};
      c.fault_table = kFaultTables[pick(0, 3)];
    }
    return c;
  }

  void WriteClass(const ClassPlan& c) {
    const std::string& id = c.id;
    school_.classes.push_back(id);
    school_.pupils += static_cast<int>(c.pupils.size());
    Counts all;
    for (const Pupil& p : c.pupils) all.Add(p);

    // Table 0 first: its file is what makes the class exist.
    Grid t0 = Load(Sheet::kClass, 0, id);
    t0.SetCell(2, 2, "010");
    t0.SetCell(3, 2, id.substr(3, 3));
    t0.SetCell(4, 2, "1");
    t0.SetCell(5, 2, std::to_string(1 + c.number % 3));
    t0.SetCell(6, 2, c.fault_table == 0 ? "" : std::to_string(1 + c.number % 3));
    SaveNumber(t0, Sheet::kClass, 0, id);

    Grid notes = LoadDefinition(Sheet::kClass, class_sheet::kIdentDefinition, id);
    notes.SetCell(1, 2, "BS " + id.substr(0, 3) + " " + std::to_string(c.number));
    notes.SetCell(1, 3, "Herr Müller");
    notes.SetCell(1, 4, "Frau Öztürk");
    notes.SetCell(1, 5, std::to_string(all.total));
    notes.SetCell(1, 6, std::to_string(all.female));
    Save(notes, Sheet::kClass, class_sheet::kIdentDefinition, id);

    WriteTable1(c);
    WriteTable2(c);
    WriteTable3(c);
    WriteTable4(c);
    WriteTable5(c);
    WriteTable6(c);
    WriteTable7(c);
    WriteTable8(c, all);
    WriteTable9(c);
    WriteTable10(c);
    static constexpr std::pair<int, int> kEntries[] = {{0, 18}, {4, 8}, {6, 232}, {10, 260}};
    for (const auto& [table, entry] : kEntries) {
      if (table == c.fault_table) school_.faults.push_back({id, table, entry});
    }
  }

  void WriteTable1(const ClassPlan& c) {
    std::map<int, std::array<int, 4>> by_year;
    std::array<int, 4> sum{};
    for (const Pupil& p : c.pupils) {
      const std::array<int, 4> add{1, p.female, p.foreign, p.foreign && p.female};
      for (int i = 0; i < 4; ++i) {
        by_year[p.year][static_cast<std::size_t>(i)] += add[static_cast<std::size_t>(i)];
        sum[static_cast<std::size_t>(i)] += add[static_cast<std::size_t>(i)];
      }
    }
    by_year[9999] = sum;
    Grid g = Load(Sheet::kClass, 1, c.id);
    g.SetRowCount(std::max(g.RowCount(), 3 + static_cast<int>(by_year.size())));
    int row = 2;
    for (const auto& [year, v] : by_year) {
      g.SetCell(1, row, std::to_string(year));
      for (int i = 0; i < 4; ++i) g.SetCell(2 + i, row, Num(v[static_cast<std::size_t>(i)]));
      ++row;
    }
    SaveNumber(g, Sheet::kClass, 1, c.id);
  }

  // Rows 3 to 11 by key 2 to 10; row 2 the sum of rows 3 to 5, row 12 of row 2 and rows 6 to 11.
  void WriteTable2(const ClassPlan& c) {
    std::array<std::array<int, 4>, 13> rows{};
    for (const Pupil& p : c.pupils) {
      auto& r = rows[static_cast<std::size_t>(p.schooling + 1)];
      r[0] += 1;
      r[1] += p.female;
      r[2] += p.newcomer;
      r[3] += p.newcomer && p.female;
    }
    for (int i = 0; i < 4; ++i) {
      const auto k = static_cast<std::size_t>(i);
      rows[2][k] = rows[3][k] + rows[4][k] + rows[5][k];
      rows[12][k] = rows[2][k];
      for (int r = 6; r <= 11; ++r) rows[12][k] += rows[static_cast<std::size_t>(r)][k];
    }
    Grid g = Load(Sheet::kClass, 2, c.id);
    for (int r = 2; r <= 12; ++r) {
      for (int i = 0; i < 4; ++i) {
        g.SetCell(3 + i, r, Num(rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(i)]));
      }
    }
    SaveNumber(g, Sheet::kClass, 2, c.id);
  }

  std::string CountryName(const std::string& key) const {
    for (const KeyEntry& k : countries_) {
      if (k.key == key) return k.text;
    }
    return key;
  }

  void WriteTable3(const ClassPlan& c) {
    std::map<int, std::array<int, 4>> by_country;
    std::array<int, 4> sum{};
    for (const Pupil& p : c.pupils) {
      if (!p.foreign) continue;
      const std::array<int, 4> add{1, p.female, p.contract, p.contract && p.female};
      for (std::size_t i = 0; i < 4; ++i) {
        by_country[p.country][i] += add[i];
        sum[i] += add[i];
      }
    }
    Grid g = Load(Sheet::kClass, 3, c.id);
    g.SetRowCount(std::max(g.RowCount(), 4 + static_cast<int>(by_country.size())));
    int row = 2;
    auto put = [&](const std::string& name, const std::string& key, const std::array<int, 4>& v) {
      g.SetCell(1, row, name);
      g.SetCell(2, row, key);
      for (std::size_t i = 0; i < 4; ++i) g.SetCell(3 + static_cast<int>(i), row, Num(v[i]));
      ++row;
    };
    for (const auto& [country, v] : by_country) {
      const std::string& key = c.countries[static_cast<std::size_t>(country)];
      put(CountryName(key), key, v);
    }
    if (!by_country.empty()) put("Insgesamt", "999", sum);
    SaveNumber(g, Sheet::kClass, 3, c.id);
  }

  // Row 2 + k: pupils who learn at least k + 1 foreign languages.
  void WriteTable4(const ClassPlan& c) {
    Grid g = Load(Sheet::kClass, 4, c.id);
    for (int k = 0; k < 4; ++k) {
      Counts n;
      for (const Pupil& p : c.pupils) {
        if (p.languages > k) n.Add(p);
      }
      g.SetCell(3, 2 + k, Num(n.total));
      g.SetCell(4, 2 + k, Num(n.female));
    }
    if (c.fault_table == 4) {
      g.SetCell(4, 2, std::to_string(CellNumber(g.Cell(3, 2), true, 7, scratch_) + 1));
    }
    SaveNumber(g, Sheet::kClass, 4, c.id);
  }

  // A key-row table of counts by a key number (row = key + 1), with total and female columns.
  template <typename KeyOf>
  std::vector<Counts> ByKey(const ClassPlan& c, int rows, KeyOf key_of) {
    std::vector<Counts> out(static_cast<std::size_t>(rows));
    for (const Pupil& p : c.pupils) {
      const int key = key_of(p);
      if (key > 0) out[static_cast<std::size_t>(key + 1)].Add(p);
    }
    return out;
  }

  void PutCounts(Grid& g, const std::vector<Counts>& rows, int first, int last) {
    for (int r = first; r <= last; ++r) {
      g.SetCell(3, r, Num(rows[static_cast<std::size_t>(r)].total));
      g.SetCell(4, r, Num(rows[static_cast<std::size_t>(r)].female));
    }
  }

  static void AddInto(Counts& to, const Counts& from) {
    to.total += from.total;
    to.female += from.female;
  }

  // Rows 2 to 6 by status; row 7 the total.
  void WriteTable5(const ClassPlan& c) {
    std::vector<Counts> rows = ByKey(c, 8, [](const Pupil& p) { return p.status; });
    for (int r = 2; r <= 6; ++r) AddInto(rows[7], rows[static_cast<std::size_t>(r)]);
    Grid g = Load(Sheet::kClass, 5, c.id);
    PutCounts(g, rows, 2, 7);
    SaveNumber(g, Sheet::kClass, 5, c.id);
  }

  // Rows 3 to 10 by field; row 2 the sum of rows 3 to 8, row 11 of rows 2, 9 and 10.
  void WriteTable6(const ClassPlan& c) {
    std::vector<Counts> rows = ByKey(c, 12, [](const Pupil& p) { return p.field; });
    for (int r = 3; r <= 8; ++r) AddInto(rows[2], rows[static_cast<std::size_t>(r)]);
    for (int r : {2, 9, 10}) AddInto(rows[11], rows[static_cast<std::size_t>(r)]);
    if (c.fault_table == 6) ++rows[3].total;
    Grid g = Load(Sheet::kClass, 6, c.id);
    PutCounts(g, rows, 2, 11);
    SaveNumber(g, Sheet::kClass, 6, c.id);
  }

  // Rows 2 to 11 by weekly hours: pupils taught weekly in columns 3 and 4, pupils in block
  // teaching in columns 5 and 6; row 12 counts the pupils in block teaching, row 13 is the total.
  void WriteTable7(const ClassPlan& c) {
    std::vector<Counts> weekly(14), block(14);
    for (const Pupil& p : c.pupils) {
      const auto row = static_cast<std::size_t>(p.hours + 1);
      (c.block ? block : weekly)[row].Add(p);
      if (c.block) weekly[12].Add(p);
    }
    for (int r = 2; r <= 12; ++r) {
      AddInto(weekly[13], weekly[static_cast<std::size_t>(r)]);
      AddInto(block[13], block[static_cast<std::size_t>(r)]);
    }
    Grid g = Load(Sheet::kClass, 7, c.id);
    PutCounts(g, weekly, 2, 13);
    for (int r = 2; r <= 13; ++r) {
      g.SetCell(5, r, Num(block[static_cast<std::size_t>(r)].total));
      g.SetCell(6, r, Num(block[static_cast<std::size_t>(r)].female));
    }
    SaveNumber(g, Sheet::kClass, 7, c.id);
  }

  // One group row per occupation and one detail row per district of origin; company training
  // (pupils with a contract) from line 01, other training from line 50; line 99 the total.
  void WriteTable8(const ClassPlan& c, const Counts& all) {
    Grid g = Load(Sheet::kClass, 8, c.id);
    int row = 2;
    auto put = [&](int line, const Occupation& o, bool detail, const KeyEntry* district,
                   const Counts& n) {
      if (row >= g.RowCount()) g.SetRowCount(row + 1);
      g.SetCell(1, row, Two(line));
      g.SetCell(2, row, o.name);
      std::string code = o.code;
      if (detail) code[3] = '1';
      g.SetCell(3, row, code);
      g.SetCell(4, row, district ? district->text : "");
      g.SetCell(5, row, district ? district->key : "");
      g.SetCell(6, row, Num(n.total));
      g.SetCell(7, row, Num(n.female));
      ++row;
    };
    auto put_group = [&](int& line, const Occupation& o, auto member) {
      Counts total;
      std::vector<Counts> by_district(c.districts.size());
      for (const Pupil& p : c.pupils) {
        if (!member(p)) continue;
        total.Add(p);
        by_district[static_cast<std::size_t>(p.district)].Add(p);
      }
      if (total.total == 0) return;
      put(line++, o, false, nullptr, total);
      for (std::size_t d = 0; d < c.districts.size(); ++d) {
        if (by_district[d].total > 0) put(line++, o, true, &c.districts[d], by_district[d]);
      }
    };
    int line = 1;
    for (std::size_t gi = 0; gi < c.groups.size(); ++gi) {
      put_group(line, c.groups[gi],
                [gi](const Pupil& p) { return p.contract && p.group == static_cast<int>(gi); });
    }
    line = 50;
    put_group(line, c.other, [](const Pupil& p) { return !p.contract; });
    if (row >= g.RowCount()) g.SetRowCount(row + 1);
    g.SetCell(1, row, "99");
    g.SetCell(2, row, "Summe");
    g.SetCell(6, row, Num(all.total));
    g.SetCell(7, row, Num(all.female));
    SaveNumber(g, Sheet::kClass, 8, c.id);
  }

  // The total block, then one block per occupation group of the pupils with a contract; key 9
  // of each block is the sum of keys 1 to 7.
  void WriteTable9(const ClassPlan& c) {
    Grid g = Load(Sheet::kClass, 9, c.id);
    auto fill = [&](int first_row, const std::string& name, auto member) {
      std::array<Counts, 10> by_key{};
      for (const Pupil& p : c.pupils) {
        if (!member(p)) continue;
        by_key[static_cast<std::size_t>(p.schooling0)].Add(p);
        by_key[9].Add(p);
      }
      for (int r = first_row; r < first_row + static_cast<int>(schooling0_keys_.size()); ++r) {
        const std::string& key = g.Cell(class_sheet::kT9SchoolingCol, r);
        const std::optional<std::int32_t> k = ParseInt32(key);
        if (!k || *k < 1 || *k > 9) continue;
        const Counts& n = by_key[static_cast<std::size_t>(*k)];
        g.SetCell(class_sheet::kT9GroupNameCol, r, name);
        g.SetCell(class_sheet::kT9TotalCol, r, Num(n.total));
        g.SetCell(class_sheet::kT9FemaleCol, r, Num(n.female));
      }
    };
    fill(class_sheet::kT9TotalBlockFirst, class_sheet::kT9TotalGroupName,
         [](const Pupil& p) { return p.contract; });
    for (std::size_t gi = 0; gi < c.groups.size(); ++gi) {
      const bool any = std::any_of(c.pupils.begin(), c.pupils.end(), [gi](const Pupil& p) {
        return p.contract && p.group == static_cast<int>(gi);
      });
      if (!any) continue;
      const int first = class_sheet::AddGroupBlock(g, c.groups[gi].code, schooling0_keys_);
      fill(first, c.groups[gi].name,
           [gi](const Pupil& p) { return p.contract && p.group == static_cast<int>(gi); });
    }
    SaveNumber(g, Sheet::kClass, 9, c.id);
  }

  void WriteTable10(const ClassPlan& c) {
    std::array<int, 5> n{};
    for (const Pupil& p : c.pupils) {
      if (p.languages == 0) continue;
      ++n[0];
      ++n[static_cast<std::size_t>(std::min(p.languages, 4))];
    }
    if (c.fault_table == 10) ++n[0];
    Grid g = Load(Sheet::kClass, 10, c.id);
    for (std::size_t i = 0; i < 5; ++i) g.SetCell(1 + static_cast<int>(i), 2, Num(n[i]));
    SaveNumber(g, Sheet::kClass, 10, c.id);
  }

  // Table 0 names the school; table 1 counts the classes and pupils of the vocational school
  // part time ("010", row 2) and in total (row 31); table 2 two years of leavers; table 4 the
  // religious education.
  void WriteSchoolTables(const std::vector<ClassPlan>& plans) {
    Grid t0 = Load(Sheet::kSchool, 0, "");
    SaveNumber(t0, Sheet::kSchool, 0, "");

    int pupils = 0, female = 0, foreign = 0, foreign_female = 0;
    for (const ClassPlan& c : plans) {
      for (const Pupil& p : c.pupils) {
        ++pupils;
        female += p.female;
        foreign += p.foreign;
        foreign_female += p.foreign && p.female;
      }
    }
    const int classes = static_cast<int>(plans.size());
    Grid t1 = Load(Sheet::kSchool, 1, "");
    for (int row : {2, 31}) {
      t1.SetCell(3, row, Num(classes));
      t1.SetCell(4, row, Num(classes));
      t1.SetCell(9, row, Num(pupils));
      t1.SetCell(10, row, Num(pupils));
      t1.SetCell(15, row, Num(female));
      t1.SetCell(16, row, Num(foreign));
      t1.SetCell(17, row, Num(foreign_female));
    }
    SaveNumber(t1, Sheet::kSchool, 1, "");

    Grid t2 = Load(Sheet::kSchool, 2, "");
    struct Leavers {
      const char* year;
      int total;
      int female;
    };
    constexpr Leavers kLeavers[] = {{"2004", 10, 4}, {"2005", 8, 3}, {"9999", 18, 7}};
    int row = 2;
    for (const Leavers& l : kLeavers) {
      if (row >= t2.RowCount()) t2.SetRowCount(row + 1);
      t2.SetCell(1, row, "010");
      t2.SetCell(2, row, l.year);
      t2.SetCell(3, row, Num(l.total));
      t2.SetCell(4, row, Num(l.female));
      t2.SetCell(5, row, Num(l.total));
      t2.SetCell(6, row, Num(l.female));
      ++row;
    }
    SaveNumber(t2, Sheet::kSchool, 2, "");

    Grid t4 = Load(Sheet::kSchool, 4, "");
    t4.SetCell(1, 2, Num(pupils));
    t4.SetCell(2, 2, Num(pupils - pupils / 3));
    t4.SetCell(3, 2, Num(pupils / 3));
    SaveNumber(t4, Sheet::kSchool, 4, "");
  }

  // Twenty teachers in the teacher list, each with a complete row of table 1.
  void WriteTeacherTables() {
    constexpr int kTeachers = 20;
    const std::string no_class;
    Grid ident = LoadDefinition(Sheet::kTeacher, TeacherIdentDef().name, no_class);
    std::vector<TeacherEntry> teachers;
    for (int i = 1; i <= kTeachers; ++i) {
      teachers.push_back({Two(i), "Lehrkraft" + std::to_string(i), "Vorname"});
    }
    PutTeacherList(ident, teachers);
    Save(ident, Sheet::kTeacher, TeacherIdentDef().name, no_class);

    Grid t0 = Load(Sheet::kTeacher, 0, no_class);
    SaveNumber(t0, Sheet::kTeacher, 0, no_class);

    auto es = [](int n) { return kTeacher1FirstCol + n - 1; };
    Grid t1 = Load(Sheet::kTeacher, 1, no_class);
    for (int row = 2; row < t1.RowCount(); ++row) {
      if (IsBlankCell(t1.Cell(es(1), row))) continue;
      const int hours = 20 + row % 6;
      t1.SetCell(es(3), row, std::to_string(1 + row % 2));
      t1.SetCell(es(5), row, Two(1 + row % 11));
      t1.SetCell(es(6), row, std::to_string(1 + row % 5));
      t1.SetCell(es(7), row, Two(10 + row % 30));
      t1.SetCell(es(12), row, std::to_string(1 + row % 4));
      t1.SetCell(es(14), row, "1");
      for (int n : {17, 45, 46, 48}) t1.SetCell(es(n), row, std::to_string(hours));
    }
    SaveNumber(t1, Sheet::kTeacher, 1, no_class);
  }

  // The pupils as the school administration would export them.
  std::string PupilListOf(const std::vector<ClassPlan>& plans) const {
    using class_sheet::PupilColumn;
    using class_sheet::PupilColumnHeader;
    static constexpr PupilColumn kColumns[] = {
        PupilColumn::kKlasse,
        PupilColumn::kGeburtsjahr,
        PupilColumn::kGeschlecht,
        PupilColumn::kStaatsangehoerigkeit,
        PupilColumn::kVorbildung,
        PupilColumn::kNeuanfaenger,
        PupilColumn::kAusbildungsstatus,
        PupilColumn::kAusbildungsvertrag,
        PupilColumn::kBerufsfeld,
        PupilColumn::kBerufsgruppe,
        PupilColumn::kBerufsgruppeBezeichnung,
        PupilColumn::kVorbildungAzubi,
        PupilColumn::kFremdsprachen,
    };
    std::string out;
    for (PupilColumn col : kColumns) {
      if (!out.empty()) out += ';';
      out += PupilColumnHeader(col);
    }
    out += "\r\n";
    for (const ClassPlan& c : plans) {
      for (const Pupil& p : c.pupils) {
        const Occupation* group =
            p.contract ? &c.groups[static_cast<std::size_t>(p.group)] : nullptr;
        const std::string fields[] = {
            c.id,
            std::to_string(p.year),
            p.female ? "w" : "m",
            p.foreign ? c.countries[static_cast<std::size_t>(p.country)] : "000",
            std::to_string(p.schooling),
            p.newcomer ? "ja" : "nein",
            std::to_string(p.status),
            p.contract ? "ja" : "nein",
            Two(p.field),
            group ? group->code : "",
            group ? group->name : "",
            p.contract ? std::to_string(p.schooling0) : "",
            std::to_string(p.languages),
        };
        for (std::size_t i = 0; i < std::size(fields); ++i) {
          if (i) out += ';';
          out += fields[i];
        }
        out += "\r\n";
      }
    }
    return out;
  }

  const SchoolOptions& options_;
  SyntheticSchool school_;
  Settings settings_;
  DataPaths paths_;
  SilentUi ui_;
  ErrorFlags scratch_;
  std::vector<KeyEntry> districts_;
  std::vector<KeyEntry> countries_;
  std::vector<KeyEntry> schooling0_keys_;
};

}  // namespace

SyntheticSchool MakeSchool(const std::filesystem::path& root, const SchoolOptions& options) {
  if (options.classes < 0 || options.classes > 899) {
    throw std::invalid_argument("Klassenzahl außerhalb 0 bis 899");
  }
  if (options.fault_percent < 0 || options.fault_percent > 100) {
    throw std::invalid_argument("Fehleranteil außerhalb 0 bis 100");
  }
  if (!IsUsableDstNr(options.dst_nr))
    throw std::invalid_argument(UnusableDstNrText(options.dst_nr));
  return Generator(root, options).Run();
}

}  // namespace tabulon::bench
