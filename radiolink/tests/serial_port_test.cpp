#include "varim/serial_port.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "varim/sim/pseudo_terminal.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

long ElapsedMs(Clock::time_point start) {
  return std::chrono::duration_cast<milliseconds>(Clock::now() - start).count();
}

// The radio's character format built on a structure, because a pseudo-terminal would not keep
// the parity bit to be read back.
TEST(SerialLineSettings, RadioFormatIsEightDataBitsOddParityOneStopBit) {
  termios options{};
  options.c_cflag = CMSPAR | CSTOPB | CS5;  // leftovers of an earlier user of the port
  ASSERT_EQ(CSerial::ApplyLineSettings(options, CSerial::EBaud9600, CSerial::EData8,
                                       CSerial::EParOdd, CSerial::EStop1),
            0);
  EXPECT_EQ(options.c_cflag & CSIZE, tcflag_t{CS8});
  EXPECT_TRUE(options.c_cflag & PARENB);
  EXPECT_TRUE(options.c_cflag & PARODD);
  EXPECT_FALSE(options.c_cflag & CMSPAR) << "a leftover sticky bit would make mark parity";
  EXPECT_FALSE(options.c_cflag & CSTOPB);
  EXPECT_TRUE(options.c_iflag & INPCK) << "parity checking follows the parity";
  EXPECT_EQ(cfgetospeed(&options), speed_t{B9600});
  EXPECT_EQ(cfgetispeed(&options), speed_t{B9600});
}

TEST(SerialLineSettings, EveryRadioBaudRateAndNoParity) {
  const std::pair<CSerial::EBaudrate, speed_t> rates[] = {{CSerial::EBaud1200, B1200},
                                                          {CSerial::EBaud2400, B2400},
                                                          {CSerial::EBaud4800, B4800},
                                                          {CSerial::EBaud9600, B9600}};
  for (const auto& [rate, code] : rates) {
    termios options{};
    options.c_iflag = INPCK;
    options.c_cflag = PARENB | PARODD;
    ASSERT_EQ(CSerial::ApplyLineSettings(options, rate, CSerial::EData7, CSerial::EParNone,
                                         CSerial::EStop2),
              0);
    EXPECT_EQ(cfgetospeed(&options), code);
    EXPECT_FALSE(options.c_cflag & PARENB);
    EXPECT_FALSE(options.c_iflag & INPCK);
    EXPECT_EQ(options.c_cflag & CSIZE, tcflag_t{CS7});
    EXPECT_TRUE(options.c_cflag & CSTOPB);
  }
}

TEST(SerialLineSettings, MarkParityAndRefusedFormats) {
  termios options{};
  ASSERT_EQ(CSerial::ApplyLineSettings(options, CSerial::EBaud4800, CSerial::EData8,
                                       CSerial::EParMark, CSerial::EStop1),
            0);
  EXPECT_EQ(options.c_cflag & (PARENB | PARODD | CMSPAR), tcflag_t{PARENB | PARODD | CMSPAR});

  const termios before = options;
  EXPECT_EQ(CSerial::ApplyLineSettings(options, static_cast<CSerial::EBaudrate>(12345),
                                       CSerial::EData8, CSerial::EParOdd, CSerial::EStop1),
            EINVAL);
  EXPECT_EQ(CSerial::ApplyLineSettings(options, CSerial::EBaud9600, CSerial::EData8,
                                       CSerial::EParOdd, CSerial::EStop1_5),
            EINVAL);
  EXPECT_EQ(
      CSerial::ApplyLineSettings(options, CSerial::EBaud9600, static_cast<CSerial::EDataBits>(9),
                                 CSerial::EParOdd, CSerial::EStop1),
      EINVAL);
  EXPECT_EQ(options.c_cflag, before.c_cflag) << "a refused format changes nothing";
}

// A port opened on one side of a pseudo-terminal; the test plays the radio on the other side.
class SerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(line_.Open(&error)) << error;
    ASSERT_EQ(port_.Open(line_.DevicePath().c_str(), 2000, 2000), 0);
  }

  void RadioWrites(const std::vector<std::uint8_t>& bytes) {
    ASSERT_EQ(::write(line_.MasterFd(), bytes.data(), bytes.size()),
              static_cast<ssize_t>(bytes.size()));
  }

  std::vector<std::uint8_t> RadioReads(std::size_t count) {
    std::vector<std::uint8_t> bytes;
    const auto deadline = Clock::now() + milliseconds(2000);
    while (bytes.size() < count && Clock::now() < deadline) {
      pollfd master{line_.MasterFd(), POLLIN, 0};
      if (::poll(&master, 1, 100) <= 0) continue;
      std::uint8_t chunk[256];
      const ssize_t n = ::read(line_.MasterFd(), chunk, sizeof chunk);
      if (n > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    }
    return bytes;
  }

  varim::sim::PseudoTerminal line_;
  CSerial port_;
};

