// tabulon-cli drucken ZIEL --pdf DATEI: the table (or with "pruefen:" before the target, its test
// protocol) as the desktop program prints it, written as a PDF without a window.
#include <ostream>

#include "app/pdf.h"
#include "app/print.h"
#include "app/session_plausi.h"
#include "cli/cli.h"
#include "cli/targets.h"
#include "files/files.h"

namespace tabulon::cli {
namespace {

constexpr std::string_view kProtocolPrefix = "pruefen:";

int CmdDrucken(Context& ctx) {
  if (ctx.options.pdf.empty()) {
    ctx.err << "Fehler: drucken erwartet --pdf DATEI\n";
    return kExitUsage;
  }
  std::string target = ctx.options.positional[0];
  const bool protocol = target.starts_with(kProtocolPrefix);
  if (protocol) target.erase(0, kProtocolPrefix.size());
  CliUi ui(ctx.err);
  LoadedTable loaded;
  const int status = LoadTarget(ctx, target, loaded, ui);
  if (status != kExitOk) return status;

  PrintDocument doc;
  const TableDef& def = *loaded.target.def;
  if (protocol) {
    const SheetTest* test = loaded.target.sheet->FindTest(def.table);
    if (test == nullptr) {
      ctx.err << "Fehler: Ziel " << target << " hat keinen PLAUSI-Test\n";
      return kExitUsage;
    }
    ErrorFlags flags;
    TestEnv env{loaded.grid, flags, loaded.settings, loaded.target.class_id};
    const PlausiReport report =
        RunPlausi(*test, env, ctx.options.all || loaded.settings.log_all_tests == 1);
    doc = ProtocolDocument(report.window ? report.protocol : PassedProtocol(report.title),
                           report.places);
  } else {
    doc = LayoutTable(loaded.grid, {TablePrintTitle(def), loaded.settings.dst_nr,
                                    loaded.target.class_id, TodayText()});
    doc.pdf = PdfBytes(doc);
  }
  try {
    WriteFileAtomic(ctx.options.pdf, doc.pdf);
  } catch (const FileError& e) {
    ui.Message(MessageKind::kError, e.Message());
    return kExitUsage;
  }
  return kExitOk;
}

}  // namespace

const Verb kVerbDrucken{"drucken",
                        "ZIEL|pruefen:ZIEL --pdf DATEI",
                        "eine Tabelle oder ein PLAUSI-Protokoll als PDF schreiben",
                        kOptAlle | kOptPdf,
                        1,
                        1,
                        "genau ein Ziel, z. B. schule:1 oder pruefen:schule:1",
                        CmdDrucken};

}  // namespace tabulon::cli
