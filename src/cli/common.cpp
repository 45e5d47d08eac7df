#include "cli/common.h"

#include <cstdio>
#include <ostream>

#include "files/files.h"
#include "text/encoding.h"

namespace tabulon::cli {

int LoadSettingsForCli(Context& ctx, Settings& s) {
  CliUi ui(ctx.err);
  try {
    ReadSettingsFile(ctx.options.program_dir, s, ui);
  } catch (const FileError& e) {
    ui.Message(MessageKind::kError, e.Message());
    return kExitUsage;
  }
  if (ctx.options.has_dst_nr) s.dst_nr = text::CutChars(ctx.options.dst_nr, kDstNrMaxChars);
  if (ctx.options.has_data_base_dir) {
    s.data_base_dir = text::CutChars(ctx.options.data_base_dir, kDirectoryMaxChars);
  }
  // The same check as the desktop program and the backup make, whichever verb runs.
  if (!IsUsableDstNr(s.dst_nr)) {
    ctx.err << "Fehler: " << UnusableDstNrText(s.dst_nr)
            << " (nicht leer; keine Pfadtrenner, kein \"..\", keine Steuerzeichen, keine Zeichen "
               "< > : \" / \\ | ? *, kein Gerätename wie CON, NUL, COM1 oder LPT1)\n";
    if (!ctx.options.has_dst_nr) ctx.err << "Prüfen Sie bitte die Programm-Einstellungen!\n";
    return kExitUsage;
  }
  return kExitOk;
}

int CheckDataBase(Context& ctx, const DataPaths& paths) {
  std::string reason;
  const std::string dir = DisplayPath(paths.data_base_dir);
  switch (CheckDirectory(paths.data_base_dir, &reason)) {
    case DirectoryState::kDirectory:
      return kExitOk;
    case DirectoryState::kMissing:
      ctx.err << "Fehler: Das Daten-Basis-Verzeichnis " << dir
              << " gibt es nicht (Datenträger entfernt oder Pfad falsch?).\n"
                 "Es wird nichts gelesen und nichts angelegt. Legen Sie den Ort der Daten in den "
                 "Programm-Einstellungen oder mit -d fest.\n";
      break;
    case DirectoryState::kNotADirectory:
      ctx.err << "Fehler: Das Daten-Basis-Verzeichnis " << dir << " ist kein Verzeichnis.\n";
      break;
    case DirectoryState::kNoAccess:
      ctx.err << "Fehler: Auf das Daten-Basis-Verzeichnis " << dir
              << " kann nicht zugegriffen werden: " << reason << ".\n";
      break;
  }
  return kExitUsage;
}

void WriteJsonString(std::ostream& o, const std::string& s) {
  o << '"';
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      o << '\\' << c;
    } else if (c < 0x20 || c == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      o << buf;
    } else {
      o << c;
    }
  }
  o << '"';
}

}  // namespace tabulon::cli
