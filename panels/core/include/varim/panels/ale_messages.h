#pragma once

#include <array>
#include <string>
#include <vector>

#include "varim/db/radio_databases.h"

namespace varim::panels {

// "Message Configuration": the ten ALE messages, one slot at a time, on a copy.
class AleMessagesEditor {
 public:
  static constexpr const char* kInvalidCharacters = "The message contains invalid characters";
  static constexpr std::size_t kLongest = 90;

  explicit AleMessagesEditor(const varim::db::RadioDatabases& databases);

  // The spin: slots 0..9, limited to the range; refused while the text is not valid.
  void Show(int slot);
  int Slot() const { return slot_; }
  // What the message box holds, valid or not.
  const std::string& Text() const { return shown_; }
  // A valid text (blank to "_": codes 32..95, at most 90) is stored at once.
  void SetText(const std::string& text);
  const std::string& Warning() const { return warning_; }
  bool Valid() const { return warning_.empty(); }
  int Occupied() const;
  void Ok(varim::db::RadioDatabases& databases) const;

 private:
  std::array<std::string, kAleMessages> texts_;
  int slot_ = 0;
  std::string shown_;
  std::string warning_;
};

// "Automatic Dial Configuration": for each key 0..9 the address and the message it calls with.
class AutoDialsEditor {
 public:
  static constexpr const char* kEmptyAddress = "*EMPTY ADDRESS*";
  static constexpr const char* kEmptyMessage = "*EMPTY MESSAGE*";

  explicit AutoDialsEditor(const varim::db::RadioDatabases& databases);

  // The non-empty directory entries (messages) and then the empty entry.
  const std::vector<std::string>& AddressChoices() const { return addresses_; }
  const std::vector<std::string>& MessageChoices() const { return messages_; }
  int AddressRow(int key) const;
  int MessageRow(int key) const;
  void ChooseAddress(int key, int row);
  void ChooseMessage(int key, int row);
  void Ok(varim::db::RadioDatabases& databases) const;

 private:
  std::vector<std::string> addresses_;
  std::vector<std::string> messages_;
  std::array<std::array<std::uint8_t, 2>, kAutoDials> dials_{};
};

}  // namespace varim::panels
