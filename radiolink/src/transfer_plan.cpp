#include "varim/transfer_plan.h"

#include <span>

#include "memory_map.h"

namespace {

using varim::link::MemorySection;
using namespace varim::link::memory_map;

void Add(std::vector<PlannedSection>& planned, std::span<const MemorySection> sections) {
  for (const MemorySection& section : sections)
    planned.push_back({section.name, section.address, section.length});
}

}  // namespace

std::vector<RadioRecord> TransferPlan(const TransferContents& contents) {
  std::vector<RadioRecord> plan = {RadioRecord::kRadio, RadioRecord::kAle};
  // The CCIR data and the global members share one stretch of memory; CCIR wins.
  if (contents.ccir) {
    plan.push_back(RadioRecord::kCcir);
    plan.push_back(RadioRecord::kChannelNames);
  } else if (contents.globalMembers) {
    plan.push_back(RadioRecord::kGlobalAleMembers);
  }
  if (contents.extraOptions) plan.push_back(RadioRecord::kExtraOptions);
  return plan;
}

std::vector<PlannedSection> PlannedSections(RadioRecord record, TransferDirection direction) {
  std::vector<PlannedSection> planned;
  switch (record) {
    case RadioRecord::kRadio:
      Add(planned, {direction == TransferDirection::kRead ? &kRadioHeader : &kRadioLanguage, 1});
      Add(planned, kRadioTail);
      break;
    case RadioRecord::kAle:
      Add(planned, kAleSections);
      break;
    case RadioRecord::kGlobalAleMembers: {
      const MemorySection namesThenMembers[] = {kGlobalNames, kGlobalAddresses};
      Add(planned, namesThenMembers);
      break;
    }
    case RadioRecord::kCcir:
      Add(planned, kCcirSections);
      break;
    case RadioRecord::kChannelNames:
      Add(planned, {&kChannelNames, 1});
      break;
    case RadioRecord::kExtraOptions:
      Add(planned, {&kExtraOptions, 1});
      break;
  }
  return planned;
}
