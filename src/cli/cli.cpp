#include "cli/cli.h"

#include <algorithm>
#include <ostream>

namespace tabulon::cli {
namespace {

struct Verb {
  const char* name;
  int (*run)(Context&);
};

constexpr Verb kVerbs[] = {
    {"einstellungen", CmdEinstellungen},
    {"anzeigen", CmdAnzeigen},
    {"speichern", CmdSpeichern},
    {"exportieren", CmdExportieren},
    {"importieren", CmdImportieren},
    {"sichern", CmdSichern},
    {"berechnen", CmdBerechnen},
    {"pruefen", CmdPruefen},
};

constexpr const char* kUsage =
    "Aufruf: tabulon-cli VERB [OPTIONEN] [ZIEL...]\n"
    "Verben:\n"
    "  einstellungen            die wirksamen Einstellungen ausgeben (Schlüssel=Wert)\n"
    "  anzeigen ZIEL            eine Tabelle nach Aufbau und Laden ausgeben (Tab-getrennt)\n"
    "  speichern ZIEL           eine Tabelle aufbauen, laden und wieder speichern\n"
    "  exportieren [--stala] [--ueberschreiben] ZIEL\n"
    "                           alle Statistik-Daten (mit --stala nur die offiziellen Dateien)\n"
    "                           nach ZIEL/DST-NR exportieren\n"
    "  importieren [--ueberschreiben] QUELLE\n"
    "                           alle Statistik-Daten aus QUELLE/DST-NR importieren\n"
    "  sichern                  die Datenbank ins BAK-Verzeichnis sichern\n"
    "  berechnen ZIEL zeile|zwischensummen|spalten [--speichern]\n"
    "                           Summen berechnen, Tabelle ausgeben (und speichern)\n"
    "  pruefen ZIEL...          interne PLAUSI-Tests (schule:1 bis schule:4, alles)\n"
    "ZIEL: schule:0 bis schule:4\n"
    "OPTIONEN: -p PROGRAMMVERZEICHNIS  -d DATENBASIS  -n DST-NR  --alle  --json\n";

std::string LineBreaks(std::string text) {
  std::replace(text.begin(), text.end(), '\r', '\n');
  return text;
}

// Parses the options shared by every verb; false with a message on a usage error.
bool ParseOptions(const std::vector<std::string>& args, std::size_t first, Options& o,
                  std::ostream& err) {
  for (std::size_t i = first; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) {
        err << "Fehler: Option " << a << " braucht einen Wert\n";
        return false;
      }
      into = args[++i];
      return true;
    };
    if (a == "-p") {
      std::string v;
      if (!value(v)) return false;
      o.program_dir = v;
    } else if (a == "-d") {
      if (!value(o.data_base_dir)) return false;
      o.has_data_base_dir = true;
    } else if (a == "-n") {
      if (!value(o.dst_nr)) return false;
      o.has_dst_nr = true;
    } else if (a == "--alle") {
      o.all = true;
    } else if (a == "--json") {
      o.json = true;
    } else if (a == "--ueberschreiben") {
      o.overwrite = true;
    } else if (a == "--speichern") {
      o.save = true;
    } else if (a == "--stala") {
      o.stala = true;
    } else if (a.size() > 1 && a[0] == '-') {
      err << "Fehler: unbekannte Option " << a << "\n";
      return false;
    } else {
      o.positional.push_back(a);
    }
  }
  return true;
}

}  // namespace

void CliUi::Message(MessageKind kind, const std::string& text) {
  const char* lead = "Information: ";
  if (kind == MessageKind::kWarning) lead = "Warnung: ";
  if (kind == MessageKind::kError) lead = "Fehler: ";
  err_ << lead << LineBreaks(text) << "\n";
}

bool CliUi::Ask(MessageKind kind, const std::string& text) {
  // The question is shown as it would be, and answered "Nein".
  Message(kind == MessageKind::kConfirmation ? MessageKind::kInformation : kind,
          text + "\r=> Nein");
  return false;
}

std::optional<std::filesystem::path> CliUi::ChooseDirectory(const std::string& caption,
                                                            const std::filesystem::path&) {
  // Verbs take their directories as arguments; a dialog would be a programming error.
  Message(MessageKind::kError, caption + "\r=> kein Verzeichnis gewählt");
  return std::nullopt;
}

OverwriteChoice CliUi::AskOverwrite(const std::string& text) {
  Message(MessageKind::kInformation, text + "\r=> Nein");
  return OverwriteChoice::kNo;
}

// The command line keeps every value it would have to ask about, and says so.
bool CliUi::AskCellChange(const CellChangeQuestion& q) {
  Message(MessageKind::kInformation, "Zellenwert ändern? " + q.row_text + " / " + q.column_text +
                                         ": aktueller Wert " + q.current_value + ", neuer Wert " +
                                         q.new_value + "\r=> Nein");
  return false;
}

int CliUi::ChooseCellValue(const CellChoiceQuestion& q) {
  Message(MessageKind::kInformation, "Zellenwert auswählen und ändern? " + q.row_text + " / " +
                                         q.column_text + ": aktueller Wert " + q.current_value +
                                         ", berechnet " + q.values[0] + " / " + q.values[1] +
                                         " / " + q.values[2] + "\r=> Nein");
  return 0;
}

std::optional<BirthYearRange> CliUi::AskBirthYears() { return std::nullopt; }

std::optional<SchoolTypeAndYears> CliUi::AskSchoolTypeAndYears() { return std::nullopt; }

int Run(const std::vector<std::string>& args, const std::filesystem::path& exe_dir,
        std::ostream& out, std::ostream& err) {
  if (args.empty() || args[0] == "-h" || args[0] == "--help" || args[0] == "hilfe") {
    (args.empty() ? err : out) << kUsage;
    return args.empty() ? kExitUsage : kExitOk;
  }
  const Verb* verb = nullptr;
  for (const Verb& v : kVerbs) {
    if (args[0] == v.name) verb = &v;
  }
  if (verb == nullptr) {
    err << "Fehler: unbekanntes Verb " << args[0] << "\n" << kUsage;
    return kExitUsage;
  }
  Context ctx{Options{}, out, err};
  ctx.options.program_dir = exe_dir;
  if (!ParseOptions(args, 1, ctx.options, err)) return kExitUsage;
  return verb->run(ctx);
}

}  // namespace tabulon::cli
