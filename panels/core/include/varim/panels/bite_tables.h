#pragma once

#include <cstdint>
#include <string>

namespace varim::panels {

// The built-in test's kinds, by the index the radio is sent.
struct BiteTestType {
  int index;
  const char* button;
  // Asked before the test runs and shown in the dialog; empty when the test needs nothing.
  const char* prompt;
};

inline constexpr BiteTestType kBiteTestTypes[] = {
    {0, "Full test", "Connect a dummy load"},
    {1, "Channel Test", "Connect a dummy load or an antenna"},
    {2, "Low RF Test", ""},
};
inline constexpr int kBiteTestTypeCount = 3;

// How the radio judged one item; the class is also the icon the results list shows.
enum class BiteResultClass : int { kPassed = 0, kFailed = 1, kIgnored = 2, kNotPerformed = 3 };

struct BiteResultCode {
  std::uint8_t byte;
  BiteResultClass resultClass;
  const char* word;
};

inline constexpr BiteResultCode kBiteResultCodes[] = {
    {0xAA, BiteResultClass::kPassed, "Passed"},
    {0x55, BiteResultClass::kFailed, "Failed"},
    {0x3C, BiteResultClass::kNotPerformed, "Unable to perform"},
};
inline constexpr char kBiteIgnoredWord[] = "Ignored";

// The radio reports a result byte for each of these items, numbered from 1.
inline constexpr int kBiteItems = 39;

BiteResultClass BiteResultClassOf(std::uint8_t byte);
const char* BiteResultWord(BiteResultClass resultClass);
// The name of test item n; empty for a number the radio does not test.
std::string BiteItemName(int number);

}  // namespace varim::panels
