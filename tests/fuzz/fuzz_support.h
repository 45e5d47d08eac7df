// What the table fuzz targets share: a Ui that swallows messages, and a school table's grid set
// up from its built-in frame without touching the disk.
#pragma once

#include <string>

#include "base/ports.h"
#include "tables/definition.h"
#include "tables/grid.h"
#include "tables/table_def.h"

namespace tabulon::fuzz {

class SilentUi : public Ui {
 public:
  void Message(MessageKind, const std::string&) override { ++messages; }
  bool Ask(MessageKind, const std::string&) override { return false; }
  std::optional<std::filesystem::path> ChooseDirectory(const std::string&,
                                                       const std::filesystem::path&) override {
    return std::nullopt;
  }
  OverwriteChoice AskOverwrite(const std::string&) override { return OverwriteChoice::kNo; }
  int messages = 0;
};

inline Grid BuiltInGrid(const TableDef& def) {
  Grid g(def.cols, def.rows);
  SilentUi ui;
  ApplyDefinition(g, def, BuiltInDefinitionBytes(def), "frame.TBD", ui);
  return g;
}

}  // namespace tabulon::fuzz
