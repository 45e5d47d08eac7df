// The school sheet's own pre-filling: school types and birth years into table 2, and the
// take-over of the basic data from the quick report into table 0.
#pragma once

#include <filesystem>
#include <string>

#include "base/ports.h"
#include "calc/prefill.h"
#include "tables/grid.h"

namespace tabulon {

// "Schulart + Geburtsjahre vortragen ...": asks for type and years, then fills the rows. True when
// the grid changed; "Abbrechen" changes nothing.
bool PrefillSchoolTable2(Grid& grid, Ui& ui);

// "Daten von SCHNELL-Meldung übernehmen": copies the quick report's basic-data file over the
// school sheet's, byte for byte, after asking when the target exists. The caller reloads the
// current table afterwards in every case. True when the file was copied.
bool TakeOverBasicData(const std::filesystem::path& school_data_dir, const std::string& dst_nr,
                       Ui& ui);

inline constexpr const char* kNoBasicDataFile =
    "Eine Datei mit den Basis-Daten (Satzart 0)\rexistiert derzeit nicht!";
inline constexpr const char* kOverwriteBasicDataQuestion =
    "Soll die vorhandene Datei\rwirklich überschrieben werden?";

}  // namespace tabulon
