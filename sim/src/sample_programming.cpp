#include "varim/sim/sample_programming.h"

#include <stdexcept>

#include "varim/db/ale_file.h"
#include "varim/db/ccr_file.h"
#include "varim/db/rss_file.h"

namespace varim::sim {

std::string DefaultProgrammingFolder() {
  return VARIM_SIM_SAMPLES_DIR;
}

std::optional<varim::db::RadioDatabases> LoadProgramming(const std::string& folder,
                                                         std::string* error) {
  using namespace varim::db;
  RadioDatabases programming = EmptyRadioDatabases();
  FileInformation info{};
  PresenceFlags flags;
  std::string reason;
  if (!OpenRssFile(folder + "/sample.rss", info, programming.radio, programming.channelNames, flags,
                   &reason) ||
      !OpenAleFile(folder + "/sample.ale", info, programming.ale, programming.globalMembers,
                   programming.extraOptions, flags, &reason) ||
      !OpenCcrFile(folder + "/sample.ccr", info, programming.ccir, flags, &reason)) {
    if (error != nullptr) *error = reason;
    return std::nullopt;
  }
  return programming;
}

RadioMemory SampleMemory(const RadioProfile& profile) {
  std::string error;
  const auto programming = LoadProgramming(DefaultProgrammingFolder(), &error);
  if (!programming) throw std::runtime_error(error);
  RadioMemory memory;
  memory.Store(*programming, profile);
  return memory;
}

}  // namespace varim::sim
