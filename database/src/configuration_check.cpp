#include "varim/db/configuration_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "varim/db/channel_set.h"
#include "varim/db/record_rules.h"

namespace varim::db {
namespace {

// What the RSS check reports, in the order its rules run.
enum class RssFinding { kPriority, kGuard, kMember, kAllCall, kScanned };

// One row per RssFinding: the format and the texts around the channel number and the group
// letter or net number; the priority format has no second number and uses two of the texts.
struct RssMessage {
  const char* format;
  const char* parts[3];
};

constexpr RssMessage kRssMessages[] = {
    {"%s %d %s", {"Priority channel", "is not programmed.", ""}},
    {"%s %d %s %c %s", {"Guard channel", "for group", "is not programmed."}},
    {"%s %d %s %c %s", {"Channel", "in group", "selected but not programmed."}},
    {"%s %d %s %d %s", {"Channel", "is All Call channel in net no.", "but not programmed."}},
    {"%s %d %s %d %s", {"Channel", "is scanned channel in net no.", "but not programmed."}},
};

// What the ALE check reports: pass 1 finds kinds up to kNoSelfAddress, pass 2 the rest.
enum class AleFinding {
  kNoNetName,
  kNoScannedChannels,
  kNoSelfAddress,
  kNameIsSelfAddress,
  kNameInDirectory,
  kSelfAddressInDirectory,
  kNoGlobalName,
};

// One format per AleFinding: a net number, then the colliding text, then a second net number.
constexpr const char* kAleFormats[] = {
    "Net no. %d does not have Net Name.",
    "Net no. %d does not have Scanned Channels.",
    "Net no. %d does not have Self Address.",
    "Net no. %d Self Address ('%s') defined as Net no. %d Net Name",
    "Net no. %d Net Name ('%s') defined in the Directory",
    "Net no. %d Self Address ('%s') defined in the Directory",
    "Net no. %d no ALE global name",
};

// Every format takes its arguments in the same positions, so a shorter format simply leaves
// the trailing ones unused (which printf allows).
template <typename... Args>
std::string Format(const char* format, Args... args) {
  const int length = std::snprintf(nullptr, 0, format, args...);
  std::string text(static_cast<std::size_t>(length), '\0');
  std::snprintf(text.data(), text.size() + 1, format, args...);
  return text;
}

void Report(std::vector<std::string>& messages, RssFinding kind, int channel, int second) {
  const RssMessage& row = kRssMessages[static_cast<std::size_t>(kind)];
  messages.push_back(Format(row.format, row.parts[0], channel, row.parts[1], second, row.parts[2]));
}

void Report(std::vector<std::string>& messages, AleFinding kind, int net,
            const std::string& text = {}, int secondNet = 0) {
  messages.push_back(
      Format(kAleFormats[static_cast<std::size_t>(kind)], net, text.c_str(), secondNet));
}

int GroupLetter(int group) {
  return 'A' + group;
}

// The text of a fixed-width field ends at its first zero or, when it has none, at the end of
// the field; the next field is never part of it.
template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
  return std::string(field, std::find(field, field + N, '\0'));
}

bool NetHasMembers(const ale_net& net) {
  return std::any_of(std::begin(net.members), std::end(net.members),
                     [](std::uint8_t member) { return member != kNoEntry; });
}

bool InDirectory(const ale_dbase& ale, const std::string& text) {
  return std::any_of(std::begin(ale.directory), std::end(ale.directory),
                     [&text](const char(&address)[16]) { return FieldText(address) == text; });
}

}  // namespace

