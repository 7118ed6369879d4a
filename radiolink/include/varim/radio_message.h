#pragma once

#include <cstdint>
#include <type_traits>

#include "varim/export.h"

// One frame on the radio line, and its serialised image.
//
// Wire image: 24 L addr opcode data[L-1] checksum 03, where L counts the opcode and the data
// bytes. Every frame the program builds carries address 0x18; acknowledgements carry 0x10.

inline constexpr std::uint8_t kStartByte = 0x24;
inline constexpr std::uint8_t kEndByte = 0x03;
inline constexpr std::uint8_t kCommandAddress = 0x18;
inline constexpr std::uint8_t kAckAddress = 0x10;
inline constexpr std::uint8_t kAckOpcode = 0xF3;
inline constexpr int kMaxDataBytes = 256;
inline constexpr int kMaxImageBytes = 260;  // length 255: 5 framing bytes + opcode + 254 data

// The serialised frame: a byte count (length + 5) followed by the image as it goes on the line.
struct MESSAGE_BYTES {
  std::uint32_t size;
  std::uint8_t bytes[kMaxImageBytes];
};

class VARIM_API CRadioMessage {
 public:
  // Start byte, address and end byte as every outgoing frame has them; the rest is zero.
  CRadioMessage();

  void SetOpcode(std::uint8_t opcode) { opcode_ = opcode; }
  void SetLen(std::uint8_t length) { length_ = length; }
  void SetAddress(std::uint8_t address) { address_ = address; }
  // A non-zero count clears all data bytes and copies count bytes to the front; 0 keeps them.
  void SetData(std::uint8_t count, const std::uint8_t* bytes);
  // Stores the checksum; call it last, after every field is set.
  void CalcChecksum();

  int GetLen() const { return length_; }
  int GetOpcode() const { return opcode_; }
  int GetAddress() const { return address_; }
  int GetChecksum() const { return checksum_; }
  int GetStartByte() const { return start_; }
  int GetEndByte() const { return end_; }
  std::uint8_t GetDataByte(int index) const { return data_[index]; }
  const std::uint8_t* GetData() const { return data_; }
  unsigned GetRealMessageSize() const { return length_ + 5u; }
  void GetMessageBytes(MESSAGE_BYTES* image) const;

  // The checksum of the current fields, without storing it (receivers compare it).
  std::uint8_t ComputeChecksum() const;

 private:
  std::uint8_t start_;
  std::uint8_t length_;
  std::uint8_t address_;
  std::uint8_t opcode_;
  std::uint8_t checksum_;
  std::uint8_t end_;
  std::uint8_t data_[kMaxDataBytes];
};

// Frames travel between threads and through the message buffer as raw 262-byte copies.
static_assert(sizeof(CRadioMessage) == 262);
static_assert(std::is_trivially_copyable_v<CRadioMessage>);
static_assert(std::is_standard_layout_v<CRadioMessage>);
