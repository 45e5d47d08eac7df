#include "cli/trash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <system_error>

namespace tabulon::cli {
namespace {

namespace fs = std::filesystem;

// The path as a trash info file writes it: bytes outside the unreserved set percent-encoded.
std::string Encoded(const std::string& path) {
  std::string out;
  for (unsigned char c : path) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
    if (plain) {
      out += static_cast<char>(c);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    }
  }
  return out;
}

std::string Now() {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%S", &tm);
  return buf;
}

// Creates the info file under a name nobody uses yet; returns that name.
std::optional<std::string> ReserveName(const fs::path& trash, const std::string& base,
                                       const std::string& info) {
  for (int n = 1; n < 10000; ++n) {
    const std::string name = n == 1 ? base : base + "." + std::to_string(n);
    std::error_code ec;
    if (fs::exists(trash / "files" / name, ec)) continue;
    const fs::path info_path = trash / "info" / (name + ".trashinfo");
    const int fd = ::open(info_path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return std::nullopt;
    }
    const bool written = ::write(fd, info.data(), info.size()) == static_cast<ssize_t>(info.size());
    ::close(fd);
    if (!written) {
      fs::remove(info_path, ec);
      return std::nullopt;
    }
    return name;
  }
  return std::nullopt;
}

std::optional<fs::path> HomeTrash() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg == '/') {
    return fs::path(xdg) / "Trash";
  }
  if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/') {
    return fs::path(home) / ".local" / "share" / "Trash";
  }
  return std::nullopt;
}

// The top directory of the file system that holds `p`.
fs::path MountTop(const fs::path& p) {
  struct stat st {};
  if (::stat(p.c_str(), &st) != 0) return p;
  fs::path top = p;
  while (top.has_parent_path() && top.parent_path() != top) {
    struct stat up {};
    if (::stat(top.parent_path().c_str(), &up) != 0 || up.st_dev != st.st_dev) break;
    top = top.parent_path();
  }
  return top;
}

}  // namespace

bool MoveIntoTrashDir(const fs::path& file, const fs::path& trash) {
  std::error_code ec;
  fs::create_directories(trash / "files", ec);
  fs::create_directories(trash / "info", ec);
  if (!fs::is_directory(trash / "files", ec) || !fs::is_directory(trash / "info", ec)) return false;
  const fs::path absolute = fs::absolute(file, ec);
  if (ec) return false;
  const std::string info =
      "[Trash Info]\nPath=" + Encoded(absolute.string()) + "\nDeletionDate=" + Now() + "\n";
  const std::optional<std::string> name = ReserveName(trash, file.filename().string(), info);
  if (!name) return false;
  if (::rename(absolute.c_str(), (trash / "files" / *name).c_str()) != 0) {
    fs::remove(trash / "info" / (*name + ".trashinfo"), ec);
    return false;
  }
  return true;
}

bool CliPlatform::MoveToTrash(const fs::path& path) {
  if (const std::optional<fs::path> home = HomeTrash(); home && MoveIntoTrashDir(path, *home)) {
    return true;
  }
  // Files on another file system go to that file system's own trash, as the desktop does it.
  std::error_code ec;
  const fs::path top = MountTop(fs::absolute(path, ec).parent_path());
  return MoveIntoTrashDir(path, top / (".Trash-" + std::to_string(::getuid())));
}

}  // namespace tabulon::cli
