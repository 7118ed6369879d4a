#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "varim/radio_message.h"
#include "varim/sim/radio_memory.h"
#include "varim/sim/radio_profile.h"

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
  int activeChannel = 1;
  WorkingChannel current{};  // the channel as it is worked, with any frequency changes
  bool squelchOn = false;
  std::uint8_t notchIndex = 0;  // 0..12
  bool clipperOn = false;
  bool noiseBlankerOn = false;
  bool attenuatorOn = false;
  std::uint8_t clarifierSign = 0;  // 1 positive, 2 negative, anything else off
  std::uint8_t clarifierMagnitude = 0;
  std::uint8_t operationMode = 0;  // 0..4
  std::uint8_t aleOnOff = 0;       // 1 on
  bool programming = false;        // between start and stop programming
};

// The radio's answers and state changes for the frames the program sends, without any line:
// its memory with the transfers in and out of it, its channels, receiver settings and modes.
class RadioModel {
 public:
  explicit RadioModel(RadioProfile profile = KnownProfiles().front());

  // Applies a request and returns the frames the radio answers with (often none).
  std::vector<CRadioMessage> Handle(const CRadioMessage& request);

  // Replaces the memory (a programming stored for this radio's profile) and tunes channel 1.
  void Program(const RadioMemory& memory);
  // The next count memory writes are answered "not written".
  void RefuseWrites(int count) { refusedWrites_ += count; }

  const RadioState& State() const { return state_; }
  const RadioMemory& Memory() const { return memory_; }
  const RadioProfile& Profile() const { return profile_; }

  // The 16 bytes of the current-channel answer: channel, receive and transmit frequency,
  // mode, AGC, sideband, power and bandwidth.
  std::array<std::uint8_t, 16> CurrentChannelParameters() const;

 private:
  void SelectChannel(int channel);
  CRadioMessage ReadMemory(const std::uint8_t* request) const;
  CRadioMessage WriteMemory(const std::uint8_t* request, int dataCount);
  CRadioMessage ModeAnswer(std::uint8_t mode) const;

  RadioProfile profile_;
  RadioMemory memory_;
  RadioState state_;
  int refusedWrites_ = 0;
};

// A frame from the radio with the opcode and data bytes given.
CRadioMessage MakeRadioFrame(std::uint8_t opcode, const std::vector<std::uint8_t>& data);

}  // namespace varim::sim
