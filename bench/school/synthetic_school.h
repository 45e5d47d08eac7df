// A synthetic school for benchmarks and command-line tests: a program directory (key files,
// settings file, teacher list, class notes) and a school data directory with the school tables,
// the teacher tables and every table of N classes. Each class is made from a list of made-up
// pupils and its tables are counted from them, so all class tests, the footnote cross test and
// the numbering test pass; a seeded share of classes gets one fault in one table. Every file is
// written through the program's own set-up, load and save, so its bytes are the program's own.
// The same seed gives the same school byte for byte.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tabulon::bench {

struct SchoolOptions {
  int classes = 300;  // at most 899: the running numbers of the class identifiers
  unsigned seed = 1;
  int fault_percent = 0;  // share of classes with one fault, 0 to 100
  std::string dst_nr = "12345";
  bool log_all_tests = false;  // the settings' "log every test" switch
  // Where the key files (*.SSD) are copied from.
  std::filesystem::path key_dir;
};

// A class whose table `table` was made faulty, and the entry its test then reports.
struct SeededFault {
  std::string class_id;
  int table = 0;
  int entry = 0;
};

struct SyntheticSchool {
  std::filesystem::path program_dir;      // root / "prog"
  std::filesystem::path data_base_dir;    // root / "daten"
  std::filesystem::path school_data_dir;  // data base directory / DST-Nr.
  std::vector<std::string> classes;       // in list order
  std::vector<SeededFault> faults;        // in list order
  int pupils = 0;
  std::string pupil_list;  // the pupils as a pupil list (CSV, UTF-8, ";"), one line each
};

// Writes the school below `root` (created when missing; existing files of the same names are
// replaced). Throws FileError or std::invalid_argument for options out of range.
SyntheticSchool MakeSchool(const std::filesystem::path& root, const SchoolOptions& options);

}  // namespace tabulon::bench
