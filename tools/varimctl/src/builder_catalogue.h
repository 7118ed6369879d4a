#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "varim/radio_message.h"

namespace varimctl {

// How a builder's arguments are typed on the command line.
enum class ArgKind {
  kByte,     // an integer 0..255 (a u8 argument)
  kInt,      // any 32-bit integer
  kAddress,  // one integer of 24 bits, sent most significant byte first
  kChannel,  // two integers 0..255, sent as they are
  kText,     // a text; the length passed counts its terminating zero
  kBytes,    // all remaining integers 0..255
};

using ArgValue = std::variant<long, std::array<std::uint8_t, 3>, std::array<std::uint8_t, 2>,
                              std::string, std::vector<std::uint8_t>>;

// The parsed arguments of one builder, in its order.
class BuilderArgs {
 public:
  explicit BuilderArgs(std::vector<ArgValue> values) : values_(std::move(values)) {}
  std::uint8_t Byte(int i) const { return static_cast<std::uint8_t>(Int(i)); }
  int Int(int i) const { return static_cast<int>(std::get<long>(values_[i])); }
  const std::uint8_t* Address(int i) const {
    return std::get<std::array<std::uint8_t, 3>>(values_[i]).data();
  }
  const std::uint8_t* Channel(int i) const {
    return std::get<std::array<std::uint8_t, 2>>(values_[i]).data();
  }
  const char* Text(int i) const { return std::get<std::string>(values_[i]).c_str(); }
  int TextLength(int i) const {
    return static_cast<int>(std::get<std::string>(values_[i]).size() + 1);
  }
  const std::uint8_t* Bytes(int i) const {
    return std::get<std::vector<std::uint8_t>>(values_[i]).data();
  }
  int ByteCount(int i) const {
    return static_cast<int>(std::get<std::vector<std::uint8_t>>(values_[i]).size());
  }

 private:
  std::vector<ArgValue> values_;
};

struct BuilderEntry {
  const char* name;
  std::vector<ArgKind> args;
  std::vector<const char*> argNames;
  int (*build)(CRadioMessage* frame, const BuilderArgs& args);
};

// Every exported builder of the command set, by its exported name.
const std::vector<BuilderEntry>& Builders();
const BuilderEntry* FindBuilder(const std::string& name);

// "SetActiveChannel A CHANNEL": the name and what its arguments are called.
std::string Usage(const BuilderEntry& entry);

// Parses the words after the builder's name. On a mistake returns false and says why.
bool ParseArgs(const BuilderEntry& entry, std::span<const std::string> words,
               std::vector<ArgValue>& values, std::string& error);

// Parses decimal or 0x-prefixed hexadecimal integers, with an optional minus sign.
bool ParseInteger(const std::string& word, long& value);

}  // namespace varimctl
