#include "sample_database.h"

#include <cstdio>
#include <cstring>

#include "varim/byte_order.h"
#include "varim/db/channel_set.h"

namespace varim::db::testing {

namespace {

template <std::size_t N>
void Put(char (&field)[N], const char* text) {
  std::memset(field, 0, N);
  std::strncpy(field, text, N - 1);
}

template <std::size_t N, typename... Args>
void Format(char (&field)[N], const char* format, Args... args) {
  std::memset(field, 0, N);
  std::snprintf(field, N, format, args...);
}

void FillRadio(dbase& r) {
  Put(r.software_version, "03.010");
  std::memcpy(r.program_word, "PW1", 4);
  Put(r.serial_number, "VR2E004711");
  Put(r.radio_code, "HQ01NORTH");
  Put(r.hardware_version, "02.00");
  Put(r.control_head_software_version, "01.07");
  Put(r.control_head_hardware_version, "01.00");
  for (int i = 0; i < kRadioOptions; ++i) {
    Format(r.options[i].sw_version, "01.%02d", i);
    Put(r.options[i].hw_version, "01.00");
    r.options[i].status = (i == 1) ? 0 : static_cast<std::uint8_t>(i % 3 != 0);  // no "Delete LSB"
  }
  r.options[2].status = 1;  // noise blanker fitted
  for (int i = 0; i < 50; ++i) Format(r.ecn_list[i], "ECN %02d", i + 1);
  for (int i = 0; i < 6; ++i) Format(r.sp_list[i], "SP%d", i + 1);
  for (int g = 0; g < kGroups; ++g) {
    scan_group& group = r.groups[g];
    for (int c = 1 + g * 20; c <= 20 + g * 20; c += 1 + g) AddChannel(group.member_channels, c);
    group.guard_channel = g == 4 ? kNoChannel : static_cast<std::uint16_t>(1 + g * 20);
  }
  for (int n = 1; n <= kMaxChannel; ++n) {
    channel& c = r.channels[n - 1];
    // Spread over the HF band in 5 kHz steps, as a net plan would be.
    const std::uint32_t hz =
        1'600'000u + static_cast<std::uint32_t>(n) * 140'000u + 5'000u * (n % 7);
    c.tx_power = static_cast<std::uint8_t>(2 + n % 4);
    c.sideband = static_cast<std::uint8_t>(n % 5 == 0 ? 0 : 1);
    c.bandwidth = static_cast<std::uint8_t>(n % 6);
    c.tx_frequency = hz;
    c.rx_frequency = n % 9 == 0 ? hz + 1'000u : hz;
    c.agc = n % 10 == 0 ? 255 : static_cast<std::uint8_t>(n % 2);
    c.mode = static_cast<std::uint8_t>(n % 4);
  }
  radio_options& o = r.radio_options;
  o.priority_channel = 16;
  o.cw_ptt_hold = 15;
  o.scan_rate = 3;
  o.data_power_level = 4;
  o.alert_tone = 1;
  o.alternate_display_time = 7;
  o.accessory_side_tone = 1;
  o.microphone_side_tone = 0;
  o.beep_after_keyboard_press = 1;
  o.beep_after_ptt_release = 0;
  o.frequency_display = 1;
  o.baud_rate = 3;
  o.noise_blanker = 1;
  r.language = 2;
  r.accessory_installed = 1;
  r.tuner = 1;
}

void FillAle(ale_dbase& a) {
  for (int i = 0; i < kDirectoryEntries; ++i) Format(a.directory[i], "STN%03d", i + 1);
  for (int i = 0; i < kAleMessages; ++i)
    Format(a.messages[i], "QSY TO CHANNEL %d AT %02d00", i + 3, i);
  for (int k = 0; k < kNets; ++k) {
    ale_net& net = a.nets[k];
    Format(net.net_name, "NET%02d", k + 1);
    Format(net.self_address, "SELF%02d", k + 1);
    for (int j = 0; j < kNetMembers; ++j) {
      net.members[j] = j < 5    ? static_cast<std::uint8_t>((k * 5 + j) % kDirectoryEntries)
                       : j == 5 ? kOwnSelfAddress
                                : kNoEntry;
    }
    for (int c = 1 + k * 5; c <= 5 + k * 5; ++c) AddChannel(net.scanned_channels, c);
    net.all_call = static_cast<std::uint8_t>(k % 4);
    net.all_call_channel = static_cast<std::uint16_t>(1 + k * 5);
    net.tune_time = static_cast<std::uint8_t>(k % 21);
    net.silent = static_cast<std::uint8_t>(k % 2);
    net.home_ack = 1;
    net.monitor_ack = static_cast<std::uint8_t>(k % 2);
    net.scan_rate = k % 3 == 0 ? 5 : 2;
    net.master_slave = static_cast<std::uint8_t>(k == 0 ? 0 : 1);
    net.lqa_request = 1;
    net.sounding = static_cast<std::uint8_t>((k % 5) * 30);
    net.occupancy_check = static_cast<std::uint8_t>(k % 4 == 0 ? 0 : 3 + k);
  }
  ale_options& o = a.ale_options;
  o.ptt_timeout = 5;
  o.alert = 1;
  o.external_alarm = 0;
  o.auto_address = 1;
  o.quick_ptt_call = 0;
  o.min_lqa_score = 40;
  o.accept_link_timeout = 2;
  o.multinet = 1;
  o.anycall = 1;
  o.wildcard = 0;
  o.amd_message = 1;
  o.in_link = 0;
  for (int i = 0; i < kAutoDials; ++i) {
    a.auto_dials[i][0] = i < 8 ? static_cast<std::uint8_t>(i * 7) : kNoEntry;
    a.auto_dials[i][1] = i % 3 == 2 ? kNoEntry : static_cast<std::uint8_t>(i);
  }
}

void FillGlobalMembers(ale_dbase_global_members& g) {
  for (int k = 0; k < kNets; ++k) {
    Format(g.nets[k].global_members_name, "GLOBAL%02d", k + 1);
    for (int j = 0; j < kGlobalMembers; ++j) {
      g.nets[k].global_members[j] =
          j < 4 ? static_cast<std::uint8_t>((k + j * 11) % kDirectoryEntries | (j == 0 ? 0x80 : 0))
                : kNoEntry;
    }
  }
}

void FillCcir(ccir_dbase& c, channel_name& names) {
  WriteBigEndian16(c.four_digit_id, 4711);
  WriteBigEndian32(c.six_digit_id, 123456);
  for (int i = 0; i < kCcirDirectoryEntries; ++i)
    WriteBigEndian32(c.ccir_directory[i],
                     i % 4 == 3 ? 0 : static_cast<std::uint32_t>(200000 + i * 37));
  Put(c.message1, "EMERGENCY CALL");
  Put(c.message2, "RETURN TO BASE");
  c.preamble = 6;
  c.beacon = 2;
  c.alarm = 1;
  for (int n = 1; n <= kMaxChannel; ++n)
    WriteBigEndian16(names.number[n - 1], static_cast<std::uint16_t>(n % 11 == 0 ? 0 : 400 + n));
}

}  // namespace

SampleDatabase MakeSampleDatabase() {
  SampleDatabase sample;
  std::memset(&sample, 0, sizeof sample);
  FillRadio(sample.radio);
  FillAle(sample.ale);
  FillGlobalMembers(sample.globalMembers);
  sample.extraOptions = {1, 0, 1, 0};
  FillCcir(sample.ccir, sample.channelNames);
  return sample;
}

}  // namespace varim::db::testing
