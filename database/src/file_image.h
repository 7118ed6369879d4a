#pragma once

#include <cstddef>

#include "varim/db/file_information.h"
#include "varim/db/mapping.h"
#include "varim/radio_records.h"

namespace varim::db {

// The working copies the file readers and writers map keys into. Both start with the version
// text and the radio record, so the rows they share have the same offsets in both.
#pragma pack(push, 1)
struct RadioFileImage {
  char version[8];
  dbase radio;
  std::uint8_t isb;  // the program's ISB flag, kept in the radio file
};

struct AleFileImage {
  char version[8];
  dbase radio;  // only its wide information is in the file, and it is not returned
  ale_dbase ale;
};
#pragma pack(pop)

inline constexpr std::size_t kRadioBase = offsetof(RadioFileImage, radio);
static_assert(offsetof(AleFileImage, radio) == kRadioBase);
inline constexpr std::size_t kAleBase = offsetof(AleFileImage, ale);

// "KLV_Version": read for the version check; the writer writes the program's own version.
extern const MappingRow kVersionRow;
// "Wide Information": the radio's identity and versions.
extern const std::span<const MappingRow> kWideInformationRows;

// The program's version as the files carry it, and the check a reader may ask for.
const char* FileVersionText();
bool VersionMatches(const ProfileFile& file);
// Section "KLV": the comment and the user name, and the reverse.
void WriteFileInformation(ProfileFile& file, const char* section, const FileInformation& info);
void ReadFileInformation(const ProfileFile& file, const char* section, FileInformation& info);

}  // namespace varim::db
