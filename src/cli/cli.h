// tabulon-cli: the command-line companion. Every verb shares the core with the desktop program
// and only replaces windows by text.
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "app/whole_check.h"
#include "base/ports.h"
#include "base/settings.h"
#include "base/sheet.h"
#include "tables/grid.h"

namespace tabulon::cli {

// Exit statuses: 0 all runs passed, 1 a run failed, 2 usage or file error.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct Options {
  std::filesystem::path program_dir;  // -p, else the executable's directory
  bool has_data_base_dir = false;
  std::string data_base_dir;  // -d
  bool has_dst_nr = false;
  std::string dst_nr;            // -n
  bool all = false;              // --alle
  bool json = false;             // --json
  bool overwrite = false;        // --ueberschreiben
  bool save = false;             // --speichern
  bool stala = false;            // --stala
  bool has_school_name = false;  // --schulintern TEXT
  std::string school_name;
  bool has_pdf = false;  // --pdf DATEI
  std::string pdf;
  std::vector<std::string> positional;
};

struct Context {
  Options options;
  std::ostream& out;
  std::ostream& err;
};

// Runs one invocation; args without the program name. Returns the exit status.
int Run(const std::vector<std::string>& args, const std::filesystem::path& exe_dir,
        std::ostream& out, std::ostream& err);
// The same, the program directory found by `default_program_dir` unless -p names one.
int Run(const std::vector<std::string>& args,
        const std::function<std::filesystem::path()>& default_program_dir, std::ostream& out,
        std::ostream& err);

// Message boxes go to standard error, one per box, "\r" as a line break, led by the kind.
// The command line never asks: every question counts as answered "Nein".
class CliUi : public Ui {
 public:
  explicit CliUi(std::ostream& err) : err_(err) {}
  void Message(MessageKind kind, const std::string& text) override;
  bool Ask(MessageKind kind, const std::string& text) override;
  std::optional<std::filesystem::path> ChooseDirectory(const std::string& caption,
                                                       const std::filesystem::path& start) override;
  OverwriteChoice AskOverwrite(const std::string& text) override;
  bool AskCellChange(const CellChangeQuestion& question) override;
  int ChooseCellValue(const CellChoiceQuestion& question) override;
  std::optional<BirthYearRange> AskBirthYears() override;
  std::optional<SchoolTypeAndYears> AskSchoolTypeAndYears() override;

 private:
  std::ostream& err_;
};

// Options a verb may accept beyond -p, -d and -n, which every verb takes.
enum Option : unsigned {
  kOptAlle = 1u << 0,            // --alle
  kOptJson = 1u << 1,            // --json
  kOptUeberschreiben = 1u << 2,  // --ueberschreiben
  kOptSpeichern = 1u << 3,       // --speichern
  kOptStala = 1u << 4,           // --stala
  kOptSchulintern = 1u << 5,     // --schulintern TEXT
  kOptPdf = 1u << 6,             // --pdf DATEI
};

// One verb as it declares itself: the usage and --help texts are built from these declarations,
// and the parser accepts only the options and the number of arguments a verb declares.
struct Verb {
  const char* name;
  const char* synopsis;     // the arguments after the verb, e.g. "ZIEL"
  const char* description;  // one line for the usage text
  unsigned options;         // the Option flags it accepts
  int min_args;
  int max_args;           // -1: any number
  const char* arg_error;  // what follows "Fehler: <verb> erwartet " when the count is wrong
  int (*run)(Context& ctx);
};

// The verbs, one file each; each file defines its declaration.
extern const Verb kVerbEinstellungen;
extern const Verb kVerbAnzeigen;
extern const Verb kVerbSpeichern;
extern const Verb kVerbExportieren;
extern const Verb kVerbImportieren;
extern const Verb kVerbSichern;
extern const Verb kVerbBerechnen;
extern const Verb kVerbPruefen;
extern const Verb kVerbUmwandeln;
extern const Verb kVerbKlassen;
extern const Verb kVerbKlasseAnlegen;
extern const Verb kVerbKlasseLoeschen;
extern const Verb kVerbDrucken;

// The usage text, built from the verbs' declarations.
std::string UsageText();

// Shared by exportieren, importieren and sichern (cmd_exportieren.cpp): which command to run.
enum class CopyVerb { kExportStaLA, kExportAll, kImportAll, kBackup };
// Runs the command with the directory given on the command line in place of the directory
// dialog; calling the verb answers its opening question with "Ja". Existing files are replaced
// only with --ueberschreiben. Left-out files are listed on standard error.
int RunCopyVerb(Context& ctx, CopyVerb verb, const std::filesystem::path& directory);

// pruefen with the tables coming from `load` (sheet, table, class): the stored table as the
// program shows it, set up and loaded; throws FileError. `log_all_tests` lists passed checks
// too. `settings`: the DST-Nr. the tests compare against; `classes`: the classes "alles" checks.
int RunPruefen(Context& ctx, bool log_all_tests, const WholeCheckLoader& load,
               const Settings& settings = Settings{}, const std::vector<std::string>& classes = {});

}  // namespace tabulon::cli
