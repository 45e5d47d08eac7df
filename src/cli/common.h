// What several verbs share: reading the settings as the program does at start, with the
// overrides of -d and -n.
#pragma once

#include "base/settings.h"
#include "cli/cli.h"

namespace tabulon::cli {

// Defaults, then the settings file (with the size rule and its message on standard error), then
// -d and -n. Returns kExitOk, or kExitUsage after a message when -n names no safe directory or
// the file cannot be read.
int LoadSettingsForCli(Context& ctx, Settings& s);

}  // namespace tabulon::cli
