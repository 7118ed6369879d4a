#include "varim/serial_port.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kNoLimit = std::numeric_limits<std::uint32_t>::max();
// A write that makes no progress for this long has met a stuck line (a pseudo-terminal whose
// other side stopped reading); better to fail than to hold the port for ever.
constexpr int kWriteStallMs = 2000;
constexpr auto kBreakDuration = std::chrono::milliseconds(100);

struct BaudRateCode {
  CSerial::EBaudrate baudrate;
  speed_t code;
};

constexpr BaudRateCode kBaudRates[] = {
    {CSerial::EBaud1200, B1200},   {CSerial::EBaud2400, B2400},     {CSerial::EBaud4800, B4800},
    {CSerial::EBaud9600, B9600},   {CSerial::EBaud19200, B19200},   {CSerial::EBaud38400, B38400},
    {CSerial::EBaud57600, B57600}, {CSerial::EBaud115200, B115200},
};

struct DataBitsCode {
  CSerial::EDataBits dataBits;
  tcflag_t code;
};

constexpr DataBitsCode kDataBits[] = {
    {CSerial::EData5, CS5},
    {CSerial::EData6, CS6},
    {CSerial::EData7, CS7},
    {CSerial::EData8, CS8},
};

// Mark and space parity are the odd and even settings with the sticky bit; the sticky bit must
// be cleared for plain odd parity or a leftover one turns odd into mark parity.
struct ParityCode {
  CSerial::EParity parity;
  tcflag_t cflag;
};

constexpr ParityCode kParities[] = {
    {CSerial::EParNone, 0},
    {CSerial::EParOdd, PARENB | PARODD},
    {CSerial::EParEven, PARENB},
    {CSerial::EParMark, PARENB | PARODD | CMSPAR},
    {CSerial::EParSpace, PARENB | CMSPAR},
};

// Unix 98 pseudo-terminal slaves have the device majors 136 to 143.
bool IsPseudoTerminal(int fd) {
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISCHR(status.st_mode)) return false;
  const unsigned deviceMajor = major(status.st_rdev);
  return deviceMajor >= 136 && deviceMajor <= 143;
}

bool SameExceptParity(const termios& a, const termios& b) {
  constexpr tcflag_t kParityBits = PARENB | PARODD | CMSPAR;
  return (a.c_cflag & ~kParityBits) == (b.c_cflag & ~kParityBits) && a.c_iflag == b.c_iflag &&
         a.c_oflag == b.c_oflag && a.c_lflag == b.c_lflag && cfgetospeed(&a) == cfgetospeed(&b) &&
         cfgetispeed(&a) == cfgetispeed(&b);
}

int Milliseconds(Clock::duration duration) {
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(duration).count();
  return ms < 0 ? 0 : static_cast<int>(ms);
}

}  // namespace

CSerial::CSerial() = default;

CSerial::~CSerial() {
  Close();
}

long CSerial::Fail(long error) {
  lastError_ = error;
  return error;
}

long CSerial::Open(const char* device, unsigned inputQueue, unsigned outputQueue) {
  lastError_ = 0;
  if (IsOpen()) return Fail(EALREADY);
  // The kernel's terminal buffers are fixed at 4 KiB each way; a caller that needs more than
  // that cannot be served.
  constexpr unsigned kKernelQueueBytes = 4096;
  if (inputQueue > kKernelQueueBytes || outputQueue > kKernelQueueBytes) return Fail(EINVAL);

  const int fd = ::open(device, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Fail(errno);
  // TIOCEXCL keeps other programs out, but not a privileged one; the advisory lock also holds
  // against root and against a second open inside this process.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno == EWOULDBLOCK ? EBUSY : errno;
    ::close(fd);
    return Fail(error);
  }
  if (::ioctl(fd, TIOCEXCL) != 0) {
    const int error = errno;
    ::close(fd);
    return Fail(error);
  }
  fd_ = fd;
  // Before anything else: a radio may key its transmitter on DTR or RTS. A pseudo-terminal has
  // no modem lines, so a failure here is no reason to refuse the port.
  ClearModemLines(TIOCM_DTR | TIOCM_RTS);

  termios options{};
  if (ReadState(options) != 0) {
    const long error = lastError_;
    Close();
    return Fail(error);
  }
  cfmakeraw(&options);
  options.c_cflag |= CLOCAL | CREAD;
  options.c_cc[VMIN] = 0;
  options.c_cc[VTIME] = 0;
  if (WriteState(options) != 0) {
    const long error = lastError_;
    Close();
    return Fail(error);
  }
  eventMask_ = 0;
  eventType_ = 0;
  readTimeouts_ = {};
  GetError();  // only line errors from now on count
  lastError_ = 0;
  return 0;
}

