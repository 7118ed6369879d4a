#include "varim/panels/ale_address_book.h"

#include <algorithm>
#include <cstring>

#include "varim/db/field_text.h"

namespace varim::panels {

namespace {

constexpr std::uint8_t kPriorityBit = 0x80;
constexpr std::uint8_t kIndexBits = 0x7F;
constexpr char kPrioritySuffix[] = "  Priority";

// The text of directory entry index as the record holds it, when it names one.
std::optional<std::string> EntryText(const std::vector<std::string>& raw, int index) {
  if (index < 0 || index >= static_cast<int>(raw.size()) || raw[index].empty()) return {};
  return raw[static_cast<std::size_t>(index)];
}

std::vector<NetMember> ReadMembers(const std::uint8_t* bytes, int count, bool withPriority,
                                   const std::vector<std::string>& raw) {
  std::vector<NetMember> members;
  for (int i = 0; i < count && bytes[i] != kNoEntry; ++i) {
    if (bytes[i] == kOwnSelfAddress) {
      members.push_back({AleAddressBook::kSelfAddress, false});
      continue;
    }
    const int index = withPriority ? bytes[i] & kIndexBits : bytes[i];
    if (const auto text = EntryText(raw, index))
      members.push_back({*text, withPriority && (bytes[i] & kPriorityBit) != 0});
  }
  return members;
}

std::string Quoted(const std::string& text) {
  return "'" + text + "'";
}

}  // namespace

bool IsAleAddressText(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
  });
}

AleAddressBook::AleAddressBook(const varim::db::RadioDatabases& databases) {
  const ale_dbase& ale = databases.ale;
  std::vector<std::string> raw;
  for (const auto& entry : ale.directory) raw.push_back(varim::db::FieldText(entry));
  for (const std::string& text : raw) {
    if (!text.empty() && !DirectoryHas(text)) directory_.push_back(text);
  }
  std::sort(directory_.begin(), directory_.end());
  for (int net = 0; net < kNets; ++net) {
    const ale_net& record = ale.nets[net];
    netNames_[static_cast<std::size_t>(net)] = varim::db::FieldText(record.net_name);
    selfAddresses_[static_cast<std::size_t>(net)] = varim::db::FieldText(record.self_address);
    members_[static_cast<std::size_t>(net)] = ReadMembers(record.members, kNetMembers, false, raw);
    globalMembers_[static_cast<std::size_t>(net)] =
        ReadMembers(databases.globalMembers.nets[net].global_members, kGlobalMembers, true, raw);
  }
  for (int key = 0; key < kAutoDials; ++key)
    dialAddresses_[static_cast<std::size_t>(key)] = EntryText(raw, ale.auto_dials[key][0]);
}

bool AleAddressBook::DirectoryHas(const std::string& address) const {
  return std::find(directory_.begin(), directory_.end(), address) != directory_.end();
}

std::optional<int> AleAddressBook::IndexOf(const std::string& address) const {
  const auto found = std::find(directory_.begin(), directory_.end(), address);
  if (found == directory_.end()) return {};
  return static_cast<int>(found - directory_.begin());
}

bool AleAddressBook::AddToDirectory(const std::string& address) {
  if (DirectoryHas(address) || static_cast<int>(directory_.size()) >= kDirectoryEntries)
    return false;
  directory_.insert(std::upper_bound(directory_.begin(), directory_.end(), address), address);
  return true;
}

void AleAddressBook::RemoveFromDirectory(const std::vector<std::string>& addresses) {
  auto removed = [&addresses](const std::string& text) {
    return std::find(addresses.begin(), addresses.end(), text) != addresses.end();
  };
  std::erase_if(directory_, removed);
  for (auto* lists : {&members_, &globalMembers_}) {
    for (std::vector<NetMember>& members : *lists)
      std::erase_if(members, [&removed](const NetMember& m) { return removed(m.address); });
  }
  for (std::optional<std::string>& dial : dialAddresses_) {
    if (dial && removed(*dial)) dial.reset();
  }
}

