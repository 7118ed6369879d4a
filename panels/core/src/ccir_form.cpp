#include "varim/panels/ccir_form.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "varim/byte_order.h"
#include "varim/db/empty_records.h"
#include "varim/db/field_text.h"
#include "varim/panels/selcall_id.h"

namespace varim::panels {

namespace {

// A character typed outside ASCII takes several bytes; the operator hears of it once.
bool Utf8Continuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

bool MessageCharacter(unsigned char c) {
  return std::isupper(c) != 0 || std::isdigit(c) != 0 || c == ' ';
}

std::uint32_t DecimalOf(const std::string& digits) {
  return digits.empty() ? 0 : static_cast<std::uint32_t>(std::stoul(digits));
}

// No ID leaves the box empty, ready for the four or six digits of one; a "0" would take a place.
std::string IdTextOf(std::uint32_t id) {
  return id == 0 ? std::string() : std::to_string(id);
}

bool UsablePreamble(int preamble) {
  return preamble >= 1 && preamble <= CcirForm::kPreambles;
}

}  // namespace

CcirForm::CcirForm(varim::db::RadioDatabases& databases, varim::core::Operator& op)
    : databases_(databases), operator_(op) {
  Load();
}

void CcirForm::Load() {
  ids_[Index(IdBox::kFourDigit)] = IdTextOf(ReadBigEndian16(ccir().four_digit_id));
  ids_[Index(IdBox::kSixDigit)] = IdTextOf(ReadBigEndian32(ccir().six_digit_id));
  if (!UsablePreamble(ccir().preamble)) ccir().preamble = varim::db::kDefaultCcirPreamble;
  if (listener_) listener_();
}

void CcirForm::TypeId(IdBox box, const std::string& text) {
  std::string digits;
  for (const unsigned char c : text) {
    if (std::isdigit(c) != 0) {
      digits += static_cast<char>(c);
    } else if (!Utf8Continuation(c)) {
      operator_.Notify(kNotWholeNumber, varim::core::Operator::Icon::kExclamation);
    }
  }
  digits.resize(std::min(digits.size(), static_cast<std::size_t>(MaxDigits(box))));
  ids_[Index(box)] = digits;
  const std::uint32_t id = DecimalOf(digits);
  std::uint32_t before = 0;
  if (box == IdBox::kFourDigit) {
    before = ReadBigEndian16(ccir().four_digit_id);
    WriteBigEndian16(ccir().four_digit_id, static_cast<std::uint16_t>(id));
  } else {
    before = ReadBigEndian32(ccir().six_digit_id);
    WriteBigEndian32(ccir().six_digit_id, id);
  }
  Changed(id != before);
}

char* CcirForm::MessageField(MessageBox box) {
  return box == MessageBox::kFirst ? ccir().message1 : ccir().message2;
}

std::string CcirForm::MessageText(MessageBox box) const {
  return box == MessageBox::kFirst ? varim::db::FieldText(ccir().message1)
                                   : varim::db::FieldText(ccir().message2);
}

void CcirForm::TypeMessage(MessageBox box, const std::string& text) {
  std::string kept;
  for (const unsigned char c : text)
    if (MessageCharacter(c) && kept.size() < kLongestMessage) kept += static_cast<char>(c);
  const bool changed = kept != MessageText(box);
  char* field = MessageField(box);
  std::memset(field, 0, sizeof ccir().message1);
  std::memcpy(field, kept.data(), kept.size());
  Changed(changed);
}

int CcirForm::PreambleIndex() const {
  const int preamble = ccir().preamble;
  return (UsablePreamble(preamble) ? preamble : varim::db::kDefaultCcirPreamble) - 1;
}

void CcirForm::ChoosePreamble(int index) {
  if (!UsablePreamble(index + 1)) return;
  ccir().preamble = static_cast<std::uint8_t>(index + 1);
  Changed(true);
}

void CcirForm::SetAlarm(bool on) {
  ccir().alarm = on ? 1 : 0;
  Changed(true);
}

void CcirForm::SetBeacon(bool on) {
  ccir().beacon = on ? 1 : 0;
  Changed(true);
}

std::vector<std::string> CcirForm::DirectorySummary() const {
  std::vector<std::string> rows;
  for (const auto& entry : ccir().ccir_directory) {
    const std::uint32_t id = ReadBigEndian32(entry);
    rows.push_back(id >= 1 && id <= kLastSelcallId ? SelcallDisplayForm(id) : std::string());
  }
  return rows;
}

CcirDirectory CcirForm::Directory() {
  return CcirDirectory(ccir(), operator_, [this] { Changed(true); });
}

void CcirForm::Changed(bool recordChanged) {
  if (listener_) listener_();
  if (recordChanged && edited_) edited_();
}

}  // namespace varim::panels
