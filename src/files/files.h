// File access shared by every reader and writer: the one exception type for file errors that a
// rule does not handle itself, and the atomic write that never leaves a half-written file.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace tabulon {

// A file operation failed. The session reports it in one error box and ends the command with
// grids and settings unchanged.
class FileError : public std::runtime_error {
 public:
  FileError(std::filesystem::path path, std::string what_failed, std::string reason);

  const std::filesystem::path& path() const { return path_; }
  const std::string& what_failed() const { return what_failed_; }
  const std::string& reason() const { return reason_; }

  // The text of the error box: "Ein-/Ausgabefehler beim <what> der Datei:\r<path>\r<reason>".
  std::string Message() const;

 private:
  std::filesystem::path path_;
  std::string what_failed_;
  std::string reason_;
};

// The reason of a failed system call in German, for the common cases the person can act on (no
// permission, disk full, read-only medium, not found, is a directory); the system's own text
// with its number otherwise.
std::string SystemReason(int err);
std::string SystemReason(const std::error_code& ec);

// Reads a whole file as bytes. Only a regular file is read: a pipe, device or directory under
// the name would block the program or make no sense as data, so it is refused as unreadable.
// Throws FileError when it cannot be opened or read.
std::string ReadFileBytes(const std::filesystem::path& path);

// Writes bytes to a temporary file in the same directory and renames it over the target, so
// that a crash or a full disk leaves either the old file or the new one, never a mix; the
// directory is synced after the rename so that a power loss keeps the new name. A target that
// is write-protected, that the person may not write, or that is no regular file is refused and
// stays as it is. Stale temporary files of earlier, killed runs in the directory are removed
// first. Throws FileError; the target is then unchanged and no temporary file is left behind.
void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

// Whether a file name is one of WriteFileAtomic's temporary files ("<name>.tmp<pid>-<n>"); such
// files are never data and are not copied.
bool IsOwnTempFileName(std::string_view name);

// Removes this directory's temporary files that a killed or crashed writer left behind: only
// names of our temporary pattern whose writing process no longer runs here and that have not
// been written to for a minute (or for a day, whoever wrote them). Returns how many went.
int RemoveStaleTempFiles(const std::filesystem::path& dir);

// Removes one regular file. False with a German reason when it could not be removed; a name that
// is a directory or another non-regular entry is left alone.
bool RemoveRegularFile(const std::filesystem::path& path, std::string* reason);

// Test hook: when not 0, RemoveRegularFile fails with this error number, as on a write-protected
// directory (which the tests' root user could otherwise write).
void SetRemoveFailureForTesting(int err);

// What lies at a path that should be a directory.
enum class DirectoryState {
  kDirectory,      // a directory that can be entered
  kMissing,        // nothing there
  kNotADirectory,  // a file or something else in the way
  kNoAccess,       // there, but it (or a directory above it) cannot be entered
};
// `reason`, when given, receives a German reason for every state but kDirectory.
DirectoryState CheckDirectory(const std::filesystem::path& dir, std::string* reason = nullptr);

// Creates one directory whose parent exists; never a whole chain of parents, so that a removed
// stick or a mistyped path is not silently re-created somewhere. True when the directory exists
// afterwards; false with a German reason.
bool CreateOneDirectory(const std::filesystem::path& dir, std::string* reason = nullptr);

// Test hook: when set, WriteFileAtomic fails after writing this many bytes of the temporary
// file, as a full disk would. Negative (the default) means never.
void SetWriteFailureAfterBytesForTesting(long long bytes);

// The platform's form of a path for message texts (UTF-8).
std::string DisplayPath(const std::filesystem::path& path);

}  // namespace tabulon

namespace tabulon {

// Whether a text can stand as one file or directory name on every platform the data travel to:
// not empty, no path separator, not "." or "..", no control character, none of the characters
// Windows forbids in names (< > : " / \ | ? *), no trailing blank or dot, and no Windows device
// name (CON, PRN, AUX, NUL, COM0-9, LPT0-9, CONIN$, CONOUT$; with or without an extension, in
// any case), which Windows would open as the device instead of a file or directory.
bool IsSafeNameComponent(std::string_view name);

}  // namespace tabulon
