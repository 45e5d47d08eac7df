#include "cli/cli.h"

#include <algorithm>
#include <ostream>

#include "cli/targets.h"

namespace tabulon::cli {
namespace {

// Every verb, in the order the usage lists them.
const Verb* const kVerbs[] = {
    &kVerbEinstellungen, &kVerbAnzeigen,      &kVerbSpeichern,     &kVerbExportieren,
    &kVerbImportieren,   &kVerbSichern,       &kVerbBerechnen,     &kVerbPruefen,
    &kVerbUmwandeln,     &kVerbKlassen,       &kVerbKlasseAnlegen, &kVerbKlasseLoeschen,
    &kVerbDrucken,       &kVerbSchuelerliste,
};

struct OptionName {
  Option flag;
  const char* name;
  const char* value = nullptr;  // the option takes a value, named so in the usage
};
constexpr OptionName kOptionNames[] = {
    {kOptAlle, "--alle"},
    {kOptJson, "--json"},
    {kOptUeberschreiben, "--ueberschreiben"},
    {kOptSpeichern, "--speichern"},
    {kOptStala, "--stala"},
    {kOptSchulintern, "--schulintern", "TEXT"},
    {kOptPdf, "--pdf", "DATEI"},
    {kOptVorlage, "--vorlage", "DATEI"},
    {kOptKlassenAnlegen, "--klassen-anlegen"},
};

// Where an option that takes a value keeps it.
std::string* ValueOf(Options& o, Option flag) {
  if (flag == kOptVorlage) return &o.template_file;
  return flag == kOptPdf ? &o.pdf : &o.school_name;
}

bool* FlagOf(Options& o, Option flag) {
  switch (flag) {
    case kOptAlle:
      return &o.all;
    case kOptJson:
      return &o.json;
    case kOptUeberschreiben:
      return &o.overwrite;
    case kOptSpeichern:
      return &o.save;
    case kOptStala:
      return &o.stala;
    case kOptSchulintern:
      return &o.has_school_name;
    case kOptPdf:
      return &o.has_pdf;
    case kOptVorlage:
      return &o.has_template;
    case kOptKlassenAnlegen:
      return &o.create_classes;
  }
  return nullptr;
}

std::string LineBreaks(std::string text) {
  std::replace(text.begin(), text.end(), '\r', '\n');
  return text;
}

// Parses the options the verb declares (and -p, -d, -n); false with a message on a usage error.
bool ParseOptions(const Verb& verb, const std::vector<std::string>& args, Options& o,
                  std::ostream& err) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) {
        err << "Fehler: Option " << a << " braucht einen Wert\n";
        return false;
      }
      into = args[++i];
      return true;
    };
    // An empty directory would end up as the root directory once a separator is appended.
    auto directory = [&](std::string& into) {
      if (!value(into)) return false;
      if (into.empty()) {
        err << "Fehler: Option " << a << " braucht ein Verzeichnis, nicht den leeren Text\n";
        return false;
      }
      // Directories given here count from where the command was called, as usual for a command.
      std::error_code ec;
      std::filesystem::path absolute = std::filesystem::absolute(into, ec);
      if (!ec) into = absolute.string();
      return true;
    };
    if (a == "-p") {
      std::string v;
      if (!directory(v)) return false;
      o.program_dir = v;
      continue;
    }
    if (a == "-d") {
      if (!directory(o.data_base_dir)) return false;
      o.has_data_base_dir = true;
      continue;
    }
    if (a == "-n") {
      if (!value(o.dst_nr)) return false;
      o.has_dst_nr = true;
      continue;
    }
    const OptionName* option = nullptr;
    for (const OptionName& n : kOptionNames) {
      if (a == n.name) option = &n;
    }
    if (option != nullptr && (verb.options & option->flag) != 0) {
      *FlagOf(o, option->flag) = true;
      if (option->value != nullptr && !value(*ValueOf(o, option->flag))) return false;
    } else if (option != nullptr) {
      std::string verbs;
      for (const Verb* v : kVerbs) {
        if ((v->options & option->flag) != 0)
          verbs += (verbs.empty() ? "" : ", ") + std::string(v->name);
      }
      err << "Fehler: " << a << " gilt nur für " << verbs << "\n";
      return false;
    } else if (a.size() > 1 && a[0] == '-') {
      err << "Fehler: unbekannte Option " << a << "\n";
      return false;
    } else {
      o.positional.push_back(a);
    }
  }
  const int n = static_cast<int>(o.positional.size());
  if (n < verb.min_args || (verb.max_args >= 0 && n > verb.max_args)) {
    err << "Fehler: " << verb.name << " erwartet " << verb.arg_error << "\n";
    return false;
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

std::string UsageText() {
  std::string text = "Aufruf: tabulon-cli VERB [OPTIONEN] [ZIEL...]\nVerben:\n";
  for (const Verb* v : kVerbs) {
    std::string head = std::string("  ") + v->name;
    if (*v->synopsis != '\0') head += std::string(" ") + v->synopsis;
    for (const OptionName& n : kOptionNames) {
      if ((v->options & n.flag) != 0) {
        head += std::string(" [") + n.name + (n.value ? std::string(" ") + n.value : "") + "]";
      }
    }
    constexpr std::size_t kColumn = 27;
    if (head.size() + 1 > kColumn) {
      text += head + "\n" + std::string(kColumn, ' ');
    } else {
      text += head + std::string(kColumn - head.size(), ' ');
    }
    text += std::string(v->description) + "\n";
  }
  return text + "ZIEL: " + AllTargetRanges() + " (pruefen auch: alles)\n" +
         "OPTIONEN: -p PROGRAMMVERZEICHNIS  -d DATENBASIS  -n DST-NR, und je Verb wie oben\n";
}

int Run(const std::vector<std::string>& args, const std::filesystem::path& exe_dir,
        std::ostream& out, std::ostream& err) {
  return Run(
      args, [&exe_dir] { return exe_dir; }, out, err);
}

int Run(const std::vector<std::string>& args,
        const std::function<std::filesystem::path()>& default_program_dir, std::ostream& out,
        std::ostream& err) {
  if (args.empty() || args[0] == "-h" || args[0] == "--help" || args[0] == "hilfe") {
    (args.empty() ? err : out) << UsageText();
    return args.empty() ? kExitUsage : kExitOk;
  }
  const Verb* verb = nullptr;
  for (const Verb* v : kVerbs) {
    if (args[0] == v->name) verb = v;
  }
  if (verb == nullptr) {
    err << "Fehler: unbekanntes Verb " << args[0] << "\n" << UsageText();
    return kExitUsage;
  }
  if (args.size() == 2 && (args[1] == "--help" || args[1] == "-h")) {
    out << "Aufruf: tabulon-cli " << verb->name << " " << verb->synopsis << "\n"
        << verb->description << "\n";
    return kExitOk;
  }
  Context ctx{Options{}, out, err};
  if (!ParseOptions(*verb, args, ctx.options, err)) return kExitUsage;
  // -p wins; only without it is the program directory looked for (and perhaps created).
  if (ctx.options.program_dir.empty()) ctx.options.program_dir = default_program_dir();
  return verb->run(ctx);
}

}  // namespace tabulon::cli
