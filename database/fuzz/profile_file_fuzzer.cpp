// Any bytes as an initialisation file: parsing, reading, writing and writing out again must
// neither crash nor lose what was read.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_oracle.h"
#include "varim/db/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using varim::db::ProfileFile;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ProfileFile file;
  file.Parse(text);
  const std::string once = file.Text();

  ProfileFile again;
  again.Parse(once);
  Require(again.Text() == once, "a written file reads back to the same text");

  for (const std::string& section : file.SectionNames()) {
    const std::string value = file.GetString(section, "Channel1", "default", 5);
    Require(value.size() <= 5, "reads respect their limit");
    file.GetInt(section, "Global Member No. 1", 255);
  }
  file.WriteString("KLV", "KLV_Version", std::string(text.substr(0, 40)));
  Require(file.GetString("KLV", "KLV_Version", "").find_first_of("\r\n") == std::string::npos,
          "a written value holds no line break");
  file.DeleteSection("Channels");
  Require(!file.HasSection("Channels"), "a deleted section is gone");
  return 0;
}
