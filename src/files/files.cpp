#include "files/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <map>
#include <random>

namespace tabulon {

namespace {
long long g_fail_after_bytes = -1;
int g_remove_failure = 0;

struct GermanReason {
  int err;
  const char* text;
};
// The failures a person can do something about, in their words.
constexpr GermanReason kGermanReasons[] = {
    {EACCES, "keine Zugriffsberechtigung"},
    {EPERM, "keine Zugriffsberechtigung"},
    {ENOSPC, "der Datenträger ist voll"},
    {EDQUOT, "der Speicherplatz (Kontingent) ist erschöpft"},
    {EROFS, "der Datenträger ist schreibgeschützt"},
    {ENOENT, "Datei oder Verzeichnis nicht vorhanden"},
    {EISDIR, "ist ein Verzeichnis"},
    {ENOTDIR, "ein Teil des Pfades ist kein Verzeichnis"},
    {EIO, "Ein-/Ausgabefehler des Datenträgers"},
    {ENAMETOOLONG, "der Name ist zu lang"},
    {EBUSY, "die Datei ist in Benutzung"},
    {ETXTBSY, "die Datei ist in Benutzung"},
    {EEXIST, "ist schon vorhanden"},
    {ENOTEMPTY, "das Verzeichnis ist nicht leer"},
    {EMFILE, "zu viele geöffnete Dateien"},
    {ENODEV, "das Gerät ist nicht bereit"},
    {ENXIO, "das Gerät ist nicht bereit"},
    {ELOOP, "zu viele verkettete Verknüpfungen"},
};

constexpr const char* kNotRegular =
    "keine gewöhnliche Datei (z. B. ein Verzeichnis oder eine Pipe)";
constexpr const char* kWriteProtected = "die Datei ist schreibgeschützt";
}  // namespace

std::string SystemReason(int err) {
  for (const GermanReason& r : kGermanReasons) {
    if (r.err == err) return r.text;
  }
  return "Systemfehler " + std::to_string(err) + " (" + std::strerror(err) + ")";
}

std::string SystemReason(const std::error_code& ec) {
  if (ec.category() == std::generic_category() || ec.category() == std::system_category()) {
    return SystemReason(ec.value());
  }
  return ec.message();
}

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
void SetRemoveFailureForTesting(int err) { g_remove_failure = err; }

std::string ReadFileBytes(const std::filesystem::path& path) {
  // A pipe under a data file's name would block the open and the read for ever; look first,
  // and open without blocking in case the name changes in between.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) throw FileError(path, "Lesen", SystemReason(errno));
  if (!S_ISREG(st.st_mode)) throw FileError(path, "Lesen", kNotRegular);
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) throw FileError(path, "Lesen", SystemReason(errno));
  auto fail = [&](int err, const char* reason = nullptr) {
    ::close(fd);
    throw FileError(path, "Lesen", reason != nullptr ? reason : SystemReason(err));
  };
  if (::fstat(fd, &st) != 0) fail(errno);
  if (!S_ISREG(st.st_mode)) fail(0, kNotRegular);
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  // Read straight into a string of the file's size (and one byte for the read that meets its
  // end): one copy of the file in memory, never a doubled buffer.
  std::string out(static_cast<std::size_t>(st.st_size) + 1, '\0');
  std::size_t done = 0;
  for (;;) {
    if (done == out.size()) out.resize(out.size() + 65536);  // the file grew while we read
    ssize_t n = ::read(fd, out.data() + done, out.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(errno);
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  out.resize(done);
  return out;
}

namespace {

constexpr std::string_view kTempMarker = ".tmp";

std::filesystem::path TempPathBeside(const std::filesystem::path& path) {
  static std::mt19937_64 rng{std::random_device{}()};
  std::filesystem::path tmp = path;
  tmp +=
      std::string(kTempMarker) + std::to_string(::getpid()) + "-" + std::to_string(rng() % 1000000);
  return tmp;
}

bool AllDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The writing process of a temporary file, from its name; 0 when the name holds none.
long TempFileWriter(std::string_view name) {
  const std::size_t at = name.rfind(kTempMarker);
  const std::string_view rest = name.substr(at + kTempMarker.size());
  const std::string_view pid = rest.substr(0, rest.find('-'));
  if (pid.size() > 9) return 0;  // beyond any process number
  return std::stol(std::string(pid));
}

bool WriterIsGone(long pid) {
  if (pid <= 0) return true;
  if (pid == ::getpid()) return false;
  return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
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

std::filesystem::path DirectoryOf(const std::filesystem::path& path) {
  std::filesystem::path dir = path.parent_path();
  return dir.empty() ? std::filesystem::path(".") : dir;
}

// The rename is only durable once the directory that holds the new name is on disk. Some file
// systems cannot sync a directory; the file itself is synced already, so that is no failure.
void SyncDirectory(const std::filesystem::path& dir) {
  int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd < 0) return;
  ::fsync(dfd);
  ::close(dfd);
}

// A directory is searched for stale temporary files at most once a minute, so that copying
// thousands of files into it does not read it thousands of times.
void RemoveStaleTempFilesNowAndThen(const std::filesystem::path& dir) {
  using Clock = std::chrono::steady_clock;
  static std::map<std::string, Clock::time_point> last_search;
  const Clock::time_point now = Clock::now();
  auto [it, fresh] = last_search.emplace(dir.string(), now);
  if (!fresh && now - it->second < std::chrono::minutes(1)) return;
  it->second = now;
  RemoveStaleTempFiles(dir);
}

// The file to be replaced must be one the person may write: its own write protection holds
// even where the directory would let a rename replace it.
void CheckReplaceable(const std::filesystem::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) return;
    throw FileError(path, "Schreiben", SystemReason(errno));
  }
  if (!S_ISREG(st.st_mode)) throw FileError(path, "Schreiben", kNotRegular);
  if ((st.st_mode & 0222) == 0) throw FileError(path, "Schreiben", kWriteProtected);
  if (::access(path.c_str(), W_OK) != 0) throw FileError(path, "Schreiben", SystemReason(errno));
}

}  // namespace

