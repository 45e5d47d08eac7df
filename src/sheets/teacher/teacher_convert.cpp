#include "sheets/teacher/teacher_convert.h"

#include <system_error>
#include <vector>

#include "files/files.h"
#include "sheets/teacher/teacher_tables.h"
#include "tables/fields.h"
#include "tables/values.h"
#include "text/encoding.h"

namespace tabulon {
namespace {

namespace fs = std::filesystem;

constexpr int k2003Fields = 60;

constexpr const char* kQuestion2003 =
    "Wollen Sie die alten Lehrer-Tabellen (gültig für 2003)\reinmalig in die gültige Version ab "
    "2004 umwandeln?\r\r!Achtung!\rBestimmte Daten {Tab.1[Schulart GAL]; ganze Tab.4} werden "
    "gelöscht!";
constexpr const char* kCheckRights = "Prüfen Sie die Datei-Attribute und ev. die Zugriffsrechte!";
constexpr const char* kDone2003 = "Die Übernahme der alten Lehrer-Tabelle\rerfolgte OHNE Probleme!";
constexpr const char* kIncomplete2003 =
    "Die Übernahme der alten Lehrer-Tabelle\rerfolgte nicht vollständig!\r\rPrüfen Sie unbedingt "
    "den Inhalt der Tabelle 1!";
constexpr const char* kQuestion2008 =
    "Wollen Sie jetzt die Tabelle 1 wirklich\rvon einer Version bis 2008 in die neue\rVersion ab "
    "2009 bringen?\r\r(Daten aus den alten Spalten werden\rin die neuen (überschreibend) "
    "verschoben!\rNur übereinstimmende Anrechnungsarten\rwerden übernommen!\rNeue Anrechnungen "
    "21,22,32,33 werden gelöscht!)";

bool Exists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

// 01alt.CSV: where the 2003 table waits while the new one is written.
fs::path OldTable1Path(const TableContext& ctx) {
  fs::path path = TeacherFilePath(ctx, 1);
  std::string name = path.filename().string();
  name.replace(name.size() - 4, 4, "alt.CSV");
  return path.parent_path() / name;
}

bool Delete(const fs::path& path) {
  std::error_code ec;
  return fs::remove(path, ec) && !ec;
}

ConversionOutcome Incomplete(Ui& ui) {
  ui.Message(MessageKind::kInformation, kIncomplete2003);
  return ConversionOutcome::kIncomplete;
}

void CannotDelete(Ui& ui, const fs::path& path) {
  ui.Message(MessageKind::kError, "Die vorhandene Datei:\r" + DisplayPath(path) +
                                      "\rkann NICHT gelöscht werden!\r\r" + kCheckRights);
}

void MoveCol(Grid& grid, int from, int to, int row) { grid.SetCell(to, row, grid.Cell(from, row)); }

}  // namespace

bool Is2003Layout(std::string_view table1_bytes) {
  const std::vector<std::string_view> lines = SplitLines(table1_bytes);
  const std::string first = lines.empty() ? std::string() : text::Cp850ToUtf8(lines.front());
  const std::vector<std::string> f = SplitFields(first, k2003Fields);
  return f[50] != "ES051" && f[51] != "ES052" && f[52] != "ES053";
}

bool OldTeacherTablesPresent(const TableContext& ctx) {
  const fs::path table1 = TeacherFilePath(ctx, 1);
  if (Exists(table1)) {
    try {
      if (Is2003Layout(ReadFileBytes(table1))) return true;
    } catch (const FileError&) {
      // An unreadable file says nothing about its layout; loading it reports the error.
    }
  }
  return Exists(TeacherFilePath(ctx, 4));
}

std::string Rearrange2003Line(std::string_view line) {
  const std::vector<std::string> f = SplitFields(line, k2003Fields);
  std::vector<std::string> out;
  out.reserve(k2003Fields);
  if (f[0] == "ES001" && f[1] == "ES002") {
    for (int i = 1; i <= k2003Fields; ++i) out.push_back(EsCode(i));
  } else {
    auto keep = [&](int first, int last) {  // fields counted from 1
      for (int i = first; i <= last; ++i) out.push_back(f[static_cast<std::size_t>(i - 1)]);
    };
    keep(1, 31);
    out.insert(out.end(), 4, std::string());
    keep(32, 40);
    keep(42, 50);
    keep(54, 60);
  }
  std::string joined;
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (i > 0) joined += ';';
    joined += out[i];
  }
  return joined;
}

std::string Rearrange2003File(std::string_view bytes) {
  const std::string utf8 = text::Cp850ToUtf8(bytes);
  std::string result;
  for (std::string_view line : SplitLines(utf8)) {
    result += Rearrange2003Line(line);
    result += "\r\n";
  }
  return text::Utf8ToCp850(result);
}

ConversionOutcome Convert2003Files(const TableContext& ctx) {
  Ui& ui = ctx.ui;
  if (!ui.Ask(MessageKind::kConfirmation, kQuestion2003)) return ConversionOutcome::kDeclined;
  const fs::path table1 = TeacherFilePath(ctx, 1);
  const fs::path old_table1 = OldTable1Path(ctx);
  if (Exists(table1)) {
    if (Exists(old_table1)) {
      ui.Message(MessageKind::kError, "Die noch vorhandene Datei:\r" + DisplayPath(old_table1) +
                                          "\rbehindert die Umwandlung!\r\rLöschen Sie diese ev. "
                                          "über den Windows-Explorer!");
      return Incomplete(ui);
    }
    std::error_code ec;
    fs::rename(table1, old_table1, ec);
    if (ec) {
      ui.Message(MessageKind::kError, "Die vorhandene Datei:\r" + DisplayPath(table1) +
                                          "\rkann nicht umgewandelt werden!\r\r" + kCheckRights);
      return Incomplete(ui);
    }
  }
  if (Exists(old_table1)) {
    // The old table is given up only once the new one stands complete on disk.
    try {
      WriteFileAtomic(table1, Rearrange2003File(ReadFileBytes(old_table1)));
    } catch (const FileError& e) {
      ui.Message(MessageKind::kError, e.Message());
      return Incomplete(ui);
    }
    if (!Delete(old_table1)) {
      CannotDelete(ui, old_table1);
      return Incomplete(ui);
    }
  }
  const fs::path table4 = TeacherFilePath(ctx, 4);
  if (Exists(table4) && !Delete(table4)) {
    CannotDelete(ui, table4);
    return Incomplete(ui);
  }
  ui.Message(MessageKind::kInformation, kDone2003);
  return ConversionOutcome::kDone;
}

void Convert2008Columns(Grid& grid) {
  for (int row = grid.RowCount() - 1; row >= 2; --row) {
    grid.SetCell(23, row, "");
    grid.SetCell(25, row, "");
    for (int col = 58; col >= 26; --col) MoveCol(grid, col, col + 2, row);
    grid.SetCell(27, row, "");
    MoveCol(grid, 25, 26, row);
    MoveCol(grid, 24, 25, row);
    grid.SetCell(23, row, "");
    grid.SetCell(24, row, "");
  }
}

void Convert2008Command(CommandEnv& env) {
  if (env.ui.Ask(MessageKind::kConfirmation, kQuestion2008)) Convert2008Columns(env.grid);
  env.changed = true;
}

}  // namespace tabulon
