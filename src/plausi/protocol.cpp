#include "plausi/protocol.h"

#include <cstdio>

#include "text/encoding.h"

namespace tabulon {
namespace {

constexpr char kArrow[] = "  --->  ";

ProtocolLine Heading(const CatalogueEntry& e) {
  // The title's own leading blank gives the two blanks after the bracket.
  return {e.number, ProtocolLineKind::kHeading, "[" + std::to_string(e.number) + "] " + e.title,
          ProtocolColour::kBlack};
}

ProtocolLine Result(const CatalogueEntry& e, ProtocolLineKind kind) {
  static constexpr ProtocolColour kColours[] = {ProtocolColour::kBlack, ProtocolColour::kGreen,
                                                ProtocolColour::kRed, ProtocolColour::kBlue};
  const std::string& text = kind == ProtocolLineKind::kPassed ? e.passed : e.failed;
  return {e.number, kind, text::CutChars(kArrow + text, kProtocolLineLimit),
          kColours[static_cast<int>(kind)]};
}

struct StatusText {
  const char* text;
  ProtocolColour colour;
};

StatusText StatusFor(std::uint16_t status) {
  if (status == kTableFaulty) return {"fehlerhaft", ProtocolColour::kRed};
  if (status == kTableFaultFree) return {"fehlerfrei", ProtocolColour::kGreen};
  return {"nicht geprüft", ProtocolColour::kBlue};
}

}  // namespace

bool ErrorWindowOpens(const ErrorFlags& flags, bool log_all_tests) {
  return log_all_tests || AnyErrorFailed(flags) || AnyErrorHint(flags);
}

ErrorProtocol ShowErrorProtocol(ErrorWindowKind kind, const std::string& title, ErrorFlags& flags,
                                const ErrorCatalogue& catalogue, bool log_all_tests,
                                const TableStatuses& statuses) {
  const bool single = kind == ErrorWindowKind::kFehlerfenster;
  // The summary window lists only what went wrong, whatever the option says.
  const bool list_passed = single && log_all_tests;
  ErrorProtocol p;
  p.caption = title;
  p.verdict_label = single ? "Ergebnis:" : "Gesamtergebnis:";
  bool wrote_failed_or_hint = false;

  for (int n = 1; n <= kErrorCount; ++n) {
    if (!flags.tested[n]) continue;
    const CatalogueEntry& e = catalogue[n];
    if (flags.failed[n] || flags.hint[n] || list_passed) p.lines.push_back(Heading(e));
    if (flags.failed[n] || flags.hint[n]) {
      // A failed hint entry turns into a hint; a hint flag on an error entry turns back into a
      // failure, so that a later rebuild finds the flags in their final form.
      if (e.is_error) {
        p.lines.push_back(Result(e, ProtocolLineKind::kFailed));
        flags.failed[n] = true;
        flags.hint[n] = false;
      } else {
        p.lines.push_back(Result(e, ProtocolLineKind::kHint));
        flags.failed[n] = false;
        flags.hint[n] = true;
      }
      wrote_failed_or_hint = true;
    } else if (list_passed) {
      p.lines.push_back(Result(e, ProtocolLineKind::kPassed));
    }
  }

  if (!single) {
    for (int k = 0; k < kSummaryTableCount; ++k) {
      char label[16];
      std::snprintf(label, sizeof label, "Tabelle %02d", k);
      StatusText s = StatusFor(statuses[k]);
      p.statuses.push_back({label, s.text, s.colour});
    }
  }

  if (!wrote_failed_or_hint) {
    p.verdict = "Tests bestanden!";
    p.verdict_colour = ProtocolColour::kGreen;
  } else if (!AnyErrorFailed(flags)) {
    p.verdict = "Mit Hinweisen bestanden!";
    p.verdict_colour = ProtocolColour::kBlue;
  } else {
    p.verdict = "Test nicht bestanden!";
    p.verdict_colour = ProtocolColour::kRed;
  }
  return p;
}

}  // namespace tabulon
