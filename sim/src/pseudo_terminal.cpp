#include "varim/sim/pseudo_terminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace varim::sim {

namespace {

bool Fail(std::string* error, const char* step) {
  if (error != nullptr) *error = std::string(step) + ": " + std::strerror(errno);
  return false;
}

}  // namespace

PseudoTerminal::~PseudoTerminal() {
  Close();
}

bool PseudoTerminal::Open(std::string* error) {
  Close();
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0) return Fail(error, "posix_openpt");
  char name[128];
  if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
      ::ptsname_r(master_, name, sizeof name) != 0) {
    Fail(error, "pseudo-terminal set-up");
    Close();
    return false;
  }
  devicePath_ = name;
  keepAlive_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (keepAlive_ < 0) {
    Fail(error, devicePath_.c_str());
    Close();
    return false;
  }
  // Raw from the start: a cooked line would echo the radio's bytes back before the program
  // has configured it.
  termios options{};
  if (::tcgetattr(keepAlive_, &options) != 0) {
    Fail(error, "tcgetattr");
    Close();
    return false;
  }
  cfmakeraw(&options);
  if (::tcsetattr(keepAlive_, TCSANOW, &options) != 0) {
    Fail(error, "tcsetattr");
    Close();
    return false;
  }
  const int flags = ::fcntl(master_, F_GETFL);
  ::fcntl(master_, F_SETFL, flags | O_NONBLOCK);
  return true;
}

void PseudoTerminal::HangUp() {
  if (keepAlive_ >= 0) ::close(keepAlive_);
  if (master_ >= 0) ::close(master_);
  keepAlive_ = master_ = -1;
}

void PseudoTerminal::Close() {
  HangUp();
  devicePath_.clear();
}

}  // namespace varim::sim
