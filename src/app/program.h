// What a run of the desktop program is made of beside its window: the grids of every table, the
// session over them, and the start-up backup. The window is built on top of it and only draws
// and forwards.
#pragma once

#include <filesystem>

#include "app/export.h"
#include "app/session.h"
#include "app/session_tables.h"
#include "base/ports.h"

namespace tabulon {

class Program {
 public:
  Program(std::filesystem::path program_dir, Ui& ui, Platform& platform);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  Session& session() { return session_; }
  GridStore& store() { return store_; }
  const std::filesystem::path& program_dir() const { return program_dir_; }

  // Runs a copying command (export, import, backup) on the session's data: the shown table is
  // saved first and shown again afterwards where the command asks for it; a file error ends it
  // with one box.
  void RunCopy(ExportResult (*command)(ExportContext&));

 private:
  void RunCopyUnguarded(ExportResult (*command)(ExportContext&));

  std::filesystem::path program_dir_;
  Ui& ui_;
  GridStore store_;
  Session session_;
};

}  // namespace tabulon
