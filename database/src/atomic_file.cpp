#include "varim/db/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Writes the text into the open temporary file, flushes it to disk and closes it; the reason for
// a failure, or nothing.
std::string WriteAndClose(int fd, std::string_view text, mode_t mode) {
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
  if (::close(fd) != 0 && reason.empty()) reason = std::strerror(errno);
  return reason;
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
  std::string temporary = folder + "." + path.substr(folder.size()) + ".XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    if (reason != nullptr) *reason = std::strerror(errno);
    return false;
  }
  std::string why = WriteAndClose(fd, content, NewFileMode(path));
  if (why.empty() && ::rename(temporary.c_str(), path.c_str()) != 0) why = std::strerror(errno);
  if (why.empty()) return true;
  ::unlink(temporary.c_str());
  if (reason != nullptr) *reason = why;
  return false;
}

}  // namespace varim::db
