#include "varim/db/normalise.h"

#include <algorithm>
#include <cstring>

#include "varim/db/channel_set.h"

namespace varim::db {

namespace {

// Option entries that act on the rest of the record.
constexpr int kDeleteLsbOption = 1;
constexpr int kNoiseBlankerOption = 2;

constexpr std::uint32_t kMinTxHz = 1'600'000;
constexpr std::uint32_t kMinRxHz = 100'000;
constexpr std::uint32_t kMaxHz = 30'000'000;

void Clamp(std::uint8_t& field, int low, int high, std::uint8_t fallback) {
  if (field < low || field > high) field = fallback;
}

void ClampTo(std::uint8_t& field, std::initializer_list<int> allowed, std::uint8_t fallback) {
  if (std::find(allowed.begin(), allowed.end(), field) == allowed.end()) field = fallback;
}

template <std::size_t N>
void NormaliseText(char (&field)[N], std::string_view allowed) {
  varim::db::NormaliseText(field, N, allowed);
}

// The program word is a 4-byte text without a charset.
void NormaliseProgramWord(std::uint8_t (&word)[4]) {
  const auto* zero = static_cast<const std::uint8_t*>(std::memchr(word, 0, 4));
  if (zero == nullptr) {
    word[3] = 0;
    return;
  }
  std::fill(word + (zero - word), word + 4, 0);
}

void NormaliseChannel(channel& c) {
  Clamp(c.tx_power, 2, 5, 5);
  Clamp(c.sideband, 0, 1, 1);
  Clamp(c.bandwidth, 1, 5, 0);
  const std::uint32_t tx = c.tx_frequency;
  if (tx < kMinTxHz || tx > kMaxHz) c.tx_frequency = 0;
  const std::uint32_t rx = c.rx_frequency;
  if (rx < kMinRxHz || rx > kMaxHz) c.rx_frequency = 0;
  ClampTo(c.agc, {0, 1, 255}, 0);
  Clamp(c.mode, 0, 3, 0);
}

void NormaliseRadioOptions(radio_options& o) {
  const int priority = o.priority_channel;
  if (priority < 1 || priority > kMaxChannel) o.priority_channel = 1;
  ClampTo(o.cw_ptt_hold, {15, 50}, 50);
  Clamp(o.scan_rate, 1, 5, 2);
  Clamp(o.data_power_level, 2, 5, 5);
  Clamp(o.alert_tone, 0, 1, 0);
  Clamp(o.alternate_display_time, 1, 10, 5);
  Clamp(o.accessory_side_tone, 0, 1, 0);
  Clamp(o.microphone_side_tone, 0, 1, 0);
  Clamp(o.beep_after_keyboard_press, 0, 1, 1);
  Clamp(o.beep_after_ptt_release, 0, 1, 1);
  Clamp(o.frequency_display, 0, 1, 1);
  Clamp(o.baud_rate, 0, 3, 3);
  Clamp(o.noise_blanker, 0, 1, 1);
}

void NormaliseNetFields(ale_net& net) {
  for (std::uint8_t& member : net.members) {
    // A member beyond the directory would name an entry that does not exist.
    if (member >= kDirectoryEntries && member != kOwnSelfAddress) member = kNoEntry;
  }
  Clamp(net.all_call, 0, 3, 3);
  Clamp(net.tune_time, 0, 20, 0);
  Clamp(net.silent, 0, 1, 1);
  Clamp(net.home_ack, 0, 1, 1);
  Clamp(net.monitor_ack, 0, 1, 1);
  ClampTo(net.scan_rate, {2, 5}, 2);
  Clamp(net.master_slave, 0, 1, 0);
  Clamp(net.lqa_request, 0, 1, 1);
  ClampTo(net.sounding, {0, 30, 60, 90, 120}, 0);
  if (net.occupancy_check != 0) Clamp(net.occupancy_check, 3, 30, 0);
}

void NormaliseAleOptions(ale_options& o) {
  Clamp(o.ptt_timeout, 0, 10, 0);
  Clamp(o.alert, 0, 1, 1);
  Clamp(o.external_alarm, 0, 1, 1);
  Clamp(o.auto_address, 0, 1, 1);
  Clamp(o.quick_ptt_call, 0, 1, 1);
  Clamp(o.min_lqa_score, 0, 100, 0);
  Clamp(o.accept_link_timeout, 0, 2, 0);
  Clamp(o.multinet, 0, 1, 0);
  Clamp(o.anycall, 0, 1, 1);
  Clamp(o.wildcard, 0, 1, 1);
  Clamp(o.amd_message, 0, 1, 1);
  Clamp(o.in_link, 0, 1, 0);
}

}  // namespace

void NormaliseText(char* field, std::size_t width, std::string_view allowed) {
  if (width == 0) return;
  if (std::memchr(field, '\0', width) == nullptr) field[width - 1] = '\0';
  std::size_t kept = 0;
  for (std::size_t i = 0; i < width && field[i] != '\0'; ++i) {
    if (allowed.find(field[i]) != std::string_view::npos) field[kept++] = field[i];
  }
  std::fill(field + kept, field + width, '\0');
}

bool NormaliseGroup(scan_group& group) {
  const scan_group before = group;
  if (!(group.guard_channel >= 1 && group.guard_channel <= kMaxChannel &&
        HasChannel(group.member_channels, group.guard_channel))) {
    group.guard_channel = kNoChannel;
  }
  NormaliseChannelSet(group.member_channels);
  std::fill(std::begin(group.reserved), std::end(group.reserved), 0);
  return std::memcmp(&before, &group, sizeof group) != 0;
}

bool NormaliseNetChannels(ale_net& net) {
  const ale_net before = net;
  const int allCall = net.all_call_channel;
  if (!(allCall >= 1 && allCall <= kMaxChannel && HasChannel(net.scanned_channels, allCall))) {
    net.all_call_channel = kNoChannel;
  }
  NormaliseChannelSet(net.scanned_channels);
  return std::memcmp(&before, &net, sizeof net) != 0;
}

void NormaliseRadioDatabase(dbase& radio) {
  NormaliseText(radio.software_version, charset::kVersion);
  NormaliseProgramWord(radio.program_word);
  NormaliseText(radio.serial_number, charset::kAlnum);
  NormaliseText(radio.radio_code, charset::kAlnum);
  NormaliseText(radio.hardware_version, charset::kVersion);
  NormaliseText(radio.control_head_software_version, charset::kVersion);
  NormaliseText(radio.control_head_hardware_version, charset::kVersion);
  for (radio_option& option : radio.options) {
    NormaliseText(option.sw_version, charset::kVersion);
    NormaliseText(option.hw_version, charset::kVersion);
    Clamp(option.status, 0, 1, 0);
  }
  for (auto& ecn : radio.ecn_list) NormaliseText(ecn, charset::kAlnumSpace);
  for (auto& sp : radio.sp_list) NormaliseText(sp, charset::kAlnum);
  std::fill(std::begin(radio.reserved_1222), std::end(radio.reserved_1222), 0);
  for (scan_group& group : radio.groups) NormaliseGroup(group);
  for (channel& c : radio.channels) NormaliseChannel(c);
  for (auto& band : radio.band_settings) {
    Clamp(band[0], 0, 60, 30);
    Clamp(band[1], 0, 70, 35);
    for (int i = 2; i < 6; ++i) Clamp(band[i], 0, 127, 63);
  }
  if (radio.service_word > 4095) radio.service_word = 2047;
  Clamp(radio.service_byte, 0, 127, 63);
  NormaliseRadioOptions(radio.radio_options);
  Clamp(radio.accessory_installed, 0, 3, 0);
  Clamp(radio.tuner, 0, 1, 0);
  if (radio.options[kDeleteLsbOption].status == 1) {
    for (channel& c : radio.channels) c.sideband = 1;
  }
  if (radio.options[kNoiseBlankerOption].status != 1) radio.radio_options.noise_blanker = 0;
}

void NormaliseAleDatabase(ale_dbase& ale) {
  for (ale_net& net : ale.nets) {
    NormaliseText(net.net_name, charset::kAlnum);
    NormaliseText(net.self_address, charset::kAlnum);
    NormaliseNetChannels(net);
    NormaliseNetFields(net);
  }
  NormaliseAleOptions(ale.ale_options);
  for (auto& address : ale.directory) NormaliseText(address, charset::kAlnum);
  for (auto& message : ale.messages) NormaliseText(message, charset::kAlnumSpace);
  for (auto& dial : ale.auto_dials) {
    if (dial[0] >= kDirectoryEntries) dial[0] = kNoEntry;
    if (dial[1] >= kAleMessages) dial[1] = kNoEntry;
  }
}

}  // namespace varim::db
