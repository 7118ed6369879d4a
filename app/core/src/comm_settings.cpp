#include "varim/core/comm_settings.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include "varim/core/operator_texts.h"
#include "varim/db/atomic_file.h"

namespace varim::core {
namespace {

std::string PathIn(const std::string& folder) {
  return folder.empty() ? kCommSettingsFileName : folder + "/" + kCommSettingsFileName;
}

std::int32_t LittleEndian32(const unsigned char* bytes) {
  return static_cast<std::int32_t>(
      static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
      static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24);
}

void AppendLittleEndian32(std::string& out, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>(bits >> shift));
}

}  // namespace

CommSettings LoadCommSettings(const std::string& folder) {
  std::ifstream file(PathIn(folder), std::ios::binary);
  unsigned char bytes[kCommSettingsFileBytes];
  // A short file would leave half a number; the defaults are the safer start.
  if (!file.read(reinterpret_cast<char*>(bytes), sizeof bytes)) return {};
  return {LittleEndian32(bytes), LittleEndian32(bytes + 4)};
}

bool SaveCommSettings(const std::string& folder, const CommSettings& settings) {
  std::string content;
  AppendLittleEndian32(content, settings.commPort);
  AppendLittleEndian32(content, settings.baudRate);
  return varim::db::SaveFileAtomically(PathIn(folder), content, nullptr);
}

int FindBaudIndex(int baudRate) {
  const auto found = std::find(kBaudRates.begin(), kBaudRates.end(), baudRate);
  return found == kBaudRates.end() ? -1 : static_cast<int>(found - kBaudRates.begin());
}

int BaudFromIndex(int index, Operator& op) {
  if (index < 0 || index >= static_cast<int>(kBaudRates.size())) {
    op.Notify(texts::kBaudRateIndexNotCorrect, Operator::Icon::kExclamation);
    return 0;
  }
  return kBaudRates[static_cast<std::size_t>(index)];
}

int BaudIndexOf(int baudRate, Operator& op) {
  const int index = FindBaudIndex(baudRate);
  if (index >= 0) return index;
  op.Notify(texts::BaudRateNotDefined(baudRate), Operator::Icon::kExclamation);
  return 0;
}

}  // namespace varim::core
