#include "frame_text.h"

namespace varimctl {

std::string FrameHex(const CRadioMessage& frame) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  MESSAGE_BYTES image;
  frame.GetMessageBytes(&image);
  std::string text;
  text.reserve(image.size * 3);
  for (std::uint32_t i = 0; i < image.size; ++i) {
    if (i > 0) text += ' ';
    text += kDigits[image.bytes[i] >> 4];
    text += kDigits[image.bytes[i] & 0x0F];
  }
  return text;
}

}  // namespace varimctl
