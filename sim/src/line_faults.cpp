#include "varim/sim/line_faults.h"

namespace varim::sim {

void LineFaults::Garble(std::vector<std::uint8_t>& bytes) {
  if (rates_.corruptByte <= 0 && rates_.dropByte <= 0) return;
  std::vector<std::uint8_t> kept;
  kept.reserve(bytes.size());
  for (std::uint8_t byte : bytes) {
    if (Chance(rates_.dropByte)) continue;
    if (Chance(rates_.corruptByte))
      byte ^= static_cast<std::uint8_t>(1u << std::uniform_int_distribution<int>(0, 7)(random_));
    kept.push_back(byte);
  }
  bytes = std::move(kept);
}

void LineFaults::CompensatingCorruption(std::vector<std::uint8_t>& image, std::size_t from,
                                        std::size_t to) {
  if (to <= from + 1 || to > image.size()) return;
  std::uniform_int_distribution<std::size_t> position(from, to - 1);
  const std::size_t first = position(random_);
  std::size_t second = position(random_);
  while (second == first) second = position(random_);
  const auto delta = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(1, 255)(random_));
  image[first] = static_cast<std::uint8_t>(image[first] + delta);
  image[second] = static_cast<std::uint8_t>(image[second] - delta);
}

}  // namespace varim::sim
