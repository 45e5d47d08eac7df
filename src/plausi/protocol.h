// What the two error windows show after a test run, as plain data: the coloured protocol lines,
// the verdict and, for the summary window, the status of each class table. The desktop program
// renders it, the command line prints it. Building the protocol also rewrites the flags of the
// listed entries into their final form, so building it twice gives the same result.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "plausi/catalogue.h"
#include "tables/error_flags.h"

namespace tabulon {

enum class ProtocolColour { kBlack, kGreen, kRed, kBlue };

// The window of a single test run, and the summary window of all tests of a class.
enum class ErrorWindowKind { kFehlerfenster, kFehlerAnzeigeAlle };

enum class ProtocolLineKind { kHeading, kPassed, kFailed, kHint };

struct ProtocolLine {
  int number = 0;  // the catalogue entry the line belongs to
  ProtocolLineKind kind = ProtocolLineKind::kHeading;
  std::string text;
  ProtocolColour colour = ProtocolColour::kBlack;
  bool operator==(const ProtocolLine&) const = default;
};

// The states of a class table in the summary window, as the class-wide test leaves them.
enum TableStatus : std::uint16_t { kTableNotTested = 0, kTableFaulty = 1, kTableFaultFree = 2 };
inline constexpr int kSummaryTableCount = 10;
using TableStatuses = std::array<std::uint16_t, kSummaryTableCount>;

struct StatusLine {
  std::string label;  // "Tabelle 00" ...
  std::string text;
  ProtocolColour colour = ProtocolColour::kBlue;
  bool operator==(const StatusLine&) const = default;
};

struct ErrorProtocol {
  std::string caption;        // the test title
  std::string verdict_label;  // "Ergebnis:" or "Gesamtergebnis:"
  std::vector<ProtocolLine> lines;
  std::string verdict;
  ProtocolColour verdict_colour = ProtocolColour::kBlue;
  std::vector<StatusLine> statuses;  // summary window only
};

inline constexpr char kTestPassedMessage[] = "Test erfolgreich durchlaufen!";
inline constexpr std::size_t kProtocolLineLimit = 68;

// Whether the starter of a run opens an error window, or shows kTestPassedMessage instead.
bool ErrorWindowOpens(const ErrorFlags& flags, bool log_all_tests);

// Builds the protocol and the verdict and rewrites the failed and hint flags of every tested
// entry: failed for error entries, hint for hint entries. `log_all_tests` lists passed entries
// too, in the single-run window only. `statuses` is read by the summary window only.
ErrorProtocol ShowErrorProtocol(ErrorWindowKind kind, const std::string& title, ErrorFlags& flags,
                                const ErrorCatalogue& catalogue, bool log_all_tests,
                                const TableStatuses& statuses = {});

}  // namespace tabulon
