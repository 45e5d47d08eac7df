#include "files/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <random>

namespace tabulon {

namespace {
long long g_fail_after_bytes = -1;

std::string SystemReason(int err) { return std::strerror(err); }
}  // namespace

FileError::FileError(std::filesystem::path path, std::string what_failed, std::string reason)
    : std::runtime_error(what_failed + ": " + path.string() + ": " + reason),
      path_(std::move(path)),
      what_failed_(std::move(what_failed)),
      reason_(std::move(reason)) {}

std::string FileError::Message() const {
  return "Ein-/Ausgabefehler beim " + what_failed_ + " der Datei:\r" + DisplayPath(path_) + "\r" +
         reason_;
}

std::string DisplayPath(const std::filesystem::path& path) { return path.string(); }

void SetWriteFailureAfterBytesForTesting(long long bytes) { g_fail_after_bytes = bytes; }

std::string ReadFileBytes(const std::filesystem::path& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw FileError(path, "Lesen", SystemReason(errno));
  std::string out;
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      throw FileError(path, "Lesen", SystemReason(err));
    }
    if (n == 0) break;
    out.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return out;
}

namespace {

std::filesystem::path TempPathBeside(const std::filesystem::path& path) {
  static std::mt19937_64 rng{std::random_device{}()};
  std::filesystem::path tmp = path;
  tmp += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(rng() % 1000000);
  return tmp;
}

bool WriteAll(int fd, std::string_view bytes) {
  // The test hook stands in for a full disk: part of the bytes land, then the write fails.
  bool inject = g_fail_after_bytes >= 0;
  if (inject && static_cast<std::size_t>(g_fail_after_bytes) < bytes.size()) {
    bytes = bytes.substr(0, static_cast<std::size_t>(g_fail_after_bytes));
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  if (inject) {
    errno = ENOSPC;
    return false;
  }
  return true;
}

}  // namespace

void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::path tmp = TempPathBeside(path);
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) throw FileError(path, "Schreiben", SystemReason(errno));
  // Keep the permissions of the file we replace.
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) ::fchmod(fd, st.st_mode & 07777);
  if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) {
    int err = errno;
    ::close(fd);
    ::unlink(tmp.c_str());
    throw FileError(path, "Schreiben", SystemReason(err));
  }
  if (::close(fd) != 0) {
    int err = errno;
    ::unlink(tmp.c_str());
    throw FileError(path, "Schreiben", SystemReason(err));
  }
  if (::rename(tmp.c_str(), path.c_str()) != 0) {
    int err = errno;
    ::unlink(tmp.c_str());
    throw FileError(path, "Schreiben", SystemReason(err));
  }
}

}  // namespace tabulon

namespace tabulon {

bool IsSafeNameComponent(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  if (name.find("..") != std::string_view::npos) return false;
  for (char c : name) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return false;
    if (std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos) return false;
  }
  return name.back() != ' ' && name.back() != '.';
}

}  // namespace tabulon
