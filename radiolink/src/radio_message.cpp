#include "varim/radio_message.h"

#include <cstring>

CRadioMessage::CRadioMessage()
    : start_(kStartByte),
      length_(0),
      address_(kCommandAddress),
      opcode_(0),
      checksum_(0),
      end_(kEndByte),
      data_{} {}

void CRadioMessage::SetData(std::uint8_t count, const std::uint8_t* bytes) {
  if (count == 0) return;
  std::memset(data_, 0, sizeof data_);
  std::memcpy(data_, bytes, count);
}

std::uint8_t CRadioMessage::ComputeChecksum() const {
  unsigned sum = start_ + length_ + address_ + opcode_;
  for (int i = 0; i < length_ - 1; ++i) sum += data_[i];
  return static_cast<std::uint8_t>(sum);
}

void CRadioMessage::CalcChecksum() {
  checksum_ = ComputeChecksum();
}

void CRadioMessage::GetMessageBytes(MESSAGE_BYTES* image) const {
  image->size = GetRealMessageSize();
  std::uint8_t* out = image->bytes;
  *out++ = start_;
  *out++ = length_;
  *out++ = address_;
  *out++ = opcode_;
  if (length_ > 1) {
    std::memcpy(out, data_, length_ - 1u);
    out += length_ - 1;
  }
  *out++ = checksum_;
  *out = end_;
}
