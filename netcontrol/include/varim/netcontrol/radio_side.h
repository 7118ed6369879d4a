#pragma once

#include <cstdint>
#include <optional>

#include "varim/radio_records.h"

namespace varim::netcontrol {

// What network control asks of the radio. Every call waits for the radio and is made on the one
// thread that owns the radio's session; false or none when the radio did not take or answer it.
class RadioSide {
 public:
  virtual ~RadioSide() = default;

  // Whether the radio may be asked now. A program that shares the line with its operator says
  // no while the operator's own work (a read, a write, a test) has it; a transmit is still
  // switched off then.
  virtual bool Free() { return true; }

  virtual std::optional<std::uint32_t> ReceiveFrequencyHz() = 0;
  virtual bool TuneReceiver(int kHz) = 0;
  virtual bool TuneTransmitter(int kHz) = 0;
  // The channel the radio works on, with any changes made to it since it was selected.
  virtual std::optional<channel> WorkingChannel() = 0;
  // 0 LSB, 1 USB.
  virtual bool SelectSideband(std::uint8_t sideband) = 0;
  virtual bool Transmit(bool on) = 0;
};

}  // namespace varim::netcontrol
