#pragma once

#include <array>
#include <string>
#include <vector>

#include "varim/radio_records.h"

namespace varim::panels {

// What the read-only "Radio Wide Information" window shows of the radio record.
struct RadioWideField {
  const char* label;
  std::string text;
};

struct RadioOptionRow {
  std::string name;
  std::string swVersion;
  std::string hwVersion;
  std::string status;  // "Enabled" or "Disabled"
};

struct RadioWideInfo {
  // Serial number, radio code, then the radio's and the control head's versions.
  std::array<RadioWideField, 6> fields;
  // Only the entries that hold a text, in record order.
  std::vector<std::string> ecnList;
  std::vector<std::string> spList;
  std::vector<RadioOptionRow> options;
};

RadioWideInfo RadioWideInfoOf(const dbase& radio);

}  // namespace varim::panels