std::vector<std::string> CheckRssConfiguration(const dbase& radio, const ale_dbase& ale) {
  std::vector<std::string> messages;

  const int priority = radio.radio_options.priority_channel;
  if (!ChannelProgrammed(radio, priority)) Report(messages, RssFinding::kPriority, priority, 0);

  for (int g = 0; g < kGroups; ++g) {
    const int guard = radio.groups[g].guard_channel;
    if (guard != kNoChannel && !ChannelProgrammed(radio, guard)) {
      Report(messages, RssFinding::kGuard, guard, GroupLetter(g));
    }
  }

  // The guard already has a finding of its own when it is not programmed.
  for (int g = 0; g < kGroups; ++g) {
    const scan_group& group = radio.groups[g];
    const int guard = group.guard_channel;
    for (int c = 1; c <= kMaxChannel; ++c) {
      if (c != guard && HasChannel(group.member_channels, c) && !ChannelProgrammed(radio, c)) {
        Report(messages, RssFinding::kMember, c, GroupLetter(g));
      }
    }
  }

  for (int n = 1; n <= kNets; ++n) {
    const int allCall = ale.nets[n - 1].all_call_channel;
    if (allCall != kNoChannel && !ChannelProgrammed(radio, allCall)) {
      Report(messages, RssFinding::kAllCall, allCall, n);
    }
  }

  // The All Call channel is among the scanned ones and already has a finding of its own.
  for (int n = 1; n <= kNets; ++n) {
    const ale_net& net = ale.nets[n - 1];
    const int allCall = net.all_call_channel;
    for (int c = 1; c <= kMaxChannel; ++c) {
      if (c != allCall && HasChannel(net.scanned_channels, c) && !ChannelProgrammed(radio, c)) {
        Report(messages, RssFinding::kScanned, c, n);
      }
    }
  }
  return messages;
}

AleCheckResult CheckAleConfiguration(const ale_dbase& ale,
                                     const ale_dbase_global_members& globalMembers,
                                     bool globalAlePresent) {
  AleCheckResult result;
  std::vector<std::string>& messages = result.messages;

  for (int n = 1; n <= kNets; ++n) {
    const ale_net& net = ale.nets[n - 1];
    const bool hasName = !FieldText(net.net_name).empty();
    const bool hasSelfAddress = !FieldText(net.self_address).empty();
    const bool hasScanned = NetHasScannedChannels(net);
    const bool hasMembers = NetHasMembers(net);

    if (hasMembers && !hasName) Report(messages, AleFinding::kNoNetName, n);
    bool inUse = hasName || hasMembers;
    if (hasSelfAddress) {
      if (!hasScanned) Report(messages, AleFinding::kNoScannedChannels, n);
      inUse = true;
    } else if (hasScanned) {
      Report(messages, AleFinding::kNoSelfAddress, n);
      inUse = true;
    } else if (inUse) {
      Report(messages, AleFinding::kNoScannedChannels, n);
      Report(messages, AleFinding::kNoSelfAddress, n);
    }
    result.aleNetInUse = result.aleNetInUse || inUse;
  }

  for (int n = 1; n <= kNets; ++n) {
    const ale_net& net = ale.nets[n - 1];
    const std::string name = FieldText(net.net_name);
    if (!name.empty()) {
      for (int k = 1; k <= kNets; ++k) {
        if (FieldText(ale.nets[k - 1].self_address) == name) {
          Report(messages, AleFinding::kNameIsSelfAddress, k, name, n);
          break;
        }
      }
      if (InDirectory(ale, name)) Report(messages, AleFinding::kNameInDirectory, n, name);
    }

    const std::string selfAddress = FieldText(net.self_address);
    if (!selfAddress.empty() && InDirectory(ale, selfAddress)) {
      Report(messages, AleFinding::kSelfAddressInDirectory, n, selfAddress);
    }

    const global_members_entry& global = globalMembers.nets[n - 1];
    if (globalAlePresent && FieldText(global.global_members_name).empty() &&
        global.global_members[0] != kNoEntry) {
      Report(messages, AleFinding::kNoGlobalName, n);
    }
  }
  return result;
}

ConfigurationReport CheckConfiguration(const dbase& radio, const ale_dbase& ale,
                                       const ale_dbase_global_members& globalMembers,
                                       bool globalAlePresent) {
  ConfigurationReport report;
  report.rssMessages = CheckRssConfiguration(radio, ale);
  AleCheckResult aleResult = CheckAleConfiguration(ale, globalMembers, globalAlePresent);
  report.aleMessages = std::move(aleResult.messages);
  report.aleNetInUse = aleResult.aleNetInUse;
  report.configurationValid = report.rssMessages.empty() && report.aleMessages.empty();
  return report;
}

}  // namespace varim::db