long CSerial::Close() {
  lastError_ = 0;
  if (!IsOpen()) return 0;
  // The exclusive flag outlives this descriptor when another one (a simulator's) stays open.
  ::ioctl(fd_, TIOCNXCL);
  const int result = ::close(fd_);
  fd_ = -1;
  return result == 0 ? 0 : Fail(errno);
}

long CSerial::ReadState(termios& options) {
  if (!IsOpen()) return Fail(EBADF);
  if (::tcgetattr(fd_, &options) != 0) return Fail(errno);
  return 0;
}

long CSerial::WriteState(const termios& options) {
  if (::tcsetattr(fd_, TCSANOW, &options) == 0) return 0;
  const int error = errno;
  // A pseudo-terminal has no parity bit and drops PARENB; the C library then reports EINVAL
  // although every other setting took effect. Bytes cross such a line unchanged, so it serves.
  termios applied{};
  if (error == EINVAL && IsPseudoTerminal(fd_) && ::tcgetattr(fd_, &applied) == 0 &&
      SameExceptParity(applied, options)) {
    return 0;
  }
  return Fail(error);
}

long CSerial::ApplyLineSettings(termios& options, EBaudrate baudrate, EDataBits dataBits,
                                EParity parity, EStopBits stopBits) {
  const BaudRateCode* baud = nullptr;
  for (const auto& entry : kBaudRates) {
    if (entry.baudrate == baudrate) baud = &entry;
  }
  const DataBitsCode* bits = nullptr;
  for (const auto& entry : kDataBits) {
    if (entry.dataBits == dataBits) bits = &entry;
  }
  const ParityCode* parityCode = nullptr;
  for (const auto& entry : kParities) {
    if (entry.parity == parity) parityCode = &entry;
  }
  // One and a half stop bits do not exist on this platform's serial drivers.
  if (baud == nullptr || bits == nullptr || parityCode == nullptr ||
      (stopBits != EStop1 && stopBits != EStop2)) {
    return EINVAL;
  }
  cfsetispeed(&options, baud->code);
  cfsetospeed(&options, baud->code);
  options.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB);
  options.c_cflag |= bits->code | parityCode->cflag;
  if (stopBits == EStop2) options.c_cflag |= CSTOPB;
  // Parity checking is on exactly when the line carries a parity bit.
  if (parity == EParNone) {
    options.c_iflag &= ~INPCK;
  } else {
    options.c_iflag |= INPCK;
  }
  return 0;
}

long CSerial::Setup(EBaudrate baudrate, EDataBits dataBits, EParity parity, EStopBits stopBits) {
  lastError_ = 0;
  termios options{};
  if (ReadState(options) != 0) return lastError_;
  if (const long error = ApplyLineSettings(options, baudrate, dataBits, parity, stopBits))
    return Fail(error);
  return WriteState(options);
}

long CSerial::SetMask(std::uint32_t mask) {
  lastError_ = 0;
  if (!IsOpen()) return Fail(EBADF);
  eventMask_ = mask;
  return 0;
}

std::uint32_t CSerial::GetEventMask() const {
  return IsOpen() ? eventMask_ : 0;
}

long CSerial::WaitEvent(int wakeFd) {
  lastError_ = 0;
  if (!IsOpen()) return Fail(EBADF);
  pollfd fds[2] = {{fd_, 0, 0}, {wakeFd, POLLIN, 0}};
  if (eventMask_ & EEventRecv) fds[0].events |= POLLIN;
  const nfds_t count = wakeFd >= 0 ? 2 : 1;
  int ready;
  do {
    ready = ::poll(fds, count, -1);
  } while (ready < 0 && errno == EINTR);
  if (ready < 0) return Fail(errno);
  // A line that hung up stays "readable" for ever; once what it left behind is read, say so
  // instead of reporting characters that will never come.
  if ((fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) && GetInQue() == 0) return Fail(EIO);
  if (fds[0].revents & POLLIN) eventType_ |= EEventRecv;
  return 0;
}

std::uint32_t CSerial::GetEventType() {
  const std::uint32_t fired = eventType_ & eventMask_;
  eventType_ = 0;
  return fired;
}

long CSerial::ClearModemLines(int lines) {
  if (::ioctl(fd_, TIOCMBIC, &lines) != 0) return Fail(errno);
  return 0;
}

