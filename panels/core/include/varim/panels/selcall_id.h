#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace varim::panels {

// The highest selcall ID: six decimal digits.
inline constexpr std::uint32_t kLastSelcallId = 999'999;

// How the CCIR editors show a selcall ID: always 4 or 6 digits, so 7 shows as "0007" and
// 12345 as "012345", the length telling the two kinds of ID apart.
std::string SelcallDisplayForm(std::uint32_t id);

// The ID an operator typed: digits only, 1..kLastSelcallId; nothing otherwise.
std::optional<std::uint32_t> SelcallIdOf(const std::string& text);

}  // namespace varim::panels
