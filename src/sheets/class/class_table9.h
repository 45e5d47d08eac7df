// Class table 9, the block table: trainees by occupation group and previous schooling. Its rows
// come in blocks, one row per schooling key for each occupation group; the first block (rows 2 to
// 9) is the total over all groups. A file line finds its row by group key and schooling key.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/ports.h"
#include "base/settings.h"
#include "tables/grid.h"
#include "tables/values.h"

namespace tabulon::class_sheet {

inline constexpr int kT9GroupNameCol = 2;
inline constexpr int kT9GroupKeyCol = 3;
inline constexpr int kT9SchoolingCol = 4;
inline constexpr int kT9TotalCol = 5;
inline constexpr int kT9FemaleCol = 6;
inline constexpr int kT9TotalBlockFirst = 2;
inline constexpr int kT9TotalBlockLast = 9;
inline constexpr int kT9BlockRows = 7;  // a new block's rows before the key file is counted
inline constexpr const char* kT9TotalGroupKey = "9999";
inline constexpr const char* kT9TotalGroupName = "Auszubildende insgesamt";
inline constexpr const char* kT9KeyFile = "SSVB0.SSD";

// The rows of each group key, so that a file of thousands of groups loads in linear time.
class GroupIndex {
 public:
  // Indexes every row from row 1 on: the ES row's code stands where a group key would, so the
  // file's code line lands there and opens no block.
  explicit GroupIndex(const Grid& grid);
  const std::vector<int>* Rows(const std::string& key) const;
  void Add(const std::string& key, int row) { rows_[key].push_back(row); }

 private:
  std::unordered_map<std::string, std::vector<int>> rows_;
};

// Appends a block for `group_key`: the grid grows by seven rows, and each schooling key fills the
// next row from the first new one (more keys grow it further). Returns the block's first row.
int AddGroupBlock(Grid& grid, const std::string& group_key, const std::vector<KeyEntry>& keys,
                  GroupIndex* index = nullptr);

struct Table9Load {
  int lines = 0;
  int unassignable = 0;  // lines with an empty group key
  int blocks_added = 0;
};

// Before the file: at least 10 rows, row heights, schooling keys into column 4, the total block's
// name and key.
void PrepareTable9(Grid& grid, const Settings& settings);
// Puts the file's lines (IBM 850 bytes) into the prepared grid, adding blocks for new groups.
// `keys` are the entries of the schooling key file; without them no block could receive a line,
// and none is added.
Table9Load ApplyTable9Bytes(Grid& grid, std::string_view bytes,
                            const std::optional<std::vector<KeyEntry>>& keys);
// After loading, also without a file: the total block's key and name, schooling keys in column 4.
void CompleteTable9(Grid& grid);

// The file's bytes: row 1 always, further rows when they hold counts (or the setting to save only
// rows with data is off), in grid order.
std::string Table9Bytes(const Grid& grid, bool save_only_rows_with_data);

// "+ neue Berufsgruppe": asks for the group key and adds its block. An empty answer adds nothing;
// a key that has its block already moves the current cell there instead of adding a second one
// (on reload both would receive the same lines). Returns true when a block was added.
bool NewOccupationGroup(Grid& grid, Ui& ui, const std::filesystem::path& program_dir);

}  // namespace tabulon::class_sheet
