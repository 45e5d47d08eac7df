#include "app/program.h"

namespace tabulon {

Program::Program(std::filesystem::path program_dir, Ui& ui, Platform& platform)
    : program_dir_(std::move(program_dir)), ui_(ui), session_(program_dir_, ui, platform, store_) {
  RegisterSheetTables(store_, program_dir_, ui_);
  // The start-up timer runs the backup guarded by the session.
  session_.SetBackup([this] { RunCopyUnguarded(BackupDatabase); });
}

void Program::RunCopyUnguarded(ExportResult (*command)(ExportContext&)) {
  ExportContext ctx{
      session_.settings(), session_.mutable_paths(), ui_,
      [this] { session_.SaveTable(session_.current_sheet(), session_.current_table()); },
      [this] { session_.ShowTable(session_.current_sheet(), session_.current_table()); }};
  command(ctx);
}

void Program::RunCopy(ExportResult (*command)(ExportContext&)) {
  session_.Guarded([&] { RunCopyUnguarded(command); });
}

}  // namespace tabulon
