#include "varim/panels/head_keys.h"

#include <algorithm>
#include <cctype>

#include "varim/radio_opcodes.h"

namespace varim::panels {

namespace {

// The navigation buttons are pictures: arrows and MORE on one head, four buttons on the other.
const std::vector<HeadKey> kHeadKeys = {
    {key::kNavigation1, "", "NAV1", "Navigation 1"},
    {key::kNavigation2, "", "NAV2", "Navigation 2"},
    {key::kMore, "", "NAV3", "Navigation 3"},
    {key::kNavigation4, "", "NAV4", "Navigation 4"},
    {key::kF1, "F1", "F1", "F1"},
    {key::kF2, "F2", "F2", "F2"},
    {key::kF3, "F3", "F3", "F3"},
    {key::kF4, "F4", "F4", "F4"},
    {key::kHash, "#", "#", "Hash"},
    {key::kStar, "*", "*", "Star"},
    {key::kEscape, "Esc", "ESC", "Esc"},
    {key::kEnter, "Enter", "ENTER", "Enter"},
    {key::kDigit0, "0", "0", "0"},
    {key::kDigit0 + 1, "1", "1", "1"},
    {key::kDigit0 + 2, "2", "2", "2"},
    {key::kDigit0 + 3, "3", "3", "3"},
    {key::kDigit0 + 4, "4", "4", "4"},
    {key::kDigit0 + 5, "5", "5", "5"},
    {key::kDigit0 + 6, "6", "6", "6"},
    {key::kDigit0 + 7, "7", "7", "7"},
    {key::kDigit0 + 8, "8", "8", "8"},
    {key::kDigit9, "9", "9", "9"},
    {key::kMenu, "MENU", "MENU", "Menu"},
};

// The names the compact head's navigation buttons go by.
struct KeyAlias {
  const char* name;
  int number;
};

constexpr KeyAlias kAliases[] = {
    {"UP", key::kNavigation1}, {"DOWN", key::kNavigation2}, {"MORE", key::kMore}};

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) ==
           std::toupper(static_cast<unsigned char>(y));
  });
}

}  // namespace

const std::vector<HeadKey>& HeadKeys() {
  return kHeadKeys;
}

const HeadKey* HeadKeyNumbered(int number) {
  const auto found = std::find_if(kHeadKeys.begin(), kHeadKeys.end(),
                                  [number](const HeadKey& k) { return k.number == number; });
  return found == kHeadKeys.end() ? nullptr : &*found;
}

std::optional<HeadKey> HeadKeyNamed(std::string_view name) {
  for (const HeadKey& k : kHeadKeys) {
    if (SameName(k.name, name)) return k;
  }
  for (const KeyAlias& alias : kAliases) {
    if (SameName(alias.name, name)) return *HeadKeyNumbered(alias.number);
  }
  return std::nullopt;
}

}  // namespace varim::panels
