#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <set>

namespace varim::sim {

// How a call the program places turns out; the codes are the radio's call results.
enum class CallOutcome : std::uint8_t {
  kNoLink = 0,
  kLink = 1,
  kChannelBusy = 2,
  kStationBusy = 3,
  kSilentNet = 4,  // linked on a silent net
};

// What leads the data of a memory answer, the four bytes before data byte 4 of the answer to a
// read or a write. Radios in the field differ here, and the program must not care.
enum class AnswerLead : std::uint8_t {
  kEcho,     // the request's first four data bytes as they came
  kAddress,  // 0x00, then the three address bytes, most significant first
  kZero,     // four zero bytes
};

struct AnswerLeadName {
  const char* name;
  AnswerLead lead;
};

inline constexpr AnswerLeadName kAnswerLeadNames[] = {
    {"echo", AnswerLead::kEcho},
    {"address", AnswerLead::kAddress},
    {"zero", AnswerLead::kZero},
};

inline constexpr int kSelfTestItems = 39;

// Self-test result bytes, as the radio reports them.
inline constexpr std::uint8_t kItemPassed = 0xAA;
inline constexpr std::uint8_t kItemFailed = 0x55;
inline constexpr std::uint8_t kItemUnable = 0x3C;
inline constexpr std::uint8_t kItemIgnored = 0x00;

// What the simulated radio does beyond the protocol's rules: the settings a test or a person
// chooses for it.
struct SimBehaviour {
  CallOutcome callOutcome = CallOutcome::kLink;
  std::uint8_t linkQuality = 25;
  AnswerLead answerLead = AnswerLead::kEcho;
  // Commands the radio acknowledges but refuses to carry out (it reports them refused).
  std::set<std::uint8_t> refusedOpcodes;
  std::array<std::uint8_t, kSelfTestItems> selfTestResults = [] {
    std::array<std::uint8_t, kSelfTestItems> results{};
    results.fill(kItemPassed);
    return results;
  }();
  std::chrono::milliseconds callDelay{800};
  std::chrono::milliseconds selfTestStep{300};
  std::chrono::milliseconds restartDelay{1500};
  // How long a call result such as "NO LINK" stays on the display.
  std::chrono::milliseconds messageTime{2000};
};

}  // namespace varim::sim
