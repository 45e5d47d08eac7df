// The class identifier and the class list: the one rule every entry point applies to an
// identifier, building the list from the table-0 files, the list order, creating and deleting a
// class's entry and files, and the test of the running numbers.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/ports.h"
#include "tables/error_flags.h"

namespace tabulon::class_sheet {

inline constexpr std::size_t kClassIdChars = 6;

// Whether a text can name a class: exactly six characters (not bytes), usable as the start of a
// file name on every system the files travel to (no path separators, "..", control characters,
// < > : " / \ | ? *, no trailing blank or dot), every character storable in the data files' code
// page, and not the placeholder that stands for "no class".
bool IsValidClassId(std::string_view id);

// List-box order: case-insensitive, ties by the exact text. Returns <0, 0, >0.
int CompareListOrder(std::string_view a, std::string_view b);
// Whether two identifiers differ at most in upper and lower case.
bool SameIgnoringCase(std::string_view a, std::string_view b);

// The identifier of a table-0 file name "??????00.CSV" (case-insensitive like every pattern we
// match), or nothing when the name does not fit or the identifier breaks the rule.
std::optional<std::string> ClassIdOfTable0File(std::string_view file_name);

// The class list from file names: one identifier per table-0 file, in list order, no repeats.
std::vector<std::string> ClassListFromNames(const std::vector<std::string>& file_names);
// The class list from the directory "KLASSE" (regular files only); empty when it is missing or
// cannot be read.
std::vector<std::string> ReadClassList(const std::filesystem::path& class_dir);

// Index of the entry equal to the identifier (exact comparison), or -1.
int FindClass(const std::vector<std::string>& list, std::string_view id);
// Inserts at the identifier's sorted place and returns that index.
int InsertClass(std::vector<std::string>& list, const std::string& id);

// The box that refuses a new identifier, or nothing when it may be created. An identifier that
// differs from a listed one only in case is refused as existing: on the systems the files travel
// to both would name the same files.
std::optional<std::string> CheckNewClass(const std::vector<std::string>& list, std::string_view id);
std::string BadClassIdMessage(std::string_view id);
std::string ClassExistsMessage(std::string_view id);

// The selection after entry `index` of a list of `size` entries was removed: the same index, the
// entry before it when it was the last, -1 when the list becomes empty.
int IndexAfterRemoval(int index, int size);

// ---- Deleting ----------------------------------------------------------------------------------

inline constexpr const char* kDeleteClassQuestion =
    "Wollen Sie die gewählte Klasse\rmit allen Daten löschen?\r\r(Dateien werden in den "
    "Windows-\r  Papierkorb verschoben!)";

// The files of a class: in "KLASSE" the names made of the identifier (exactly), two characters
// and ".CSV"; in the program directory the notes file. Sorted by name.
std::vector<std::filesystem::path> ClassFiles(const std::string& id,
                                              const std::filesystem::path& class_dir,
                                              const std::filesystem::path& program_dir);

// Moves the class's files to the trash. Returns the files that could not be moved; nothing is
// ever deleted for good.
std::vector<std::filesystem::path> MoveClassToTrash(const std::string& id,
                                                    const std::filesystem::path& class_dir,
                                                    const std::filesystem::path& program_dir,
                                                    Platform& platform);
// The box that reports files left behind.
std::string NotMovedMessage(const std::vector<std::filesystem::path>& files, bool class_kept);

// Whether the class still has its table-0 file, i.e. still exists.
bool ClassHasTable0File(const std::string& id, const std::filesystem::path& class_dir);

// ---- The numbering test ------------------------------------------------------------------------

inline constexpr const char* kEmptyClassList = "Keine Einträge in der Klassenliste enthalten!";
inline constexpr const char* kNumberingComplete = "Alle Klassen-Nummern fortlaufend!";

// "Klassennummerierungen testen": reads the running numbers (characters 4 to 6) of the listed
// identifiers and reports the lowest missing and the lowest repeated number below 900. Text that
// is not a number sets error 7 in `flags`.
void TestClassNumbering(const std::vector<std::string>& list, Ui& ui, ErrorFlags& flags);

}  // namespace tabulon::class_sheet