long CSerial::SetupHandshaking(EHandshake handshake) {
  lastError_ = 0;
  termios options{};
  if (ReadState(options) != 0) return lastError_;
  options.c_cflag &= ~CRTSCTS;
  options.c_iflag &= ~(IXON | IXOFF | IXANY);
  switch (handshake) {
    case EHandshakeOff:
      break;
    case EHandshakeHardware:
      options.c_cflag |= CRTSCTS;
      break;
    case EHandshakeSoftware:
      options.c_iflag |= IXON | IXOFF;
      break;
    default:
      return Fail(EINVAL);
  }
  if (WriteState(options) != 0) return lastError_;
  if (handshake != EHandshakeHardware) {
    // Held off, never toggled: the lines stay low for radios that key on them. A line without
    // modem signals (a pseudo-terminal) has nothing to hold.
    ClearModemLines(TIOCM_DTR | TIOCM_RTS);
    lastError_ = 0;
  }
  return 0;
}

CSerial::EHandshake CSerial::GetHandshaking() {
  lastError_ = 0;
  termios options{};
  if (ReadState(options) != 0) return EHandshakeUnknown;
  if (options.c_cflag & CRTSCTS) return EHandshakeHardware;
  if ((options.c_iflag & IXON) && (options.c_iflag & IXOFF)) return EHandshakeSoftware;
  return EHandshakeOff;
}

long CSerial::SetupReadTimeouts(EReadTimeout readTimeout) {
  switch (readTimeout) {
    case EReadTimeoutNonblocking:
      return MySetupReadTimeouts(kNoLimit, 0, 0);
    case EReadTimeoutBlocking:
      return MySetupReadTimeouts(0, 0, 0);
  }
  return Fail(EINVAL);
}

long CSerial::MySetupReadTimeouts(std::uint32_t intervalMs, std::uint32_t multiplierMs,
                                  std::uint32_t constantMs) {
  lastError_ = 0;
  if (!IsOpen()) return Fail(EBADF);
  readTimeouts_ = {intervalMs, multiplierMs, constantMs};
  return 0;
}

CSerial::EBaudrate CSerial::GetBaudrate() {
  lastError_ = 0;
  termios options{};
  if (ReadState(options) != 0) return EBaudUnknown;
  const speed_t code = cfgetospeed(&options);
  for (const auto& entry : kBaudRates) {
    if (entry.code == code) return entry.baudrate;
  }
  return EBaudUnknown;
}

CSerial::EDataBits CSerial::GetDataBits() {
  lastError_ = 0;
  termios options{};
  if (ReadState(options) != 0) return EDataUnknown;
  for (const auto& entry : kDataBits) {
    if (entry.code == (options.c_cflag & CSIZE)) return entry.dataBits;
  }
  return EDataUnknown;
}

CSerial::EParity CSerial::GetParity() {
  lastError_ = 0;
  termios options{};
  if (ReadState(options) != 0) return EParUnknown;
  const tcflag_t bits = options.c_cflag & (PARENB | PARODD | CMSPAR);
  if (!(bits & PARENB)) return EParNone;
  for (const auto& entry : kParities) {
    if (entry.cflag == bits) return entry.parity;
  }
  return EParUnknown;
}

CSerial::EStopBits CSerial::GetStopBits() {
  lastError_ = 0;
  termios options{};
  if (ReadState(options) != 0) return EStopUnknown;
  return (options.c_cflag & CSTOPB) ? EStop2 : EStop1;
}

long CSerial::Write(const char* text, unsigned* written) {
  return Write(text, std::strlen(text), written);
}

long CSerial::Write(const void* data, std::size_t size, unsigned* written) {
  lastError_ = 0;
  if (written != nullptr) *written = 0;
  if (!IsOpen()) return Fail(EBADF);
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  std::size_t sent = 0;
  while (sent < size) {
    const ssize_t n = ::write(fd_, bytes + sent, size - sent);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
      if (written != nullptr) *written = static_cast<unsigned>(sent);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return Fail(errno);
    pollfd port{fd_, POLLOUT, 0};
    const int ready = ::poll(&port, 1, kWriteStallMs);
    if (ready == 0) return Fail(ETIMEDOUT);
    if (ready < 0 && errno != EINTR) return Fail(errno);
    if (port.revents & (POLLHUP | POLLERR | POLLNVAL)) return Fail(EIO);
  }
  return 0;
}

