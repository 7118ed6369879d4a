#pragma once

#include "varim/core/radio_session.h"
#include "varim/netcontrol/radio_side.h"

namespace varim::netcontrol {

// Network control's requests as the radio's own commands, over the program's session.
class SessionRadio : public RadioSide {
 public:
  explicit SessionRadio(core::RadioSession& session) : session_(session) {}

  std::optional<std::uint32_t> ReceiveFrequencyHz() override;
  bool TuneReceiver(int kHz) override;
  bool TuneTransmitter(int kHz) override;
  std::optional<channel> WorkingChannel() override;
  bool SelectSideband(std::uint8_t sideband) override;
  bool Transmit(bool on) override;

 private:
  core::RadioSession& session_;
};

}  // namespace varim::netcontrol
