#include "varim/panels/ale_messages.h"

#include <algorithm>
#include <cstring>

#include "varim/db/field_text.h"

namespace varim::panels {

namespace {

constexpr char kLowestCode = 32;
constexpr char kHighestCode = 95;

bool IsMessageText(const std::string& text) {
  return text.size() <= AleMessagesEditor::kLongest &&
         std::all_of(text.begin(), text.end(),
                     [](char c) { return c >= kLowestCode && c <= kHighestCode; });
}

// A stored index the list offers selects its row; anything else the empty last row.
int RowOf(std::uint8_t stored, const std::vector<std::string>& choices) {
  const int last = static_cast<int>(choices.size()) - 1;
  return stored < last ? stored : last;
}

}  // namespace

AleMessagesEditor::AleMessagesEditor(const varim::db::RadioDatabases& databases) {
  for (int slot = 0; slot < kAleMessages; ++slot)
    texts_[static_cast<std::size_t>(slot)] = varim::db::FieldText(databases.ale.messages[slot]);
  shown_ = texts_[0];
}

void AleMessagesEditor::Show(int slot) {
  if (!Valid()) return;
  slot_ = std::clamp(slot, 0, kAleMessages - 1);
  shown_ = texts_[static_cast<std::size_t>(slot_)];
}

void AleMessagesEditor::SetText(const std::string& text) {
  shown_ = text;
  if (!IsMessageText(text)) {
    warning_ = kInvalidCharacters;
    return;
  }
  warning_.clear();
  texts_[static_cast<std::size_t>(slot_)] = text;
}

int AleMessagesEditor::Occupied() const {
  return static_cast<int>(
      std::count_if(texts_.begin(), texts_.end(), [](const std::string& t) { return !t.empty(); }));
}

void AleMessagesEditor::Ok(varim::db::RadioDatabases& databases) const {
  for (int slot = 0; slot < kAleMessages; ++slot) {
    char (&field)[91] = databases.ale.messages[slot];
    std::memset(field, 0, sizeof field);
    std::strncpy(field, texts_[static_cast<std::size_t>(slot)].c_str(), sizeof field - 1);
  }
}

AutoDialsEditor::AutoDialsEditor(const varim::db::RadioDatabases& databases) {
  for (const auto& entry : databases.ale.directory) {
    std::string text = varim::db::FieldText(entry);
    if (!text.empty()) addresses_.push_back(std::move(text));
  }
  addresses_.push_back(kEmptyAddress);
  for (const auto& message : databases.ale.messages) {
    std::string text = varim::db::FieldText(message);
    if (!text.empty()) messages_.push_back(std::move(text));
  }
  messages_.push_back(kEmptyMessage);
  for (int key = 0; key < kAutoDials; ++key) {
    dials_[static_cast<std::size_t>(key)] = {databases.ale.auto_dials[key][0],
                                             databases.ale.auto_dials[key][1]};
  }
}

int AutoDialsEditor::AddressRow(int key) const {
  return RowOf(dials_[static_cast<std::size_t>(key)][0], addresses_);
}

int AutoDialsEditor::MessageRow(int key) const {
  return RowOf(dials_[static_cast<std::size_t>(key)][1], messages_);
}

void AutoDialsEditor::ChooseAddress(int key, int row) {
  const int last = static_cast<int>(addresses_.size()) - 1;
  dials_[static_cast<std::size_t>(key)][0] =
      row >= 0 && row < last ? static_cast<std::uint8_t>(row) : kNoEntry;
}

void AutoDialsEditor::ChooseMessage(int key, int row) {
  const int last = static_cast<int>(messages_.size()) - 1;
  dials_[static_cast<std::size_t>(key)][1] =
      row >= 0 && row < last ? static_cast<std::uint8_t>(row) : kNoEntry;
}

void AutoDialsEditor::Ok(varim::db::RadioDatabases& databases) const {
  for (int key = 0; key < kAutoDials; ++key) {
    databases.ale.auto_dials[key][0] = dials_[static_cast<std::size_t>(key)][0];
    databases.ale.auto_dials[key][1] = dials_[static_cast<std::size_t>(key)][1];
  }
}

}  // namespace varim::panels