long CSerial::Read(void* buffer, std::size_t size, unsigned* read) {
  lastError_ = 0;
  if (read != nullptr) *read = 0;
  if (!IsOpen()) return Fail(EBADF);
  auto* bytes = static_cast<std::uint8_t*>(buffer);
  const ReadTimeouts limits = readTimeouts_;
  const bool returnAtOnce =
      limits.intervalMs == kNoLimit && limits.multiplierMs == 0 && limits.constantMs == 0;
  const auto start = Clock::now();
  const bool hasTotalLimit = limits.multiplierMs != 0 || limits.constantMs != 0;
  const auto totalDeadline =
      start + std::chrono::milliseconds(std::uint64_t{limits.multiplierMs} * size +
                                        std::uint64_t{limits.constantMs});
  auto lastByte = start;
  std::size_t got = 0;
  bool hungUp = false;
  while (got < size) {
    const ssize_t n = ::read(fd_, bytes + got, size - got);
    if (n > 0) {
      got += static_cast<std::size_t>(n);
      lastByte = Clock::now();
      if (read != nullptr) *read = static_cast<unsigned>(got);
      continue;
    }
    // A raw terminal answers 0 rather than EAGAIN when nothing is queued; a line that went
    // away answers EIO.
    if (n < 0 && errno != EAGAIN && errno != EINTR) return Fail(errno);
    // The line went away and nothing is left to read: waiting longer cannot bring bytes.
    if (hungUp) return Fail(EIO);
    if (returnAtOnce) break;

    // The earliest of the limits that apply decides how long to wait for more bytes.
    bool limited = false;
    auto deadline = Clock::time_point::max();
    if (hasTotalLimit) {
      deadline = totalDeadline;
      limited = true;
    }
    if (got > 0 && limits.intervalMs != 0 && limits.intervalMs != kNoLimit) {
      deadline = std::min(deadline, lastByte + std::chrono::milliseconds(limits.intervalMs));
      limited = true;
    }
    const auto now = Clock::now();
    if (limited && now >= deadline) break;
    pollfd port{fd_, POLLIN, 0};
    const int ready = ::poll(&port, 1, limited ? Milliseconds(deadline - now) : -1);
    if (ready < 0 && errno != EINTR) return Fail(errno);
    if (ready > 0 && (port.revents & (POLLHUP | POLLERR | POLLNVAL))) hungUp = true;
  }
  return 0;
}

std::uint32_t CSerial::GetInQue() {
  lastError_ = 0;
  if (!IsOpen()) return 0;
  int queued = 0;
  if (::ioctl(fd_, FIONREAD, &queued) != 0) {
    Fail(errno);
    return 0;
  }
  return static_cast<std::uint32_t>(queued);
}

long CSerial::Purge() {
  lastError_ = 0;
  if (!IsOpen()) return Fail(EBADF);
  if (::tcflush(fd_, TCIOFLUSH) != 0) return Fail(errno);
  return 0;
}

long CSerial::Break() {
  lastError_ = 0;
  if (!IsOpen()) return Fail(EBADF);
  if (::ioctl(fd_, TIOCSBRK) != 0) return Fail(errno);
  std::this_thread::sleep_for(kBreakDuration);
  if (::ioctl(fd_, TIOCCBRK) != 0) return Fail(errno);
  return 0;
}

std::uint32_t CSerial::GetError() {
  lastError_ = 0;
  if (!IsOpen()) {
    Fail(EBADF);
    return EErrorNone;
  }
  serial_icounter_struct counters{};
  if (::ioctl(fd_, TIOCGICOUNT, &counters) != 0) {
    Fail(errno);  // drivers without line counters (pseudo-terminals) report nothing
    return EErrorNone;
  }
  std::uint32_t errors = EErrorNone;
  if (counters.frame != framingErrors_) errors |= EErrorFrame;
  if (counters.overrun != overrunErrors_) errors |= EErrorOverrun;
  if (counters.parity != parityErrors_) errors |= EErrorRxParity;
  if (counters.brk != breaks_) errors |= EErrorBreak;
  if (counters.buf_overrun != bufferOverruns_) errors |= EErrorRxOver;
  framingErrors_ = counters.frame;
  overrunErrors_ = counters.overrun;
  parityErrors_ = counters.parity;
  breaks_ = counters.brk;
  bufferOverruns_ = counters.buf_overrun;
  return errors;
}

bool CSerial::ModemLine(int line) {
  lastError_ = 0;
  if (!IsOpen()) {
    Fail(EBADF);
    return false;
  }
  int lines = 0;
  if (::ioctl(fd_, TIOCMGET, &lines) != 0) {
    Fail(errno);
    return false;
  }
  return (lines & line) != 0;
}

bool CSerial::GetCTS() {
  return ModemLine(TIOCM_CTS);
}
bool CSerial::GetDSR() {
  return ModemLine(TIOCM_DSR);
}
bool CSerial::GetRing() {
  return ModemLine(TIOCM_RI);
}
bool CSerial::GetRLSD() {
  return ModemLine(TIOCM_CD);
}

CSerial::EPort CSerial::CheckPort(const char* device, long* systemError) {
  CSerial port;
  const long error = port.Open(device);
  if (systemError != nullptr) *systemError = error;
  switch (error) {
    case 0:
      return EPortAvailable;
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return EPortNotAvailable;
    case EBUSY:
      return EPortInUse;
    default:
      return EPortUnknownError;
  }
}