TEST_F(SerialPortTest, OpensRawWithoutHandshakingAndRefusesASecondOpen) {
  EXPECT_TRUE(port_.IsOpen());
  termios options{};
  ASSERT_EQ(::tcgetattr(port_.GetCommHandle(), &options), 0);
  EXPECT_FALSE(options.c_lflag & (ICANON | ECHO | ISIG)) << "raw: no line editing or echo";
  EXPECT_FALSE(options.c_oflag & OPOST) << "raw: bytes leave unchanged";
  EXPECT_FALSE(options.c_cflag & CRTSCTS);
  EXPECT_FALSE(options.c_iflag & (IXON | IXOFF));
  EXPECT_EQ(port_.GetHandshaking(), CSerial::EHandshakeOff);

  EXPECT_EQ(port_.Open(line_.DevicePath().c_str()), EALREADY);
  EXPECT_TRUE(port_.IsOpen()) << "a refused second open leaves the port open";

  CSerial other;
  EXPECT_EQ(other.Open(line_.DevicePath().c_str()), EBUSY) << "another user would mix frames";
  EXPECT_EQ(other.GetLastError(), EBUSY);
  long reason = 0;
  EXPECT_EQ(CSerial::CheckPort(line_.DevicePath().c_str(), &reason), CSerial::EPortInUse);
  EXPECT_EQ(reason, EBUSY);

  port_.Close();
  EXPECT_EQ(CSerial::CheckPort(line_.DevicePath().c_str()), CSerial::EPortAvailable);
}

TEST_F(SerialPortTest, SetupKeepsEverythingButTheParityAPseudoTerminalCannotHold) {
  ASSERT_EQ(port_.Setup(CSerial::EBaud2400, CSerial::EData8, CSerial::EParOdd, CSerial::EStop1), 0);
  EXPECT_EQ(port_.GetBaudrate(), CSerial::EBaud2400);
  EXPECT_EQ(port_.GetDataBits(), CSerial::EData8);
  EXPECT_EQ(port_.GetStopBits(), CSerial::EStop1);
  EXPECT_EQ(port_.SetupHandshaking(CSerial::EHandshakeSoftware), 0);
  EXPECT_EQ(port_.GetHandshaking(), CSerial::EHandshakeSoftware);
  EXPECT_EQ(port_.SetupHandshaking(CSerial::EHandshakeOff), 0);
  EXPECT_EQ(port_.GetHandshaking(), CSerial::EHandshakeOff);
}

TEST(SerialPortErrors, MissingDevicesAndClosedPortsReportTheSystemReason) {
  CSerial port;
  EXPECT_EQ(port.Open("/dev/no-such-radio-port"), ENOENT);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(CSerial::CheckPort("/dev/no-such-radio-port"), CSerial::EPortNotAvailable);

  std::uint8_t byte = 0;
  unsigned count = 7;
  EXPECT_EQ(port.Read(&byte, 1, &count), EBADF);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(port.Write(&byte, 1), EBADF);
  EXPECT_EQ(port.Setup(CSerial::EBaud9600, CSerial::EData8, CSerial::EParOdd, CSerial::EStop1),
            EBADF);
  EXPECT_EQ(port.GetBaudrate(), CSerial::EBaudUnknown);
  EXPECT_EQ(port.GetInQue(), 0u);
  EXPECT_EQ(port.GetEventMask(), 0u);
  EXPECT_EQ(port.Close(), 0);
}

TEST_F(SerialPortTest, WritesReachTheLineAndReadsTakeWhatIsQueued) {
  ASSERT_EQ(port_.Write("$ABC"), 0);
  EXPECT_EQ(RadioReads(4), (std::vector<std::uint8_t>{'$', 'A', 'B', 'C'}));

  RadioWrites({0x24, 0x01, 0x10, 0xF3, 0x28, 0x03});
  const auto deadline = Clock::now() + milliseconds(2000);
  while (port_.GetInQue() < 6 && Clock::now() < deadline) std::this_thread::yield();
  EXPECT_EQ(port_.GetInQue(), 6u);

  ASSERT_EQ(port_.SetupReadTimeouts(CSerial::EReadTimeoutNonblocking), 0);
  std::uint8_t bytes[16] = {};
  unsigned count = 0;
  EXPECT_EQ(port_.Read(bytes, sizeof bytes, &count), 0);
  EXPECT_EQ(count, 6u) << "a non-blocking read returns at once with what is queued";
  EXPECT_EQ(bytes[3], 0xF3);
}

