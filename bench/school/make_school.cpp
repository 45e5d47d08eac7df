// make_school [--klassen N] [--seed S] [--fehler PROZENT] [--schluessel DIR] [--dst NR]
//             [--protokoll] [--schuelerliste DATEI] ZIELVERZEICHNIS
// Writes a synthetic school below ZIELVERZEICHNIS: "prog" is the program directory to pass to
// tabulon-cli -p, "daten" the data base directory. Prints the classes made faulty.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "files/files.h"
#include "school/synthetic_school.h"

namespace {

namespace fs = std::filesystem;

int Usage() {
  std::cerr << "Aufruf: make_school [--klassen N] [--seed S] [--fehler PROZENT] "
               "[--schluessel DIR] [--dst NR] [--protokoll] [--schuelerliste DATEI] "
               "ZIELVERZEICHNIS\n";
  return 2;
}

// The sample key files lie in the program directory beside the benchmarks (build/bin).
fs::path DefaultKeyDir() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path("bin") : exe.parent_path().parent_path() / "bin";
}

}  // namespace

int main(int argc, char** argv) {
  tabulon::bench::SchoolOptions options;
  options.key_dir = DefaultKeyDir();
  fs::path target;
  fs::path pupil_list;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool has_value = i + 1 < argc;
    if (a == "--klassen" && has_value) {
      options.classes = std::atoi(argv[++i]);
    } else if (a == "--seed" && has_value) {
      options.seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
    } else if (a == "--fehler" && has_value) {
      options.fault_percent = std::atoi(argv[++i]);
    } else if (a == "--schluessel" && has_value) {
      options.key_dir = argv[++i];
    } else if (a == "--dst" && has_value) {
      options.dst_nr = argv[++i];
    } else if (a == "--schuelerliste" && has_value) {
      pupil_list = argv[++i];
    } else if (a == "--protokoll") {
      options.log_all_tests = true;
    } else if (!a.empty() && a[0] != '-' && target.empty()) {
      target = a;
    } else {
      return Usage();
    }
  }
  if (target.empty()) return Usage();
  try {
    const tabulon::bench::SyntheticSchool school = tabulon::bench::MakeSchool(target, options);
    if (!pupil_list.empty()) tabulon::WriteFileAtomic(pupil_list, school.pupil_list);
    std::cout << "Programmverzeichnis: " << school.program_dir.string() << "\n"
              << "Klassen: " << school.classes.size() << ", Schüler: " << school.pupils << "\n";
    for (const auto& f : school.faults) {
      std::cout << "fehlerhaft: " << f.class_id << " Tabelle " << f.table << " (" << f.entry
                << ")\n";
    }
  } catch (const tabulon::FileError& e) {
    std::cerr << "Fehler: " << e.Message() << "\n";
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "Fehler: " << e.what() << "\n";
    return 2;
  }
  return 0;
}
