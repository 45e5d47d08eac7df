// tabulon-cli importieren: all data of the DST-Nr. from a directory written by exportieren.
#include <ostream>

#include "cli/cli.h"

namespace tabulon::cli {

int CmdImportieren(Context& ctx) {
  if (ctx.options.positional.size() != 1) {
    ctx.err << "Fehler: importieren erwartet genau ein QUELL-Verzeichnis\n";
    return kExitUsage;
  }
  if (ctx.options.stala) {
    ctx.err << "Fehler: --stala gilt nur für exportieren\n";
    return kExitUsage;
  }
  return RunCopyVerb(ctx, CopyVerb::kImportAll, ctx.options.positional[0]);
}

}  // namespace tabulon::cli