bool IsOwnTempFileName(std::string_view name) {
  const std::size_t at = name.rfind(kTempMarker);
  if (at == std::string_view::npos || at == 0) return false;
  const std::string_view rest = name.substr(at + kTempMarker.size());
  const std::size_t dash = rest.find('-');
  if (dash == std::string_view::npos) return false;
  return AllDigits(rest.substr(0, dash)) && AllDigits(rest.substr(dash + 1));
}

int RemoveStaleTempFiles(const std::filesystem::path& dir) {
  DIR* d = ::opendir(dir.c_str());
  if (d == nullptr) return 0;
  const auto now = std::chrono::system_clock::now();
  int removed = 0;
  while (const dirent* e = ::readdir(d)) {
    const std::string_view name = e->d_name;
    if (!IsOwnTempFileName(name)) continue;
    const std::filesystem::path p = dir / std::string(name);
    struct stat st {};
    if (::lstat(p.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    const auto written = std::chrono::system_clock::from_time_t(st.st_mtime);
    const auto idle = now - written;
    // A writer on another machine of a shared drive is not seen here; it has a minute for one
    // file, and no save takes that long.
    const bool stale = (WriterIsGone(TempFileWriter(name)) && idle >= std::chrono::minutes(1)) ||
                       idle >= std::chrono::hours(24);
    if (stale && ::unlink(p.c_str()) == 0) ++removed;
  }
  ::closedir(d);
  return removed;
}

void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes) {
  CheckReplaceable(path);
  const std::filesystem::path dir = DirectoryOf(path);
  RemoveStaleTempFilesNowAndThen(dir);
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
  SyncDirectory(dir);
}

bool RemoveRegularFile(const std::filesystem::path& path, std::string* reason) {
  auto failed = [&](std::string why) {
    if (reason != nullptr) *reason = std::move(why);
    return false;
  };
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return failed(SystemReason(errno));
  if (S_ISDIR(st.st_mode)) return failed(SystemReason(EISDIR));
  if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) return failed(kNotRegular);
  if (g_remove_failure != 0) return failed(SystemReason(g_remove_failure));
  if (::unlink(path.c_str()) != 0) return failed(SystemReason(errno));
  return true;
}

DirectoryState CheckDirectory(const std::filesystem::path& dir, std::string* reason) {
  auto state = [&](DirectoryState s, std::string why) {
    if (reason != nullptr) *reason = std::move(why);
    return s;
  };
  struct stat st {};
  if (::stat(dir.c_str(), &st) != 0) {
    const int err = errno;
    if (err == ENOENT) return state(DirectoryState::kMissing, SystemReason(err));
    if (err == ENOTDIR) return state(DirectoryState::kNotADirectory, SystemReason(err));
    return state(DirectoryState::kNoAccess, SystemReason(err));
  }
  if (!S_ISDIR(st.st_mode)) return state(DirectoryState::kNotADirectory, "ist kein Verzeichnis");
  // A directory without search permission exists but nothing in it can be reached.
  if (::access(dir.c_str(), X_OK) != 0)
    return state(DirectoryState::kNoAccess, SystemReason(errno));
  return DirectoryState::kDirectory;
}

bool CreateOneDirectory(const std::filesystem::path& dir, std::string* reason) {
  std::filesystem::path d = dir;
  if (!d.has_filename()) d = d.parent_path();  // a trailing separator
  if (::mkdir(d.c_str(), 0777) == 0) return true;
  const int err = errno;
  if (err == EEXIST && CheckDirectory(d, reason) == DirectoryState::kDirectory) return true;
  if (reason != nullptr) *reason = err == EEXIST ? "am Ort liegt eine Datei" : SystemReason(err);
  return false;
}

}  // namespace tabulon

namespace tabulon {

namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Windows opens these names as devices, in any directory, whatever extension follows the first
// dot and whatever blanks stand before it.
bool IsWindowsDeviceName(std::string_view name) {
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  std::string upper(base);
  std::transform(upper.begin(), upper.end(), upper.begin(), AsciiUpper);
  static constexpr std::string_view kPlain[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (std::string_view d : kPlain) {
    if (upper == d) return true;
  }
  if (upper.size() < 4) return false;
  const std::string_view stem = std::string_view(upper).substr(0, 3);
  if (stem != "COM" && stem != "LPT") return false;
  const std::string_view digit = std::string_view(upper).substr(3);
  // A digit, or one of the superscript digits that Windows counts as well.
  return (digit.size() == 1 && digit[0] >= '0' && digit[0] <= '9') || digit == "\xC2\xB9" ||
         digit == "\xC2\xB2" || digit == "\xC2\xB3";
}

}  // namespace

bool IsSafeNameComponent(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  if (name.find("..") != std::string_view::npos) return false;
  for (char c : name) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return false;
    if (std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos) return false;
  }
  if (name.back() == ' ' || name.back() == '.') return false;
  return !IsWindowsDeviceName(name);
}

}  // namespace tabulon
