// tabulon-cli importieren: all data of the DST-Nr. from a directory written by exportieren.
#include <ostream>

#include "cli/cli.h"

namespace tabulon::cli {

const Verb kVerbImportieren{
    "importieren",
    "QUELLE",
    "alle Statistik-Daten aus QUELLE/DST-NR importieren",
    kOptUeberschreiben,
    1,
    1,
    "genau ein QUELL-Verzeichnis",
    [](Context& ctx) { return RunCopyVerb(ctx, CopyVerb::kImportAll, ctx.options.positional[0]); }};

}  // namespace tabulon::cli
