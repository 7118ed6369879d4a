#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "varim/frame_trace.h"
#include "varim/radio_message.h"
#include "varim/sim/frame_assembler.h"
#include "varim/sim/line_faults.h"
#include "varim/sim/pseudo_terminal.h"
#include "varim/sim/radio_memory.h"
#include "varim/sim/radio_model.h"

namespace varim::sim {

struct SimOptions {
  // Decides how long the radio waits for the program's acknowledgement before it resends,
  // and the speed of a paced line.
  int baudRate = 9600;
  // A paced line moves each byte in 11 bit times in either direction, as a real line does;
  // an unpaced one as fast as the pseudo-terminal goes.
  bool paced = false;
  RadioProfile profile = KnownProfiles().front();
  // The radio's memory at power-on; a blank radio when absent.
  std::optional<RadioMemory> memory;
  // What the radio does at power-on; ChangeBehaviour changes it later.
  SimBehaviour behaviour;
  // Seeds the random line faults, so a run can be repeated.
  std::uint32_t seed = 1;
  // Given a line of text for every frame in either direction, with its time, when set
  // (varim/frame_trace.h: '>' what the radio took, '<' what it wrote).
  std::function<void(const std::string&)> trace;
};

// What went over the simulated line, counted from the radio's side.
struct LineStatistics {
  int framesReceived = 0;     // valid frames from the program, acknowledgements excluded
  int badFramesReceived = 0;  // refused for their checksum
  int acksSent = 0;
  int acksDropped = 0;
  int acksReceived = 0;
  int ownFrameWrites = 0;  // the radio's own frames, resends included
  int ownFramesAcknowledged = 0;
  int ownFramesGivenUp = 0;  // not acknowledged after five writes
  long bytesReceived = 0;    // every byte from the program, frames or not
  long bytesSent = 0;
};

// A radio on a pseudo-terminal: it acknowledges every valid frame, ignores frames with a bad
// checksum, answers the program's requests from its RadioModel, resends its own frames until
// they are acknowledged (five writes at most), and injects line faults on demand. It runs on a
// thread of its own; every public operation may be called from any other thread.
class SimulatedRadio {
 public:
  static constexpr int kMaxWrites = 5;
  using Clock = std::chrono::steady_clock;

  explicit SimulatedRadio(SimOptions options = {});
  ~SimulatedRadio();
  SimulatedRadio(const SimulatedRadio&) = delete;
  SimulatedRadio& operator=(const SimulatedRadio&) = delete;

  bool Start(std::string* error = nullptr);
  void Stop();
  // The device a program opens to talk to this radio.
  std::string DevicePath() const;

  // Line faults, applied to the next acknowledgements and frames the radio sends.
  void DropAcks(int count);
  void DelayAcks(int count, std::chrono::milliseconds delay);
  void CorruptFrames(int count);
  void GarbageBeforeNextFrame(std::vector<std::uint8_t> bytes);
  void PauseInsideNextFrame(std::chrono::milliseconds pause);
  // Switched off: the radio takes nothing and sends nothing, and forgets what it had to send.
  void SetSilent(bool silent);
  // The next count memory writes are answered "not written".
  void RefuseWriteChunks(int count);
  // The next count memory frames (answers to reads, or the program's writes as they arrive)
  // carry two wrong bytes that the checksum cannot see.
  void CorruptKeepingChecksum(int count);
  // Faults at random from now on (all zero: a clean line).
  void SetFaultRates(const FaultRates& rates);
  // The line goes dead for good, as when the cable is pulled.
  void HangUp();

  // What the radio does: call outcomes, link quality, refused commands, self-test results.
  void ChangeBehaviour(const std::function<void(SimBehaviour&)>& change);
  // A station calls this radio.
  void ReceiveCall(IncomingCall kind, const std::string& address, const std::string& message);
  // A key pressed on the radio's own control head.
  void PressKey(int key);

  // A frame the radio sends on its own, delivered with acknowledgement and resends.
  void SendFrame(const CRadioMessage& frame);
  // Bytes put on the line as they are, outside the frame rules.
  void WriteRaw(std::vector<std::uint8_t> bytes);

  LineStatistics Statistics() const;
  std::vector<CRadioMessage> ReceivedFrames() const;
  // Waits until the program has sent at least count valid frames.
  bool WaitForReceived(std::size_t count, std::chrono::milliseconds limit) const;
  // Waits until the radio's own frames are all acknowledged or given up.
  bool WaitUntilIdle(std::chrono::milliseconds limit) const;
  RadioState State() const;
  RadioMemory Memory() const;
  const RadioProfile& Profile() const { return options_.profile; }

 private:
  struct ScheduledWrite {
    Clock::time_point due;
    std::vector<std::uint8_t> bytes;
  };
  struct AwaitedFrame {
    CRadioMessage frame;
    int writes = 0;
    Clock::time_point deadline;
  };

  void Run();
  void Wake();
  void Send(std::vector<CRadioMessage> frames);
  void Trace(TraceDirection direction, bool badChecksum, const std::uint8_t* bytes,
             std::size_t count);
  void TakeInput(Clock::time_point now);
  void HandleArrivals(Clock::time_point now);
  Clock::duration LineTime(std::size_t bytes) const;
  void HandleFrame(const CRadioMessage& frame, Clock::time_point now);
  void StartNextOwnFrame(Clock::time_point now);
  void WriteOwnFrame(Clock::time_point now);
  void ScheduleWrite(std::vector<std::uint8_t> bytes, Clock::time_point notBefore);
  void ServeTimers(Clock::time_point now);
  void FlushDueWrites(Clock::time_point now);
  int MillisecondsToNextTimer(Clock::time_point now) const;
  bool Idle() const;

  const SimOptions options_;
  const std::chrono::milliseconds ackTimeout_;
  const Clock::duration byteTime_;
  PseudoTerminal pty_;
  int wakeFd_ = -1;
  std::thread thread_;
  std::atomic<bool> stopRequested_{false};

  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  RadioModel model_;
  LineFaults faults_;
  FrameAssembler assembler_;
  std::deque<ScheduledWrite> writes_;
  Clock::time_point lastDue_{};
  // Frames from the program wait here until a paced line would have delivered them.
  std::deque<std::pair<Clock::time_point, CRadioMessage>> arrivals_;
  Clock::time_point inputFreeAt_{};
  bool hungUp_ = false;
  std::deque<CRadioMessage> outbox_;
  std::optional<AwaitedFrame> awaited_;
  LineStatistics statistics_;
  std::vector<CRadioMessage> received_;
};

}  // namespace varim::sim
