// tabulon-cli sichern: the backup into the BAK directory, as the program makes it at start.
#include <ostream>

#include "cli/cli.h"

namespace tabulon::cli {

const Verb kVerbSichern{"sichern",
                        "",
                        "die Datenbank ins BAK-Verzeichnis sichern",
                        0,
                        0,
                        0,
                        "kein Verzeichnis",
                        [](Context& ctx) { return RunCopyVerb(ctx, CopyVerb::kBackup, {}); }};

}  // namespace tabulon::cli
