#pragma once

#include <termios.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>

#include "varim/export.h"

// One serial port, configured and driven the way the radio link needs it.
//
// Every operation clears the last error, and on failure stores and returns the system's errno
// value (0 is success), so a caller can tell the user why: no such device, permission denied,
// in use. Reads, writes and event waits are synchronous; a read is bounded by the port's read
// time-outs instead of a time-out argument.
class VARIM_API CSerial {
 public:
  enum EBaudrate {
    EBaudUnknown = -1,
    EBaud1200 = 1200,
    EBaud2400 = 2400,
    EBaud4800 = 4800,
    EBaud9600 = 9600,
    EBaud19200 = 19200,
    EBaud38400 = 38400,
    EBaud57600 = 57600,
    EBaud115200 = 115200,
  };
  enum EDataBits { EDataUnknown = -1, EData5 = 5, EData6 = 6, EData7 = 7, EData8 = 8 };
  enum EParity {
    EParUnknown = -1,
    EParNone = 0,
    EParOdd = 1,
    EParEven = 2,
    EParMark = 3,
    EParSpace = 4,
  };
  enum EStopBits { EStopUnknown = -1, EStop1 = 0, EStop1_5 = 1, EStop2 = 2 };
  enum EHandshake {
    EHandshakeUnknown = -1,
    EHandshakeOff = 0,
    EHandshakeHardware = 1,
    EHandshakeSoftware = 2,
  };
  enum EReadTimeout { EReadTimeoutNonblocking = 0, EReadTimeoutBlocking = 1 };
  // Port events, bit for bit as the radio link has always named them.
  enum EEvent : std::uint32_t {
    EEventNone = 0x000,
    EEventRecv = 0x001,
    EEventRcvEv = 0x002,
    EEventSend = 0x004,
    EEventCTS = 0x008,
    EEventDSR = 0x010,
    EEventRLSD = 0x020,
    EEventBreak = 0x040,
    EEventError = 0x080,
    EEventRing = 0x100,
  };
  // Line errors seen since the last GetError.
  enum EError : std::uint32_t {
    EErrorNone = 0x000,
    EErrorRxOver = 0x001,
    EErrorOverrun = 0x002,
    EErrorRxParity = 0x004,
    EErrorFrame = 0x008,
    EErrorBreak = 0x010,
  };
  enum EPort { EPortUnknownError = -1, EPortAvailable = 0, EPortNotAvailable = 1, EPortInUse = 2 };

  CSerial();
  virtual ~CSerial();
  CSerial(const CSerial&) = delete;
  CSerial& operator=(const CSerial&) = delete;

  // Opens the device for reading and writing, exclusively (a second program cannot interleave
  // frames), without making it the controlling terminal; drops DTR and RTS at once, because
  // some radios key the transmitter on them; then puts the line into raw mode. The queue sizes
  // are the least the caller needs; the kernel's terminal buffers (4 KiB each way) hold them.
  // EALREADY when this object is open already.
  virtual long Open(const char* device, unsigned inputQueue = 0, unsigned outputQueue = 0);
  // Releases the port; 0 on a closed port.
  virtual long Close();

  virtual long Setup(EBaudrate baudrate, EDataBits dataBits, EParity parity, EStopBits stopBits);
  virtual long SetMask(std::uint32_t mask);
  // Waits until an event of the mask happens or wakeFd (when not -1) becomes readable; the
  // latter lets the owner stop a waiting thread. The fired bits are kept for GetEventType.
  // EIO when the line hung up (the device went away).
  virtual long WaitEvent(int wakeFd = -1);
  virtual long SetupHandshaking(EHandshake handshake);
  virtual long SetupReadTimeouts(EReadTimeout readTimeout);
  // A read of n bytes ends after constant + multiplier * n ms, or earlier when interval ms pass
  // between two bytes (0 switches that limit off; all three 0 waits for every byte).
  virtual long MySetupReadTimeouts(std::uint32_t intervalMs, std::uint32_t multiplierMs,
                                   std::uint32_t constantMs);

  virtual EBaudrate GetBaudrate();
  virtual EDataBits GetDataBits();
  virtual EParity GetParity();
  virtual EStopBits GetStopBits();
  virtual EHandshake GetHandshaking();
  virtual std::uint32_t GetEventMask() const;

  virtual long Write(const char* text, unsigned* written = nullptr);
  virtual long Write(const void* data, std::size_t size, unsigned* written = nullptr);
  // Reads up to size bytes; returns success with fewer when the read time-outs expire.
  virtual long Read(void* buffer, std::size_t size, unsigned* read = nullptr);
  virtual std::uint32_t GetInQue();

  // Tries to open the device and closes it again. When systemError is given it receives the
  // reason for anything but EPortAvailable.
  static EPort CheckPort(const char* device, long* systemError = nullptr);

  // Fills the radio line's character format into options (baud rate, data bits, parity with
  // parity checking, stop bits), leaving every other setting alone. 0 or EINVAL.
  static long ApplyLineSettings(termios& options, EBaudrate baudrate, EDataBits dataBits,
                                EParity parity, EStopBits stopBits);

  int GetCommHandle() const { return fd_; }
  bool IsOpen() const { return fd_ >= 0; }
  long GetLastError() const { return lastError_; }

  long Purge();
  // Holds the line in the break condition for 100 ms.
  long Break();
  // The bits of the last wait that are also in the mask; the stored bits are cleared.
  std::uint32_t GetEventType();
  std::uint32_t GetError();
  bool GetCTS();
  bool GetDSR();
  bool GetRing();
  bool GetRLSD();

 private:
  struct ReadTimeouts {
    std::uint32_t intervalMs;
    std::uint32_t multiplierMs;
    std::uint32_t constantMs;
  };

  long Fail(long error);
  long ReadState(termios& options);
  long WriteState(const termios& options);
  long ClearModemLines(int lines);
  bool ModemLine(int line);

  int fd_ = -1;
  // Atomic: the receive thread waits and reads while another thread writes.
  std::atomic<long> lastError_{0};
  std::uint32_t eventType_ = 0;
  std::uint32_t eventMask_ = 0;
  ReadTimeouts readTimeouts_{};
  // Line error counters at the last GetError, to report only what is new.
  int framingErrors_ = 0;
  int overrunErrors_ = 0;
  int parityErrors_ = 0;
  int breaks_ = 0;
  int bufferOverruns_ = 0;
};
