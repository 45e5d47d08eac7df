// File access shared by every reader and writer: the one exception type for file errors that a
// rule does not handle itself, and the atomic write that never leaves a half-written file.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

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

// Reads a whole file as bytes. Throws FileError when it cannot be opened or read.
std::string ReadFileBytes(const std::filesystem::path& path);

// Writes bytes to a temporary file in the same directory and renames it over the target, so
// that a crash or a full disk leaves either the old file or the new one, never a mix.
// Throws FileError; the target is then unchanged and no temporary file is left behind.
void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

// Test hook: when set, WriteFileAtomic fails after writing this many bytes of the temporary
// file, as a full disk would. Negative (the default) means never.
void SetWriteFailureAfterBytesForTesting(long long bytes);

// The platform's form of a path for message texts (UTF-8).
std::string DisplayPath(const std::filesystem::path& path);

}  // namespace tabulon

namespace tabulon {

// Whether a text can stand as one file or directory name on every platform the data travel to:
// not empty, no path separator, not "." or "..", no control character, none of the characters
// Windows forbids in names (< > : " / \ | ? *), no trailing blank or dot.
bool IsSafeNameComponent(std::string_view name);

}  // namespace tabulon
