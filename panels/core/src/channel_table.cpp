#include "varim/panels/channel_table.h"

#include "varim/byte_order.h"
#include "varim/db/channel_set.h"
#include "varim/db/value_lists.h"
#include "varim/panels/channel_fields.h"

namespace varim::panels {

namespace {

constexpr std::uint32_t kHighestReceive = 30'000'000;

std::string TextOf(varim::db::ValueList list, int code) {
  return varim::db::CodeToText(list, code);
}

}  // namespace

bool IsProgrammedChannel(const channel& entry) {
  const std::uint32_t tx = entry.tx_frequency;
  const std::uint32_t rx = entry.rx_frequency;
  return (tx != 0 || rx != 0) && rx <= kHighestReceive;
}

ChannelTableRow ChannelTableRowOf(const varim::db::RadioDatabases& databases, int number) {
  const channel& entry = databases.radio.channels[number - 1];
  ChannelTableRow row;
  row.cells[0] = std::to_string(number);
  row.programmed = IsProgrammedChannel(entry);
  if (!row.programmed) return row;
  namespace lists = varim::db::lists;
  row.cells[1] = FrequencyText(entry.tx_frequency);
  row.cells[2] = FrequencyText(entry.rx_frequency);
  row.cells[3] = TextOf(lists::kPower, entry.tx_power);
  row.cells[4] = TextOf(lists::kSideband, entry.sideband == 0 ? 0 : 1);
  row.cells[5] = TextOf(lists::kMode, entry.mode);
  row.cells[6] = TextOf(lists::kAgc, entry.agc);
  row.cells[7] = TextOf(lists::kBandwidth, entry.bandwidth);
  const int ccir = ReadBigEndian16(databases.channelNames.number[number - 1]);
  if (ccir != 0) row.cells[8] = std::to_string(ccir);
  return row;
}

std::string GroupSummary(const scan_group& group, int index) {
  int count = 0;
  for (int channel = 1; channel <= kMaxChannel; ++channel)
    count += varim::db::HasChannel(group.member_channels, channel) ? 1 : 0;
  const int guard = group.guard_channel;
  return std::string(1, static_cast<char>('A' + index)) + ": " + std::to_string(count) +
         (count == 1 ? " channel" : " channels") + ", guard " +
         (guard >= 1 && guard <= kMaxChannel ? std::to_string(guard) : "Off");
}

}  // namespace varim::panels
