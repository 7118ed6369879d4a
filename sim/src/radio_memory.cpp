#include "varim/sim/radio_memory.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "varim/database_transfer.h"

namespace varim::sim {

namespace {

constexpr long kAleAddress = 4304;
constexpr long kSharedAreaAddress = 8853;  // CCIR data, or the global member names
constexpr long kGlobalMemberBytesAddress = 9173;
constexpr long kChannelNamesAddress = 9368;
constexpr long kExtraOptionsAddress = 9573;
constexpr long kSoftwareVersionAddress = 60;
constexpr long kAleProgramWordAddress = 7756;
constexpr std::uint8_t kAutoMaxChannel = 100;

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
  auto radio = std::make_unique<dbase>(programming.radio);
  SwapRadioDatabaseOrder(*radio, true);
  Write(0, sizeof *radio, reinterpret_cast<const std::uint8_t*>(radio.get()));
  const std::string version = profile.SoftwareVersion();
  std::uint8_t versionField[8] = {};
  std::memcpy(versionField, version.data(), std::min(version.size(), sizeof versionField - 1));
  Write(kSoftwareVersionAddress, sizeof versionField, versionField);

  auto ale = std::make_unique<ale_dbase>(programming.ale);
  SwapAleDatabaseOrder(*ale);
  std::memcpy(ale->ale_program_word, "ALE", 4);
  Write(kAleAddress, sizeof *ale, reinterpret_cast<const std::uint8_t*>(ale.get()));

  if (profile.ccir) {
    Write(kSharedAreaAddress, sizeof programming.ccir,
          reinterpret_cast<const std::uint8_t*>(&programming.ccir));
    Write(kChannelNamesAddress, sizeof programming.channelNames,
          reinterpret_cast<const std::uint8_t*>(&programming.channelNames));
  } else if (profile.extendedSupport) {
    for (int k = 0; k < kNets; ++k) {
      const global_members_entry& entry = programming.globalMembers.nets[k];
      std::uint8_t name[16] = {};
      std::memcpy(name, entry.global_members_name,
                  strnlen(entry.global_members_name, sizeof entry.global_members_name));
      Write(kSharedAreaAddress + 16L * k, sizeof name, name);
      std::uint8_t members[kGlobalMembers];
      for (int j = 0; j < kGlobalMembers; ++j) {
        const std::uint8_t value = entry.global_members[j];
        members[j] = value == kNoEntry ? 0 : static_cast<std::uint8_t>(value + 1);
      }
      Write(kGlobalMemberBytesAddress + 20L * k, sizeof members, members);
    }
  }
  if (profile.extendedSupport) {
    tag_extra_options extra = programming.extraOptions;
    if (extra.max_channel == 0) extra.max_channel = kAutoMaxChannel;
    Write(kExtraOptionsAddress, sizeof extra, reinterpret_cast<const std::uint8_t*>(&extra));
  }
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
