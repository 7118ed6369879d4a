#include "file_image.h"

#include <cstring>

#include "varim/product_version.h"

namespace varim::db {

namespace {

constexpr const char* kKlvSection = "KLV";
constexpr const char* kWideSection = "Wide Information";
// The version check compares what a 6-byte buffer held of the key.
constexpr std::size_t kVersionCheckChars = 5;

constexpr std::size_t Radio(std::size_t fieldOffset) {
  return kRadioBase + fieldOffset;
}

constexpr MappingRow kWideRows[] = {
    {kWideSection, "Serial_Number", "", Kind::kText, Radio(offsetof(dbase, serial_number)), 16},
    {kWideSection, "Radio_Code", "", Kind::kText, Radio(offsetof(dbase, radio_code)), 16},
    {kWideSection, "Software_Version", "", Kind::kText, Radio(offsetof(dbase, software_version)),
     8},
    {kWideSection, "Hardware_Version", "", Kind::kText, Radio(offsetof(dbase, hardware_version)),
     8},
    {kWideSection, "Control_Head_Software_Version", "", Kind::kText,
     Radio(offsetof(dbase, control_head_software_version)), 8},
    {kWideSection, "Control_Head_Hardware_Version", "", Kind::kText,
     Radio(offsetof(dbase, control_head_hardware_version)), 8},
};

template <std::size_t N>
void CopyInto(char (&field)[N], const std::string& text) {
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

}  // namespace

const MappingRow kVersionRow = {kKlvSection, "KLV_Version", "2.01", Kind::kText, 0, 8};
const std::span<const MappingRow> kWideInformationRows = kWideRows;

const char* FileVersionText() {
  return kProductVersion;
}

bool VersionMatches(const ProfileFile& file) {
  return file.GetString(kKlvSection, "KLV_Version", "", kVersionCheckChars) == kProductVersion;
}

void WriteFileInformation(ProfileFile& file, const char* section, const FileInformation& info) {
  file.WriteString(section, "Comment",
                   EncodeComment({info.comment, strnlen(info.comment, sizeof info.comment)}));
  file.WriteString(section, "UserName",
                   std::string(info.user_name, strnlen(info.user_name, sizeof info.user_name)));
}

void ReadFileInformation(const ProfileFile& file, const char* section, FileInformation& info) {
  CopyInto(info.comment,
           DecodeComment(file.GetString(section, "Comment", "", sizeof info.comment - 1)));
  CopyInto(info.user_name, file.GetString(section, "UserName", "", sizeof info.user_name - 1));
}

}  // namespace varim::db
