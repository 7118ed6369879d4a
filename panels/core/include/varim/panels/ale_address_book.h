#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "varim/db/radio_databases.h"

namespace varim::panels {

// One member of a net as the editors list it: a directory address, or the net's own self
// address; a global member may be the net's priority member.
struct NetMember {
  std::string address;  // kSelfAddress for the net itself
  bool priority = false;

  bool operator==(const NetMember&) const = default;
};

// The ALE addresses as the editors change them together: the directory, kept sorted and without
// gaps, and every net's members, global members and automatic dials that point into it. They
// are held by their texts, so a directory that grows or shrinks never leaves a member pointing
// at another station; the indexes are written only when the book goes back into the records.
class AleAddressBook {
 public:
  static constexpr const char* kSelfAddress = "*SELF_ADDRESS*";

  explicit AleAddressBook(const varim::db::RadioDatabases& databases);

  const std::vector<std::string>& Directory() const { return directory_; }
  bool DirectoryHas(const std::string& address) const;
  // Inserts in sorted order; false when present or when the directory is full.
  bool AddToDirectory(const std::string& address);
  // Takes the addresses out of the directory and out of every net's members, global members
  // and automatic dials.
  void RemoveFromDirectory(const std::vector<std::string>& addresses);

  // Nets from 0.
  std::string NetName(int net) const { return netNames_[static_cast<std::size_t>(net)]; }
  std::string SelfAddress(int net) const { return selfAddresses_[static_cast<std::size_t>(net)]; }
  std::vector<NetMember>& Members(int net) { return members_[static_cast<std::size_t>(net)]; }
  std::vector<NetMember>& GlobalMembers(int net) {
    return globalMembers_[static_cast<std::size_t>(net)];
  }
  const std::vector<NetMember>& Members(int net) const {
    return members_[static_cast<std::size_t>(net)];
  }
  const std::vector<NetMember>& GlobalMembers(int net) const {
    return globalMembers_[static_cast<std::size_t>(net)];
  }
  // The address of automatic dial key (0..9), when it has one.
  std::optional<std::string>& DialAddress(int key) {
    return dialAddresses_[static_cast<std::size_t>(key)];
  }

  // Writes the directory (sorted, entry 0 first), the member and global member bytes (bit 7 on
  // the priority member) and the dials' address bytes back into the records.
  void Store(varim::db::RadioDatabases& databases) const;

 private:
  std::optional<int> IndexOf(const std::string& address) const;

  std::vector<std::string> directory_;
  std::array<std::string, kNets> netNames_;
  std::array<std::string, kNets> selfAddresses_;
  std::array<std::vector<NetMember>, kNets> members_;
  std::array<std::vector<NetMember>, kNets> globalMembers_;
  std::array<std::optional<std::string>, kAutoDials> dialAddresses_;
};

// Only "A".."Z" and "0".."9", as every ALE address and net name is written.
bool IsAleAddressText(const std::string& text);

// What the address box of the directory and member editors says of a text, and whether ADD and
// DELETE can be pressed for it.
enum class AddressEditor { kDirectory, kNetMembers, kGlobalMembers };

struct AddressVerdict {
  std::string warning;  // empty: nothing to say
  bool addEnabled = false;
  bool deleteEnabled = false;
  // What ADD puts in the list: the text, or kSelfAddress for the edited net's self address.
  std::string entry;
};

// The rules in their order: the characters, another net's name, a net's self address (the
// edited net's own is the member "*SELF_ADDRESS*"), already present, full. net is the edited
// net (from 0), ignored by the directory editor.
AddressVerdict CheckAddress(AleAddressBook& book, AddressEditor editor, int net,
                            const std::string& text);

}  // namespace varim::panels
