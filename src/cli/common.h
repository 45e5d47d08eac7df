// What several verbs share: reading the settings as the program does at start, with the
// overrides of -d and -n, and the checks every verb makes before it touches the data.
#pragma once

#include <ostream>
#include <string>

#include "base/data_paths.h"
#include "base/settings.h"
#include "cli/cli.h"

namespace tabulon::cli {

// Defaults, then the settings file (with the size rule and its message on standard error), then
// -d and -n. Returns kExitOk, or kExitUsage after a message when the DST-Nr. in use (from -n or
// from the file) names no safe directory or the file cannot be read.
int LoadSettingsForCli(Context& ctx, Settings& s);

// The data base directory must be there: below a missing one (a removed stick, a typo) nothing is
// read or created. Returns kExitOk, or kExitUsage after a message that says what is wrong.
int CheckDataBase(Context& ctx, const DataPaths& paths);

// `s` as a JSON string: quoted, with quotes, backslashes and control characters escaped; the
// UTF-8 bytes of other characters pass as they are.
void WriteJsonString(std::ostream& o, const std::string& s);

}  // namespace tabulon::cli
