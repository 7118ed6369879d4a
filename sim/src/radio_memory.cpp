#include "varim/sim/radio_memory.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "varim/database_transfer.h"

namespace varim::sim {

namespace {

constexpr long kSoftwareVersionAddress = 60;  // the version that tells generations apart

}  // namespace

bool RadioMemory::Read(long address, int count, std::uint8_t* out) const {
  std::memset(out, 0, static_cast<std::size_t>(std::max(count, 0)));
  if (address < 0 || count < 0 || address + count > static_cast<long>(kSize)) return false;
  std::memcpy(out, bytes_.data() + address, static_cast<std::size_t>(count));
  return true;
}

bool RadioMemory::Write(long address, int count, const std::uint8_t* in) {
  if (address < 0 || count < 0 || address + count > static_cast<long>(kSize)) return false;
  std::memcpy(bytes_.data() + address, in, static_cast<std::size_t>(count));
  return true;
}

void RadioMemory::Store(const varim::db::RadioDatabases& programming, const RadioProfile& profile) {
  // The radio record whole (a write sends only part of its header), then everything as the
  // library's writes would leave it.
  auto radio = std::make_unique<dbase>(programming.radio);
  SwapRadioDatabaseOrder(*radio, true);
  Write(0, sizeof *radio, reinterpret_cast<const std::uint8_t*>(radio.get()));
  const std::string version = profile.SoftwareVersion();
  std::uint8_t versionField[8] = {};
  std::memcpy(versionField, version.data(), std::min(version.size(), sizeof versionField - 1));
  Write(kSoftwareVersionAddress, sizeof versionField, versionField);

  auto ale = std::make_unique<ale_dbase>(programming.ale);
  std::memcpy(ale->ale_program_word, "ALE", 4);  // as every written radio holds it
  std::vector<MemorySectionImage> images = AleDataBaseImage(*ale);
  auto add = [&images](std::vector<MemorySectionImage> more) {
    images.insert(images.end(), more.begin(), more.end());
  };
  if (profile.ccir) {
    add(CcirDataBaseImage(programming.ccir));
    add(ChannelNameDataBaseImage(programming.channelNames));
  } else if (profile.extendedSupport) {
    add(GlobalMemberDataBaseImage(programming.globalMembers));
  }
  if (profile.extendedSupport) add(ExtraOptionDataBaseImage(programming.extraOptions));
  for (const MemorySectionImage& image : images)
    Write(image.address, static_cast<int>(image.bytes.size()), image.bytes.data());
}

std::vector<MemoryRange> WrittenRanges(const RadioProfile& profile) {
  std::vector<MemoryRange> ranges = {
      {1221, 1},  {1383, 305},  {1688, 2600}, {4288, 14}, {4302, 2},   {4304, 1820},
      {6124, 12}, {6136, 1600}, {7736, 20},   {7756, 4},  {7761, 910},
  };
  if (profile.ccir) {
    ranges.insert(ranges.end(), {{8853, 475}, {9368, 400}});
  } else if (profile.extendedSupport) {
    ranges.insert(ranges.end(), {{8853, 320}, {9173, 400}});
  }
  if (profile.extendedSupport) ranges.push_back({9573, 4});
  return ranges;
}

}  // namespace varim::sim
