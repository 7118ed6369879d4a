#include "channel_commands.h"

#include <cstdio>

#include "session_link.h"
#include "varim/panels/channel_control.h"
#include "varim/radio_commands.h"
#include "varim/radio_opcodes.h"

namespace varimctl {

namespace {

using varim::panels::ChannelControl;
using varim::panels::ChannelSetting;
using ScanMode = ChannelControl::ScanMode;

constexpr int kFirstNet = 1;
constexpr int kLastNet = 20;
constexpr char kFirstGroup = 'A';
constexpr char kLastGroup = 'E';

const char* ChoiceText(const channel& record, ChannelSetting field) {
  channel copy = record;
  // ISB is shown whatever the radio reports of it: the channel holds what it holds.
  const int row = varim::panels::RowOfCode(field, varim::panels::FieldOf(copy, field), true);
  return row < 0 ? "?" : varim::panels::ChoicesOf(field, true)[static_cast<std::size_t>(row)].text;
}

int ActiveChannel(varim::core::RadioSession& session) {
  CRadioMessage request, answer;
  ReportActiveChannel(&request);
  if (!session.Request(request, answer::kActiveChannel, answer)) return 0;
  return answer.GetData()[1];
}

}  // namespace

int RunChannel(const LinkOptions& options, std::optional<int> number, std::ostream& out,
               std::ostream& err) {
  Link link(err, false);
  if (!link.Open(options, err)) return kExitPortUnavailable;
  channel current{};
  if (number) {
    if (!ChannelControl::SwitchRadio(link.session, *number, current)) return kExitNoResponse;
  } else {
    number = ActiveChannel(link.session);
    if (*number == 0 || !link.session.ReadCurrentChannel(current)) return kExitNoResponse;
  }
  out << "channel " << *number << "  tx " << varim::panels::FrequencyText(current.tx_frequency)
      << " MHz  rx " << varim::panels::FrequencyText(current.rx_frequency) << " MHz  "
      << ChoiceText(current, ChannelSetting::kPower) << "  "
      << ChoiceText(current, ChannelSetting::kBand) << "  "
      << ChoiceText(current, ChannelSetting::kMode) << "  AGC "
      << ChoiceText(current, ChannelSetting::kAgc) << "  BW "
      << ChoiceText(current, ChannelSetting::kBandwidth) << "\n";
  return kExitOk;
}

int RunScan(const LinkOptions& options, const ScanRequest& request, std::ostream& out,
            std::ostream& err) {
  if (request.group && request.net) {
    err << "varimctl: scan takes a group or a net, not both\n";
    return kExitUsage;
  }
  if (request.group && (request.group->size() != 1 || (*request.group)[0] < kFirstGroup ||
                        (*request.group)[0] > kLastGroup)) {
    err << "varimctl: '" << *request.group << "' is no scan group (A-E)\n";
    return kExitUsage;
  }
  if (request.net && (*request.net < kFirstNet || *request.net > kLastNet)) {
    err << "varimctl: " << *request.net << " is no net (1-20)\n";
    return kExitUsage;
  }
  Link link(err, false);
  if (!link.Open(options, err)) return kExitPortUnavailable;
  std::optional<ScanMode> mode;
  if (request.group) mode = ScanMode::kGroups;
  if (request.net) mode = ScanMode::kAle;
  if (!mode) mode = ChannelControl::AskScanMode(link.session);
  if (!mode) return kExitNoResponse;
  const int where = *mode == ScanMode::kGroups
                        ? (request.group ? (*request.group)[0] - kFirstGroup : 0)
                        : request.net.value_or(kFirstNet);
  if (!ChannelControl::SendScan(link.session, *mode, request.start, where)) return kExitNoResponse;
  if (!request.start) {
    out << "scanning stopped\n";
  } else if (*mode == ScanMode::kGroups) {
    out << "scanning group " << static_cast<char>(kFirstGroup + where) << "\n";
  } else {
    out << "scanning net " << where << "\n";
  }
  return kExitOk;
}

}  // namespace varimctl