TEST_F(SerialPortTest, ReadReturnsEarlyWhenTheLineFallsSilentBetweenBytes) {
  ASSERT_EQ(port_.MySetupReadTimeouts(200, 50, 1000), 0);
  RadioWrites({1, 2, 3, 4});
  std::uint8_t bytes[10] = {};
  unsigned count = 0;
  const auto start = Clock::now();
  EXPECT_EQ(port_.Read(bytes, sizeof bytes, &count), 0);
  const long elapsed = ElapsedMs(start);
  EXPECT_EQ(count, 4u);
  EXPECT_GE(elapsed, 180) << "waits the interval time-out for more";
  EXPECT_LT(elapsed, 900) << "but not the total time-out of 1500 ms";
}

TEST_F(SerialPortTest, ReadOfASilentLineEndsAfterTheTotalTimeout) {
  ASSERT_EQ(port_.MySetupReadTimeouts(200, 50, 1000), 0);
  std::uint8_t byte = 0;
  unsigned count = 9;
  const auto start = Clock::now();
  EXPECT_EQ(port_.Read(&byte, 1, &count), 0);
  const long elapsed = ElapsedMs(start);
  EXPECT_EQ(count, 0u);
  EXPECT_GE(elapsed, 1000) << "1000 ms plus 50 ms for the one byte asked";
  EXPECT_LT(elapsed, 2500);
}

TEST_F(SerialPortTest, PurgeDiscardsWhatWasReceived) {
  RadioWrites({9, 9, 9});
  const auto deadline = Clock::now() + milliseconds(2000);
  while (port_.GetInQue() < 3 && Clock::now() < deadline) std::this_thread::yield();
  ASSERT_EQ(port_.Purge(), 0);
  EXPECT_EQ(port_.GetInQue(), 0u);
}

TEST_F(SerialPortTest, WaitEventReportsReceivedCharactersOnceAndOnlyWithinTheMask) {
  ASSERT_EQ(port_.SetMask(0x1F9), 0);
  EXPECT_EQ(port_.GetEventMask(), 0x1F9u);
  RadioWrites({0x24});
  ASSERT_EQ(port_.WaitEvent(), 0);
  EXPECT_EQ(port_.GetEventType(), CSerial::EEventRecv);
  EXPECT_EQ(port_.GetEventType(), 0u) << "reading the event type clears it";

  // The character is still queued, but a mask without it hides the event.
  ASSERT_EQ(port_.SetMask(CSerial::EEventRecv), 0);
  ASSERT_EQ(port_.WaitEvent(), 0);
  ASSERT_EQ(port_.SetMask(CSerial::EEventCTS), 0);
  EXPECT_EQ(port_.GetEventType(), 0u);
}

TEST_F(SerialPortTest, WaitEventWakesForItsOwnersStopSignal) {
  ASSERT_EQ(port_.SetMask(CSerial::EEventRecv), 0);
  const int wake = ::eventfd(0, EFD_CLOEXEC);
  ASSERT_GE(wake, 0);
  std::thread stopper([wake] {
    std::this_thread::sleep_for(milliseconds(100));
    const std::uint64_t one = 1;
    EXPECT_EQ(::write(wake, &one, sizeof one), static_cast<ssize_t>(sizeof one));
  });
  const auto start = Clock::now();
  EXPECT_EQ(port_.WaitEvent(wake), 0);
  EXPECT_LT(ElapsedMs(start), 2000);
  EXPECT_EQ(port_.GetEventType(), 0u) << "woken without a port event";
  stopper.join();
  ::close(wake);
}

TEST_F(SerialPortTest, ALineThatHangsUpEndsTheWaitWithAnError) {
  ASSERT_EQ(port_.SetMask(CSerial::EEventRecv), 0);
  line_.Close();
  EXPECT_EQ(port_.WaitEvent(), EIO);
  std::uint8_t byte = 0;
  unsigned count = 0;
  EXPECT_NE(port_.Read(&byte, 1, &count), 0);
  EXPECT_EQ(count, 0u);
}

}  // namespace