void AleAddressBook::Store(varim::db::RadioDatabases& databases) const {
  ale_dbase& ale = databases.ale;
  std::memset(ale.directory, 0, sizeof ale.directory);
  for (std::size_t i = 0; i < directory_.size(); ++i)
    std::strncpy(ale.directory[i], directory_[i].c_str(), sizeof ale.directory[i] - 1);
  auto write = [this](const std::vector<NetMember>& members, std::uint8_t* bytes, int count) {
    std::fill(bytes, bytes + count, kNoEntry);
    int place = 0;
    for (const NetMember& member : members) {
      if (place == count) break;
      if (member.address == kSelfAddress) {
        bytes[place++] = kOwnSelfAddress;
      } else if (const auto index = IndexOf(member.address)) {
        bytes[place++] = static_cast<std::uint8_t>(*index | (member.priority ? kPriorityBit : 0));
      }
    }
  };
  for (int net = 0; net < kNets; ++net) {
    write(members_[static_cast<std::size_t>(net)], ale.nets[net].members, kNetMembers);
    write(globalMembers_[static_cast<std::size_t>(net)],
          databases.globalMembers.nets[net].global_members, kGlobalMembers);
  }
  for (int key = 0; key < kAutoDials; ++key) {
    const std::optional<std::string>& dial = dialAddresses_[static_cast<std::size_t>(key)];
    const auto index = dial ? IndexOf(*dial) : std::nullopt;
    ale.auto_dials[key][0] = index ? static_cast<std::uint8_t>(*index) : kNoEntry;
  }
}

AddressVerdict CheckAddress(AleAddressBook& book, AddressEditor editor, int net,
                            const std::string& text) {
  AddressVerdict verdict;
  if (text.empty()) return verdict;
  std::string address = text;
  // A global member is shown with its priority mark; chosen from the list it is still itself.
  const std::size_t suffix = address.rfind(kPrioritySuffix);
  if (editor == AddressEditor::kGlobalMembers && suffix != std::string::npos &&
      suffix + std::strlen(kPrioritySuffix) == address.size())
    address.erase(suffix);
  const bool members = editor != AddressEditor::kDirectory;
  bool self = members && address == AleAddressBook::kSelfAddress;
  if (!self && !IsAleAddressText(address)) {
    verdict.warning = Quoted(text) + " is an invalid address.";
    return verdict;
  }
  for (int other = 0; other < kNets && !self; ++other) {
    if (book.NetName(other) == address) {
      verdict.warning = Quoted(address) + " is net no. " + std::to_string(other + 1) + " Net Name.";
      return verdict;
    }
  }
  for (int other = 0; other < kNets && !self; ++other) {
    if (book.SelfAddress(other) != address) continue;
    if (members && other == net) {
      self = true;
      break;
    }
    verdict.warning =
        Quoted(address) + " is net no. " + std::to_string(other + 1) + " Self Address.";
    return verdict;
  }
  verdict.entry = self ? AleAddressBook::kSelfAddress : address;

  if (!members) {
    if (book.DirectoryHas(address)) {
      verdict.warning = address + " is in the Directory.";
      verdict.deleteEnabled = true;
    } else if (static_cast<int>(book.Directory().size()) >= kDirectoryEntries) {
      verdict.warning = "The Directory is full; cannot add new address.";
    } else {
      verdict.addEnabled = true;
    }
    return verdict;
  }
  const bool global = editor == AddressEditor::kGlobalMembers;
  const std::vector<NetMember>& list = global ? book.GlobalMembers(net) : book.Members(net);
  const auto present = std::find_if(list.begin(), list.end(), [&verdict](const NetMember& m) {
    return m.address == verdict.entry;
  });
  if (present != list.end()) {
    verdict.warning = verdict.entry + " is in the Members list" +
                      (present->priority ? " (Priority)." : ".");
    verdict.deleteEnabled = true;
  } else if (static_cast<int>(list.size()) >= (global ? kGlobalMembers : kNetMembers)) {
    verdict.warning = global ? "The Global Members list is full; cannot add new members."
                             : "The Members list is full; cannot add new members.";
  } else if (!self && !book.DirectoryHas(address) &&
             static_cast<int>(book.Directory().size()) >= kDirectoryEntries) {
    verdict.warning = "The Directory is full; new members are avalable from Directory only.";
  } else {
    verdict.addEnabled = true;
  }
  return verdict;
}

}  // namespace varim::panels
