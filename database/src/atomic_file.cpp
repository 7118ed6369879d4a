#include "varim/db/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace varim::db {
namespace {

// The creation mask of the process, read where it can be read without changing it: setting and
// restoring it would give files other threads create meanwhile the wrong permissions.
mode_t ProcessUmask() {
  std::ifstream status("/proc/self/status");
  std::string field;
  while (status >> field) {
    if (field == "Umask:") {
      unsigned mask = 0;
      if (status >> std::oct >> mask) return static_cast<mode_t>(mask & 0777);
      break;
    }
  }
  // Unknown: the most private choice.
  return 0077;
}

// A replaced file keeps its permissions; a new one gets those any other program would give it.
mode_t NewFileMode(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)) return status.st_mode & 07777;
  return 0666 & ~ProcessUmask();
}

// Writes the text into the open temporary file and flushes it to disk; the reason for a
// failure, or nothing. The file stays open: its lock tells other saves it is in use.
std::string WriteAndSync(int fd, std::string_view text, mode_t mode) {
  std::string reason;
  while (!text.empty() && reason.empty()) {
    const ssize_t count = ::write(fd, text.data(), text.size());
    if (count >= 0) {
      text.remove_prefix(static_cast<std::size_t>(count));
    } else if (errno != EINTR) {
      reason = std::strerror(errno);
    }
  }
  // Permissions are a courtesy: file systems without them (a FAT memory stick) refuse the change,
  // and that must not lose the user's save.
  ::fchmod(fd, mode);
  if (reason.empty() && ::fsync(fd) != 0) reason = std::strerror(errno);
  return reason;
}

// The temporary files of a file are named "." + its name + "." + the six letters and digits
// mkostemp puts in place of its XXXXXX.
constexpr std::size_t kUniquePartLength = 6;

bool IsTemporaryOf(std::string_view entry, std::string_view prefix) {
  if (entry.size() != prefix.size() + kUniquePartLength || !entry.starts_with(prefix)) return false;
  const std::string_view unique = entry.substr(prefix.size());
  return std::all_of(unique.begin(), unique.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
  });
}

// A save killed between creating its temporary file and renaming it leaves the file behind,
// hidden, beside the one it was to replace. The next save of that file removes such leftovers:
// regular files of ours that no save holds locked, so a save running meanwhile in another
// program keeps its own.
void RemoveLeftovers(const std::string& folder, std::string_view prefix) {
  DIR* directory = ::opendir(folder.empty() ? "." : folder.c_str());
  if (directory == nullptr) return;
  const int directoryFd = ::dirfd(directory);
  while (const dirent* entry = ::readdir(directory)) {
    if (!IsTemporaryOf(entry->d_name, prefix)) continue;
    const int fd =
        ::openat(directoryFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::geteuid() &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      ::unlinkat(directoryFd, entry->d_name, 0);
    }
    ::close(fd);
  }
  ::closedir(directory);
}

}  // namespace

bool SaveFileAtomically(const std::string& givenPath, std::string_view content,
                        std::string* reason) {
  char resolved[PATH_MAX];
  const std::string path =
      ::realpath(givenPath.c_str(), resolved) != nullptr ? resolved : givenPath;
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  // Hidden and in the same folder, so the rename below cannot cross file systems.
  const std::string prefix = "." + path.substr(folder.size()) + ".";
  RemoveLeftovers(folder, prefix);
  std::string temporary = folder + prefix + "XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    if (reason != nullptr) *reason = std::strerror(errno);
    return false;
  }
  // Held until the rename is done, so another save does not take the file for a leftover.
  ::flock(fd, LOCK_EX);
  std::string why = WriteAndSync(fd, content, NewFileMode(path));
  if (why.empty() && ::rename(temporary.c_str(), path.c_str()) != 0) why = std::strerror(errno);
  if (!why.empty()) ::unlink(temporary.c_str());
  if (::close(fd) != 0 && why.empty()) why = std::strerror(errno);
  if (why.empty()) return true;
  if (reason != nullptr) *reason = why;
  return false;
}

}  // namespace varim::db
