#pragma once

namespace varim::netcontrol {

// The number a Hamlib client reads after "RPRT": 0 for success, else the negated Hamlib error
// number it turns into its own error text ("Invalid parameter", "Protocol error" ...).
enum class HamlibStatus : int {
  kOk = 0,
  kInvalidParameter = -1,
  kTimedOut = -5,
  kProtocolError = -8,
  kNotAvailable = -11,
  // "Communication bus collision": the program that owns the line is using it for itself.
  kBusBusy = -14,
};

}  // namespace varim::netcontrol
