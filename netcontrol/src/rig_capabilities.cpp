#include "varim/netcontrol/rig_capabilities.h"

#include <cstdio>
#include <initializer_list>

namespace varim::netcontrol {

namespace {

// Hamlib's mode bits.
constexpr unsigned kAm = 1u << 0;
constexpr unsigned kCw = 1u << 1;
constexpr unsigned kUsb = 1u << 2;
constexpr unsigned kLsb = 1u << 3;
constexpr unsigned kAllModes = kAm | kCw | kUsb | kLsb;
constexpr unsigned kVfoA = 1u << 0;
constexpr unsigned kAntenna1 = 1u << 0;
// Hamlib's PTT type for a radio keyed by command.
constexpr int kPttByCommand = 1;
// The version of the protocol whose settings end with "done".
constexpr int kProtocolVersion = 1;
constexpr int kNetRigctlModel = 2;
// The radio's lowest and highest output power, in milliwatts.
constexpr long kLowestPowerMilliwatts = 25'000;
constexpr long kHighestPowerMilliwatts = 150'000;
constexpr int kTuningStepHz = 1000;
// The channel filters given in hertz, the usual one first: Hamlib takes the first one listed
// for a mode as its normal width.
constexpr int kFilterWidthsHz[] = {2700, 2100, 3000, 3300};

std::string Format(const char* format, auto... values) {
  char line[128];
  std::snprintf(line, sizeof line, format, values...);
  return line;
}

std::string Range(int lowestKHz, long lowestPower, long highestPower) {
  return Format("%d000.000000 %d000.000000 0x%x %ld %ld 0x%x 0x%x", lowestKHz, kHighestKHz,
                kAllModes, lowestPower, highestPower, kVfoA, kAntenna1);
}

}  // namespace

std::vector<std::string> DumpState() {
  constexpr char kEndOfRanges[] = "0 0 0 0 0 0 0";
  constexpr char kEndOfList[] = "0 0";
  std::vector<std::string> lines = {
      std::to_string(kProtocolVersion),
      std::to_string(kNetRigctlModel),
      "0",  // ITU region
      // A receive range has no power.
      Range(kLowestReceiveKHz, -1, -1),
      kEndOfRanges,
      Range(kLowestTransmitKHz, kLowestPowerMilliwatts, kHighestPowerMilliwatts),
      kEndOfRanges,
      Format("0x%x %d", kAllModes, kTuningStepHz),
      kEndOfList,
  };
  for (const int width : kFilterWidthsHz)
    lines.push_back(Format("0x%x %d", kUsb | kLsb | kAm, width));
  lines.push_back(kEndOfList);
  // No RIT, XIT, IF shift or announcements, no preamplifiers or attenuators, and no functions,
  // levels or parameters to read or set.
  for (const char* none : {"0", "0", "0", "0", "", "", "0x0", "0x0", "0x0", "0x0", "0x0", "0x0"})
    lines.push_back(none);
  lines.push_back("vfo_ops=0x0");
  lines.push_back(Format("ptt_type=0x%x", kPttByCommand));
  for (const char* setting :
       {"targetable_vfo=0x0", "has_set_vfo=0", "has_get_vfo=1", "has_set_freq=1", "has_get_freq=1",
        "has_set_conf=0", "has_get_conf=0", "has_power2mW=0", "has_mW2power=0", "done"})
    lines.push_back(setting);
  return lines;
}

std::vector<std::string> DumpCaps() {
  return {
      "Model name:\tVARIM HF radio",
      "Mfg name:\tVARIM",
      "Rig type:\tTransceiver",
      "PTT type:\tRig capable",
      Format("Receive range:\t%d kHz to %d kHz", kLowestReceiveKHz, kHighestKHz),
      Format("Transmit range:\t%d kHz to %d kHz", kLowestTransmitKHz, kHighestKHz),
      Format("Tuning step:\t%d Hz", kTuningStepHz),
      "Modes:\tAM CW USB LSB",
      "VFOs:\tVFOA",
      "Split:\tN",
      "Can set Frequency:\tY",
      "Can get Frequency:\tY",
      "Can set Mode:\tY",
      "Can get Mode:\tY",
      "Can set PTT:\tY",
      "Can get PTT:\tY",
  };
}

}  // namespace varim::netcontrol
