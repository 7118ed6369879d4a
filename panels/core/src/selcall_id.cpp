#include "varim/panels/selcall_id.h"

#include <algorithm>
#include <cctype>
#include <cstddef>

namespace varim::panels {

namespace {

constexpr std::size_t kLongestId = 6;

}  // namespace

std::string SelcallDisplayForm(std::uint32_t id) {
  const std::string digits = std::to_string(id);
  const std::size_t width = digits.size() <= 4 ? 4 : kLongestId;
  return digits.size() >= width ? digits : std::string(width - digits.size(), '0') + digits;
}

std::optional<std::uint32_t> SelcallIdOf(const std::string& text) {
  const bool digitsOnly =
      !text.empty() &&
      std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
  if (!digitsOnly) return std::nullopt;
  const std::string significant = text.substr(std::min(text.find_first_not_of('0'), text.size()));
  if (significant.empty() || significant.size() > kLongestId) return std::nullopt;
  return static_cast<std::uint32_t>(std::stoul(significant));
}

}  // namespace varim::panels
