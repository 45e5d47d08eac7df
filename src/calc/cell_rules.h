// How a computed value reaches its cell. Every calculation ends in one of three rules:
// A writes a positive value into a blank cell and otherwise replaces a differing value (asking
// first when the person wants to be asked); B also writes 0 into a blank cell and refuses to
// guess when the cell holds something that is not a whole number; C chooses among three ways
// of computing the same cell.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/ports.h"
#include "calc/grid_access.h"

namespace tabulon::calc {

// The error a value read reports: "eingetragene Werte in den Zellen".
inline constexpr int kCellValueError = 7;
// Cuts of the texts shown in the two confirmation dialogs.
inline constexpr std::size_t kChangeDialogTextChars = 35;
inline constexpr std::size_t kChoiceDialogRowChars = 45;
inline constexpr std::size_t kChoiceDialogCaptionChars = 35;

// What a calculation works with besides its own tables. Sums are 64-bit: no sum of 32-bit cell
// values can overflow them, and a negative difference stays negative.
struct CalcEnv {
  Grid& grid;
  ErrorFlags& flags;
  Ui& ui;
  bool ask_after_calculations = false;
  // A calculation that opens with its own question takes it as answered "Ja": on the command
  // line the call is the command.
  bool command_confirmed = false;
};

// A cell that had to hold a whole number did not; the calculation ends there, and the cells
// already set keep their new values.
class CalcStopped : public std::runtime_error {
 public:
  CalcStopped(int col, int row, std::string text);
  int col() const { return col_; }
  int row() const { return row_; }
  const std::string& text() const { return text_; }
  // The error box that ends the calculation.
  std::string Message() const;

 private:
  int col_;
  int row_;
  std::string text_;
};

enum class Rule {
  kA,             // blank and 0 stays blank; the current value is read leniently
  kB,             // blank gets any value, also 0; the current value is read strictly
  kAStrictTarget  // as A, but the current value is read strictly
};

// A source cell: not a number counts 0 and sets error 7, a negative number sets it too but counts.
std::int64_t ReadValue(CalcEnv& env, int col, int row);
// A cell that must hold a whole number; throws CalcStopped otherwise. An empty cell is 0.
std::int64_t ReadStrict(const Grid& grid, int col, int row);

// The column's title (row 0) and the default row text (column 1) the dialogs show.
std::string ColumnText(const Grid& grid, int col);
std::string DefaultRowText(const Grid& grid, int row);
// A text longer than n characters as its first n characters followed by "...".
std::string CutForDialog(std::string_view text, std::size_t n);

// Sets one computed cell by rule A, B or the strict A. Returns true when the cell was written.
// A target outside the grid is left alone.
bool SetComputedCell(CalcEnv& env, Rule rule, int col, int row, std::int64_t value,
                     std::string_view row_text);

// One way of computing a cell for rule C, with the caption the dialog shows above it.
struct Candidate {
  std::string caption;
  std::int64_t value = 0;
};

// Rule C: nothing when all three candidates equal the current value; the agreed value without a
// question when they agree and no confirmation is wanted; the three-way dialog in every other
// case. Returns true when the cell was written.
bool SetByRuleC(CalcEnv& env, int col, int row, const std::array<Candidate, 3>& candidates,
                std::string_view row_text);

}  // namespace tabulon::calc
