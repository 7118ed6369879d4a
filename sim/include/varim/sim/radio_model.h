#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "varim/radio_message.h"
#include "varim/sim/control_head.h"
#include "varim/sim/radio_memory.h"
#include "varim/sim/radio_profile.h"
#include "varim/sim/sim_behaviour.h"

namespace varim::sim {

// What the simulated radio is tuned to and how its receiver is set.
struct WorkingChannel {
  std::uint8_t powerCode = 5;  // 2 low, 3 medium, 4 high, 5 max
  std::uint8_t sideband = 1;   // 0 LSB, 1 USB
  std::uint8_t bandwidth = 0;  // 0 "2700" ... 5 "2100"
  std::uint32_t txHz = 0;
  std::uint32_t rxHz = 0;
  std::uint8_t agc = 0;   // 0 slow, 1 fast, 255 off
  std::uint8_t mode = 0;  // 0 SSB, 1 PLT, 2 AME, 3 ISB
};

struct RadioState {
  enum class Link { kNone, kCalling, kUp, kIncoming };

  int activeChannel = 1;
  WorkingChannel current{};  // the channel as it is worked, with any frequency changes
  bool squelchOn = false;
  bool monitorOn = false;
  std::uint8_t notchIndex = 0;  // 0..12
  bool clipperOn = false;
  bool noiseBlankerOn = false;
  bool attenuatorOn = false;
  std::uint8_t clarifierSign = 0;  // 1 positive, 2 negative, anything else off
  std::uint8_t clarifierMagnitude = 0;
  std::uint8_t operationMode = 0;  // 0 channel, 1 ALE scan, 4 group scan
  std::uint8_t aleOnOff = 0;       // 1 on
  std::uint8_t scanGroup = 0;      // 0..4
  std::uint8_t scanRate = 2;
  int currentNet = 1;
  std::uint8_t volume = 128;
  std::uint8_t remoteMode = 0;
  bool specialReports = false;  // display reports on
  bool receiveLevelReports = false;
  bool txBarLevel = false;
  std::uint8_t transceiverMode[2] = {0, 0};
  bool pttOn = false;
  bool programming = false;  // between start and stop programming
  bool selfTesting = false;
  bool sounding = false;
  Link link = Link::kNone;
};

// The kinds of call a station can place to this radio.
enum class IncomingCall { kStation, kNet, kPriority, kStationOther };

// The radio's answers and state changes for the frames the program sends, without any line:
// its memory with the transfers in and out of it, its channels, receiver settings and modes,
// its control head and display reports, calls, self test and restarts. Things that take time
// (a call, the self test, a restart) are timers that Tick fires.
class RadioModel {
 public:
  using Clock = std::chrono::steady_clock;

  explicit RadioModel(RadioProfile profile = KnownProfiles().front());

  // Applies a request and returns the frames the radio sends in answer (often none).
  std::vector<CRadioMessage> Handle(const CRadioMessage& request, Clock::time_point now);
  std::vector<CRadioMessage> Handle(const CRadioMessage& request) {
    return Handle(request, Clock::now());
  }
  // The frames of the timers that are due.
  std::vector<CRadioMessage> Tick(Clock::time_point now);
  // When the next timer is due; max() when none.
  Clock::time_point NextTimer() const;
  // Restarting after a reset: the radio hears nothing.
  bool Offline(Clock::time_point now) const { return now < offlineUntil_; }

  // A station calls this radio.
  std::vector<CRadioMessage> ReceiveCall(IncomingCall kind, const std::string& address,
                                         const std::string& message, Clock::time_point now);
  // A key pressed on the radio's own head.
  std::vector<CRadioMessage> PressKey(int key, Clock::time_point now);

  // Replaces the memory (a programming stored for this radio's profile) and tunes channel 1.
  void Program(const RadioMemory& memory);
  // The next count memory writes are answered "not written".
  void RefuseWrites(int count) { refusedWrites_ += count; }
  SimBehaviour& Behaviour() { return behaviour_; }

  const RadioState& State() const { return state_; }
  const RadioMemory& Memory() const { return memory_; }
  const RadioProfile& Profile() const { return profile_; }
  const ControlHead& Head() const { return head_; }

  // The 16 bytes of the current-channel answer: channel, receive and transmit frequency,
  // mode, AGC, sideband, power and bandwidth.
  std::array<std::uint8_t, 16> CurrentChannelParameters() const;

 private:
  using Frames = std::vector<CRadioMessage>;
  struct Request;
  struct Handler {
    std::uint8_t opcode;
    void (*handle)(RadioModel& radio, const Request& request);
  };
  static const Handler kHandlers[];

  void Apply(const CRadioMessage& request, Clock::time_point now, Frames& out);
  void SelectChannel(int channel);
  void StepChannel(int direction);
  void Toggle(ControlHead::Function function);
  CRadioMessage ReadMemory(const std::uint8_t* request) const;
  CRadioMessage WriteMemory(const std::uint8_t* request, int dataCount);
  CRadioMessage ModeAnswer(std::uint8_t mode) const;
  void SetDspMenu(const std::uint8_t* settings);
  void ProgramMemory(const Request& in);
  void PressHeadKey(const Request& in);
  void StartBidirectional(Clock::time_point now);
  void SwitchSounding(const Request& in);
  void AcceptIncomingLink();
  void ReplaceLinkChannel(const Request& in);
  void PlaceCall(std::uint8_t opcode, Clock::time_point now);
  void EndLink(std::uint8_t how, Clock::time_point now, Frames& out);
  void StartSelfTest(std::uint8_t type, Clock::time_point now);
  void Restart(Clock::time_point now);
  void ShowBriefly(const std::string& text, Clock::time_point now);
  void After(Clock::time_point when, std::function<void(Frames&)> action);
  void ReportDisplay(Frames& out);

  RadioProfile profile_;
  RadioMemory memory_;
  RadioState state_;
  SimBehaviour behaviour_;
  ControlHead head_;
  int refusedWrites_ = 0;
  Clock::time_point offlineUntil_{};
  std::multimap<Clock::time_point, std::function<void(Frames&)>> timers_;
  // Timers of a call or a message belong to one generation; a newer one makes them void.
  int messageGeneration_ = 0;
};

// A frame from the radio with the opcode and data bytes given.
CRadioMessage MakeRadioFrame(std::uint8_t opcode, const std::vector<std::uint8_t>& data);

}  // namespace varim::sim
