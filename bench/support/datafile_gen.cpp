#include "support/datafile_gen.h"

#include <random>

namespace tabulon::bench {

namespace {

std::string CodeLine(int n) {
  std::string s;
  for (int i = 1; i <= n; ++i) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "ES%03d", i);
    if (i > 1) s += ';';
    s += buf;
  }
  return s + "\r\n";
}

}  // namespace

std::string GenerateSchoolTable2(int lines) {
  static const char* kTypes[] = {"010", "020", "030", "060", "070", "080", "100",
                                 "110", "120", "130", "140", "160", "170"};
  std::mt19937 rng(2026);
  std::uniform_int_distribution<int> count(0, 250);
  std::string out = CodeLine(18);
  out.reserve(static_cast<std::size_t>(lines) * 64);
  for (int i = 1; i < lines; ++i) {
    out += kTypes[i % 13];
    out += ';';
    out += std::to_string(1970 + (i / 13) % 40);
    for (int c = 3; c <= 18; ++c) {
      out += ';';
      int v = count(rng);
      if (v > 20) out += std::to_string(v);  // many cells stay empty, as in real tables
    }
    out += "\r\n";
  }
  return out;
}

std::string GenerateSchoolTable1(int rows) {
  std::mt19937 rng(1);
  std::uniform_int_distribution<int> count(0, 900);
  std::string out = CodeLine(16);
  for (int i = 0; i < rows; ++i) {
    out += std::to_string(100 + i);
    for (int c = 2; c <= 16; ++c) out += ';' + std::to_string(count(rng));
    out += "\r\n";
  }
  return out;
}

std::string GenerateSchoolTypeKeys(int rows) {
  std::string out;
  for (int i = 0; i < rows; ++i) {
    out += std::to_string(100 + i) + ";Schulart Nr. " + std::to_string(i) + " (M\xFCnde)\r\n";
  }
  return out;
}

}  // namespace tabulon::bench
