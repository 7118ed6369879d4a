#include "varim/db/value_lists.h"

namespace varim::db {

std::uint16_t TextToCode(ValueList list, std::string_view text) {
  for (const ValueEntry& entry : list) {
    if (text == entry.text) return entry.code;
  }
  return kNotInList;
}

const char* CodeToText(ValueList list, int code) {
  for (const ValueEntry& entry : list) {
    if (entry.code == code) return entry.text;
  }
  return "";
}

}  // namespace varim::db
