#pragma once

#include <cstddef>
#include <cstdint>

// The radio's programmable memory as the program holds it: packed byte images, moved to and
// from the radio and the database files unchanged. Offsets are part of the format.
//
// Multi-byte numbers of `dbase` and `ale_dbase` are held in host order (the transfer converts
// them); those of `ccir_dbase` and `channel_name` stay in the radio's big-endian order and are
// kept as bytes, read and written through the helpers in byte_order.h.

inline constexpr int kMaxChannel = 200;
inline constexpr int kGroups = 5;
inline constexpr int kRadioOptions = 15;
inline constexpr int kNets = 20;
inline constexpr int kNetMembers = 16;
inline constexpr int kDirectoryEntries = 100;
inline constexpr int kAleMessages = 10;
inline constexpr int kAutoDials = 10;
inline constexpr int kGlobalMembers = 20;
inline constexpr int kCcirDirectoryEntries = 100;
inline constexpr int kChannelSetBytes = 26;
inline constexpr std::uint16_t kNoChannel = 0xFFFF;
inline constexpr std::uint8_t kNoEntry = 255;
inline constexpr std::uint8_t kOwnSelfAddress = 254;  // a net member that is the net itself

#pragma pack(push, 1)

struct radio_option {
  char sw_version[8];
  char hw_version[8];
  std::uint8_t status;  // 0 disabled, 1 enabled
};

// The radio-wide information: versions, program word, identity and the option list.
struct wide_i {
  char software_version[8];
  std::uint8_t program_word[4];
  char serial_number[16];
  char radio_code[16];
  char hardware_version[8];
  char control_head_software_version[8];
  char control_head_hardware_version[8];
  radio_option options[kRadioOptions];
};

struct scan_group {
  std::uint16_t guard_channel;  // kNoChannel: no guard channel
  std::uint8_t member_channels[kChannelSetBytes];
  std::uint8_t reserved[33];
};

struct channel {
  std::uint8_t tx_power;       // 2 low, 3 medium, 4 high, 5 max
  std::uint8_t sideband;       // 0 LSB, 1 USB
  std::uint8_t bandwidth;      // 0 2700, 1 3300, 2 LSM, 3 CW, 4 3000, 5 2100
  std::uint32_t tx_frequency;  // hertz, 0 = none
  std::uint32_t rx_frequency;  // hertz, 0 = none
  std::uint8_t agc;            // 0 slow, 1 fast, 255 off
  std::uint8_t mode;           // 0 SSB, 1 PLT, 2 AME, 3 ISB
};

struct radio_options {
  std::uint16_t priority_channel;
  std::uint8_t cw_ptt_hold;
  std::uint8_t scan_rate;
  std::uint8_t data_power_level;
  std::uint8_t alert_tone;
  std::uint8_t alternate_display_time;
  std::uint8_t accessory_side_tone;
  std::uint8_t microphone_side_tone;
  std::uint8_t beep_after_keyboard_press;
  std::uint8_t beep_after_ptt_release;
  std::uint8_t frequency_display;
  std::uint8_t baud_rate;  // 0 1200, 1 2400, 2 4800, 3 9600
  std::uint8_t noise_blanker;
};

struct dbase {
  char software_version[8];
  std::uint8_t program_word[4];
  char serial_number[16];
  char radio_code[16];
  char hardware_version[8];
  char control_head_software_version[8];
  char control_head_hardware_version[8];
  radio_option options[kRadioOptions];
  char ecn_list[50][16];
  char sp_list[6][16];
  std::uint8_t reserved_1219[2];
  std::uint8_t language;  // 0 ENGLISH, 1 FRENCH, 2 SPANISH, 3 BAHASA
  std::uint8_t reserved_1222[48];
  std::uint8_t band_settings[10][6];
  std::uint16_t service_word;
  std::uint8_t service_byte;
  std::uint8_t reserved_1333[50];
  scan_group groups[kGroups];
  channel channels[kMaxChannel];
  struct radio_options radio_options;
  std::uint8_t accessory_installed;
  std::uint8_t tuner;
};

struct ale_net {
  char net_name[16];
  char self_address[16];
  std::uint8_t members[kNetMembers];  // directory index, kOwnSelfAddress or kNoEntry
  std::uint8_t all_call;              // 0 none, 1 send, 2 receive, 3 send and receive
  std::uint16_t all_call_channel;     // kNoChannel: none
  std::uint8_t tune_time;
  std::uint8_t silent;  // 1 "No", 0 "Yes"
  std::uint8_t home_ack;
  std::uint8_t monitor_ack;
  std::uint8_t scan_rate;
  std::uint8_t master_slave;
  std::uint8_t lqa_request;
  std::uint8_t sounding;
  std::uint8_t occupancy_check;
  std::uint8_t scanned_channels[kChannelSetBytes];
  std::uint8_t reserved[5];
};

struct ale_options {
  std::uint8_t ptt_timeout;
  std::uint8_t alert;
  std::uint8_t external_alarm;
  std::uint8_t auto_address;
  std::uint8_t quick_ptt_call;
  std::uint8_t min_lqa_score;
  std::uint8_t accept_link_timeout;
  std::uint8_t multinet;
  std::uint8_t anycall;
  std::uint8_t wildcard;
  std::uint8_t amd_message;
  std::uint8_t in_link;
};

struct ale_dbase {
  ale_net nets[kNets];
  struct ale_options ale_options;
  char directory[kDirectoryEntries][16];
  std::uint8_t auto_dials[kAutoDials][2];  // directory index, message index; kNoEntry = none
  std::uint8_t ale_program_word[4];
  std::uint8_t reserved_3456;
  char messages[kAleMessages][91];
  std::uint8_t reserved_4367[10];
};

