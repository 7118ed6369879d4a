// Any bytes as a .rss, .ale or .ccr file (the first byte picks which): reading never crashes
// or reads out of bounds, and saving is stable: once a file has been saved and loaded, saving
// it again gives the very same text. (The first save may still drop what the format cannot
// carry, such as a net member that is the net's own address when the net has no channels.)

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "fuzz_oracle.h"
#include "varim/db/ale_file.h"
#include "varim/db/ccr_file.h"
#include "varim/db/radio_databases.h"
#include "varim/db/rss_file.h"

namespace {

using namespace varim::db;

struct Records {
  RadioDatabases databases = EmptyRadioDatabases();
  FileInformation info{};
};

// Reads the file into fresh records and writes them into a new file.
std::string ReadAndWrite(int kind, const ProfileFile& input, PresenceFlags& flags) {
  auto records = std::make_unique<Records>();
  RadioDatabases& r = records->databases;
  FileInformation& info = records->info;
  ProfileFile output;
  switch (kind) {
    case 0:
      ReadRadioFile(input, &info, &r.radio, flags, false);
      ReadCcirChannelNumbers(input, r.channelNames, flags);
      WriteRadioFile(output, info, r.radio, flags);
      if (flags.ccir_present.load() == 1) WriteCcirChannelNumbers(output, r.radio, r.channelNames);
      break;
    case 1:
      ReadAleFile(input, &info, &r.ale, r.globalMembers, r.extraOptions, flags, false);
      WriteAleFile(output, info, r.radio, r.ale, r.globalMembers, r.extraOptions, flags);
      break;
    default:
      ReadCcirFile(input, &info, r.ccir, flags);
      WriteCcirFile(output, info, r.ccir);
      break;
  }
  return output.Text();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int kind = data[0] % 3;
  ProfileFile input;
  input.Parse(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));

  PresenceFlags flags;
  ProfileFile saved;
  saved.Parse(ReadAndWrite(kind, input, flags));
  const std::string second = ReadAndWrite(kind, saved, flags);
  saved.Parse(second);
  const std::string third = ReadAndWrite(kind, saved, flags);
  Require(second == third, "a saved file loads and saves to the same text",
          second + "\n---\n" + third);
  return 0;
}
