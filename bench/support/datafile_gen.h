// Synthetic data files of the school sheet for benchmarks: plausible rows in the file's own
// bytes (IBM 850, CR LF), so that reading them exercises the same paths as a school's files.
#pragma once

#include <string>

namespace tabulon::bench {

// School table 2: the code line and `lines` rows of school type, birth year and 16 counts.
std::string GenerateSchoolTable2(int lines);

// School table 1: the code line and one row per school type key ("100", "101", ...), `rows` rows.
std::string GenerateSchoolTable1(int rows);

// The keys GenerateSchoolTable1 uses, as a key file (Windows-1252, "key;text" lines).
std::string GenerateSchoolTypeKeys(int rows);

}  // namespace tabulon::bench
