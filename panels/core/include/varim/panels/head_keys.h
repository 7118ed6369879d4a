#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varim::panels {

// A key of the radio's control head as the panels show it and the command line names it.
struct HeadKey {
  int number;          // the key number the radio knows it by
  const char* label;   // the button's text, empty for the navigation buttons (pictures)
  const char* name;    // the name a command line gives it
  const char* spoken;  // the button's accessible name
};

// Every key that has a button, in key-number order.
const std::vector<HeadKey>& HeadKeys();
// The key of a name as typed ("F1", "enter", "UP" ...), case-insensitive.
std::optional<HeadKey> HeadKeyNamed(std::string_view name);
const HeadKey* HeadKeyNumbered(int number);

}  // namespace varim::panels
