// tabulon-cli einstellungen: the settings as the program forms them at start.
#include <ostream>

#include "base/data_paths.h"
#include "base/settings.h"
#include "cli/cli.h"
#include "cli/common.h"
#include "files/files.h"
#include "text/encoding.h"

namespace tabulon::cli {

namespace {
int CmdEinstellungen(Context& ctx) {
  Settings s;
  int status = LoadSettingsForCli(ctx, s);
  if (status != kExitOk) return status;
  DataPaths paths = FormDataPaths(s, ctx.options.program_dir);

  // One setting per line: a line break or other control character in a text value is written
  // as an escape, so that no value can pose as another setting.
  std::ostream& o = ctx.out;
  o << "dst_nr=" << text::EscapeControls(s.dst_nr) << "\n";
  o << "datenbasis=" << text::EscapeControls(s.data_base_dir) << "\n";
  o << "zeilen_verkleinern=" << s.shrink_rows_without_data << "\n";
  o << "nur_zeilen_mit_daten=" << s.save_only_rows_with_data << "\n";
  o << "alle_tests_protokollieren=" << s.log_all_tests << "\n";
  o << "sicherung_beim_start=" << s.backup_at_start << "\n";
  o << "unklare_melden=" << s.report_unclear_records << "\n";
  o << "nur_lesen=" << (s.IsReadOnly() ? 1 : 0) << "\n";
  o << "warnen=" << s.warn_unsuitable_access << "\n";
  o << "nachfragen=" << s.ask_after_calculations << "\n";
  o << "kopieren_mit_es_zeile=" << s.copy_with_es_row << "\n";
  o << "portabel=" << s.portable << "\n";
  o << "programmverzeichnis=" << text::EscapeControls(DisplayPath(paths.program_dir)) << "\n";
  o << "schuldatenverzeichnis=" << text::EscapeControls(DisplayPath(paths.school_data_dir)) << "\n";
  return kExitOk;
}

}  // namespace

const Verb kVerbEinstellungen{"einstellungen",
                              "",
                              "die wirksamen Einstellungen ausgeben (Schlüssel=Wert)",
                              0,
                              0,
                              0,
                              "kein Ziel",
                              CmdEinstellungen};

}  // namespace tabulon::cli
