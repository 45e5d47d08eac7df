// The platform services of the command line: moving files into the person's trash as the
// desktop does it (the freedesktop.org trash), so that a file deleted with tabulon-cli can be
// restored from the desktop's trash can. The command line has no clipboard, mail or help.
#pragma once

#include <filesystem>
#include <string>

#include "base/ports.h"

namespace tabulon::cli {

class CliPlatform : public Platform {
 public:
  // Moves the file into the home trash ($XDG_DATA_HOME/Trash, else ~/.local/share/Trash), or,
  // for a file on another file system, into that file system's ".Trash-<uid>". False when
  // neither took it; the file then stays where it was.
  bool MoveToTrash(const std::filesystem::path& path) override;
  void SetClipboardText(const std::string&) override {}
  int SendMail(const MailMessage&) override { return kMailNoProgram; }
  void OpenHelp(const std::string&) override {}
};

// Moves `file` into the trash directory `trash` (with its "files" and "info" folders); false
// when that did not work, and then nothing was changed.
bool MoveIntoTrashDir(const std::filesystem::path& file, const std::filesystem::path& trash);

}  // namespace tabulon::cli
