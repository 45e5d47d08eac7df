#include "cli/common.h"

#include <ostream>

#include "files/files.h"
#include "text/encoding.h"

namespace tabulon::cli {

int LoadSettingsForCli(Context& ctx, Settings& s) {
  if (ctx.options.has_dst_nr && !IsSafeNameComponent(ctx.options.dst_nr)) {
    ctx.err << "Fehler: Die DST-Nr. \"" << ctx.options.dst_nr
            << "\" kann nicht als Verzeichnisname dienen (keine Pfadtrenner, kein \"..\", keine "
               "Zeichen < > : \" / \\ | ? *).\n";
    return kExitUsage;
  }
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
  return kExitOk;
}

}  // namespace tabulon::cli
