// The catalogue of the 300 numbered plausibility checks: each number's title, the texts shown
// when it passed or failed, and whether a failure is an error or only a hint. The tests of the
// sheets refer to checks by number only; the error windows look the texts up here.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "tables/error_flags.h"

namespace tabulon {

struct CatalogueEntry {
  std::uint16_t number = 0;
  // Every stored text begins with one blank: the windows put it right behind their own prefix.
  std::string title;
  std::string passed;
  std::string failed;
  bool is_error = true;
};

// Index 0 is unused so that entry n lives at index n, as with the flags.
using ErrorCatalogue = std::array<CatalogueEntry, kErrorCount + 1>;

// Fills all 300 entries: the defaults for the numbers nobody uses, then the defined ones.
void InitErrorCatalogue(ErrorCatalogue& catalogue);

// The program-wide catalogue, filled on first use and read-only afterwards.
const ErrorCatalogue& TheErrorCatalogue();

// The error state of a run.
void ResetErrorFlags(ErrorFlags& flags);
// True when any number failed, whether or not its check was marked as tested.
bool AnyErrorFailed(const ErrorFlags& flags);
bool AnyErrorHint(const ErrorFlags& flags);
// Adds the flags of a run to an accumulator: each flag becomes true when it is true in either;
// `current` stays as it is.
void MergeErrorFlags(ErrorFlags& accumulator, const ErrorFlags& current);

}  // namespace tabulon