struct ccir_dbase {
  std::uint8_t four_digit_id[2];                          // big-endian
  std::uint8_t six_digit_id[4];                           // big-endian
  std::uint8_t ccir_directory[kCcirDirectoryEntries][4];  // big-endian, 0 = empty
  char message1[33];
  char message2[33];
  std::uint8_t preamble;
  std::uint8_t beacon;
  std::uint8_t alarm;
  std::uint8_t reserved[40];
};

// The CCIR channel number of each channel, big-endian; entry n - 1 for channel n, 0 = none.
struct channel_name {
  std::uint8_t number[kMaxChannel][2];
};

struct global_members_entry {
  char global_members_name[16];
  // kNoEntry empty, kOwnSelfAddress the net itself; else the low 7 bits are a directory index
  // and the high bit marks a priority member.
  std::uint8_t global_members[kGlobalMembers];
};

// Entry k belongs to net k + 1.
struct ale_dbase_global_members {
  global_members_entry nets[kNets];
};

struct tag_extra_options {
  std::uint8_t multinet;
  std::uint8_t max_channel;  // 0 = "Auto"
  std::uint8_t link_after_bidirectional;
  std::uint8_t vcds;
};

#pragma pack(pop)

static_assert(sizeof(radio_option) == 17);
static_assert(sizeof(wide_i) == 323);
static_assert(offsetof(wide_i, options) == 68);
static_assert(sizeof(scan_group) == 61);
static_assert(offsetof(scan_group, member_channels) == 2);
static_assert(offsetof(scan_group, reserved) == 28);
static_assert(sizeof(channel) == 13);
static_assert(offsetof(channel, tx_frequency) == 3);
static_assert(offsetof(channel, rx_frequency) == 7);
static_assert(offsetof(channel, agc) == 11);
static_assert(offsetof(channel, mode) == 12);
static_assert(sizeof(radio_options) == 14);
static_assert(offsetof(radio_options, cw_ptt_hold) == 2);
static_assert(offsetof(radio_options, baud_rate) == 12);
static_assert(offsetof(radio_options, noise_blanker) == 13);

static_assert(sizeof(dbase) == 4304);
static_assert(offsetof(dbase, program_word) == 8);
static_assert(offsetof(dbase, serial_number) == 12);
static_assert(offsetof(dbase, radio_code) == 28);
static_assert(offsetof(dbase, hardware_version) == 44);
static_assert(offsetof(dbase, control_head_software_version) == 52);
static_assert(offsetof(dbase, control_head_hardware_version) == 60);
static_assert(offsetof(dbase, options) == 68);
static_assert(offsetof(dbase, ecn_list) == 323);
static_assert(offsetof(dbase, sp_list) == 1123);
static_assert(offsetof(dbase, reserved_1219) == 1219);
static_assert(offsetof(dbase, language) == 1221);
static_assert(offsetof(dbase, reserved_1222) == 1222);
static_assert(offsetof(dbase, band_settings) == 1270);
static_assert(offsetof(dbase, service_word) == 1330);
static_assert(offsetof(dbase, service_byte) == 1332);
static_assert(offsetof(dbase, reserved_1333) == 1333);
static_assert(offsetof(dbase, groups) == 1383);
static_assert(offsetof(dbase, channels) == 1688);
static_assert(offsetof(dbase, radio_options) == 4288);
static_assert(offsetof(dbase, accessory_installed) == 4302);
static_assert(offsetof(dbase, tuner) == 4303);

static_assert(sizeof(ale_net) == 91);
static_assert(offsetof(ale_net, self_address) == 16);
static_assert(offsetof(ale_net, members) == 32);
static_assert(offsetof(ale_net, all_call) == 48);
static_assert(offsetof(ale_net, all_call_channel) == 49);
static_assert(offsetof(ale_net, tune_time) == 51);
static_assert(offsetof(ale_net, silent) == 52);
static_assert(offsetof(ale_net, scan_rate) == 55);
static_assert(offsetof(ale_net, occupancy_check) == 59);
static_assert(offsetof(ale_net, scanned_channels) == 60);
static_assert(offsetof(ale_net, reserved) == 86);
static_assert(sizeof(ale_options) == 12);
static_assert(offsetof(ale_options, in_link) == 11);
static_assert(sizeof(ale_dbase) == 4377);
static_assert(offsetof(ale_dbase, ale_options) == 1820);
static_assert(offsetof(ale_dbase, directory) == 1832);
static_assert(offsetof(ale_dbase, auto_dials) == 3432);
static_assert(offsetof(ale_dbase, ale_program_word) == 3452);
static_assert(offsetof(ale_dbase, reserved_3456) == 3456);
static_assert(offsetof(ale_dbase, messages) == 3457);
static_assert(offsetof(ale_dbase, reserved_4367) == 4367);

static_assert(sizeof(ccir_dbase) == 515);
static_assert(offsetof(ccir_dbase, six_digit_id) == 2);
static_assert(offsetof(ccir_dbase, ccir_directory) == 6);
static_assert(offsetof(ccir_dbase, message1) == 406);
static_assert(offsetof(ccir_dbase, message2) == 439);
static_assert(offsetof(ccir_dbase, preamble) == 472);
static_assert(offsetof(ccir_dbase, beacon) == 473);
static_assert(offsetof(ccir_dbase, alarm) == 474);
static_assert(offsetof(ccir_dbase, reserved) == 475);
static_assert(sizeof(channel_name) == 400);
static_assert(sizeof(global_members_entry) == 36);
static_assert(sizeof(ale_dbase_global_members) == 720);
static_assert(sizeof(tag_extra_options) == 4);
