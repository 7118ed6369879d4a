#include "varim/db/ccr_file.h"

#include <cstring>

#include "file_image.h"
#include "varim/byte_order.h"
#include "varim/db/field_text.h"
#include "varim/db/mapping.h"

namespace varim::db {

namespace {

constexpr const char* kSection = "Ccir Option";
constexpr const char* kDirectoryKey = "Ccir Directory";
constexpr std::size_t kNumberChars = 99;

// The numbers, in the order a save writes them.
enum class Field { kSixDigitId, kFourDigitId, kAlarm, kBeacon, kPreamble };

struct NumberKey {
  const char* key;
  Field field;
  const char* defaultText;
};

constexpr NumberKey kNumbers[] = {
    {"Ccir 6 Digits Id", Field::kSixDigitId, "0"},
    {"Ccir 4 Digits Id", Field::kFourDigitId, "0"},
    {"Ccir Alarm", Field::kAlarm, "0"},
    {"Ccir Beacon", Field::kBeacon, "0"},
    {"Ccir Preamble", Field::kPreamble, "6"},
};

std::uint32_t NumberOf(const ccir_dbase& ccir, Field field) {
  switch (field) {
    case Field::kSixDigitId:
      return ReadBigEndian32(ccir.six_digit_id);
    case Field::kFourDigitId:
      return ReadBigEndian16(ccir.four_digit_id);
    case Field::kAlarm:
      return ccir.alarm;
    case Field::kBeacon:
      return ccir.beacon;
    case Field::kPreamble:
      return ccir.preamble;
  }
  return 0;
}

void SetNumber(ccir_dbase& ccir, Field field, std::uint32_t value) {
  switch (field) {
    case Field::kSixDigitId:
      WriteBigEndian32(ccir.six_digit_id, value);
      return;
    case Field::kFourDigitId:
      WriteBigEndian16(ccir.four_digit_id, static_cast<std::uint16_t>(value));
      return;
    case Field::kAlarm:
      ccir.alarm = static_cast<std::uint8_t>(value);
      return;
    case Field::kBeacon:
      ccir.beacon = static_cast<std::uint8_t>(value);
      return;
    case Field::kPreamble:
      ccir.preamble = static_cast<std::uint8_t>(value);
      return;
  }
}

template <std::size_t N>
void ReadMessage(const ProfileFile& file, const char* key, char (&field)[N]) {
  const std::string text = file.GetString(kSection, key, "", N - 1);
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), text.size());
}

}  // namespace

void WriteCcirFile(ProfileFile& file, const FileInformation& info, const ccir_dbase& ccir) {
  for (const NumberKey& number : kNumbers)
    file.WriteString(kSection, number.key, std::to_string(NumberOf(ccir, number.field)));
  file.WriteString(kSection, "Ccir Message1", FieldText(ccir.message1));
  file.WriteString(kSection, "Ccir Message2", FieldText(ccir.message2));
  for (int i = 0; i < kCcirDirectoryEntries; ++i) {
    const std::uint32_t entry = ReadBigEndian32(ccir.ccir_directory[i]);
    if (entry != 0)
      file.WriteString(kSection, kDirectoryKey + std::to_string(i), std::to_string(entry));
  }
  WriteFileInformation(file, kSection, info);
}

void ReadCcirFile(const ProfileFile& file, FileInformation* info, ccir_dbase& ccir,
                  PresenceFlags& flags) {
  flags.ccir_from_file = 1;
  for (const NumberKey& number : kNumbers) {
    const std::string value =
        file.GetString(kSection, number.key, number.defaultText, kNumberChars);
    SetNumber(ccir, number.field, static_cast<std::uint32_t>(ParseDecimal(value)));
  }
  ReadMessage(file, "Ccir Message1", ccir.message1);
  ReadMessage(file, "Ccir Message2", ccir.message2);
  for (int i = 0; i < kCcirDirectoryEntries; ++i) {
    const std::string value =
        file.GetString(kSection, kDirectoryKey + std::to_string(i), "", kNumberChars);
    WriteBigEndian32(ccir.ccir_directory[i], static_cast<std::uint32_t>(ParseDecimal(value)));
  }
  if (info != nullptr) ReadFileInformation(file, kSection, *info);
}

bool SaveCcrFile(const std::string& path, FileInformation& info, const ccir_dbase& ccir,
                 std::string* error) {
  ProfileFile file;
  WriteCcirFile(file, info, ccir);
  if (!file.Save(path, error)) return false;
  info.file_time = static_cast<std::uint32_t>(FileModificationTime(path));
  return true;
}

bool OpenCcrFile(const std::string& path, FileInformation& info, ccir_dbase& ccir,
                 PresenceFlags& flags, std::string* error) {
  ProfileFile file;
  if (!file.Load(path, error)) return false;
  std::memset(&info, 0, sizeof info);
  ReadCcirFile(file, &info, ccir, flags);
  info.file_time = static_cast<std::uint32_t>(FileModificationTime(path));
  return true;
}

}  // namespace varim::db
