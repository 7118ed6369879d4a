#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "varim/radio_message.h"

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
  static constexpr int kChannels = 200;

  int activeChannel = 1;
  std::array<WorkingChannel, kChannels + 1> channels{};  // index 1..200; 0 unused
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
};

// The radio's answers and state changes for the frames the program sends, without any line.
class RadioModel {
 public:
  // A radio with a handful of channels programmed on real HF frequencies, on channel 1.
  RadioModel();

  // Applies a request and returns the frames the radio answers with (often none).
  std::vector<CRadioMessage> Handle(const CRadioMessage& request);

  const RadioState& State() const { return state_; }
  RadioState& MutableState() { return state_; }

  // The 16 bytes of the current-channel answer: channel, receive and transmit frequency,
  // mode, AGC, sideband, power and bandwidth.
  std::array<std::uint8_t, 16> CurrentChannelParameters() const;

 private:
  void SelectChannel(int channel);

  RadioState state_;
};

// A frame from the radio with the opcode and data bytes given.
CRadioMessage MakeRadioFrame(std::uint8_t opcode, const std::vector<std::uint8_t>& data);

}  // namespace varim::sim
