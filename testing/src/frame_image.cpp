#include "varim/testing/frame_image.h"

#include <cstdint>

namespace varim::testing {

Bytes Image(const CRadioMessage& frame) {
  MESSAGE_BYTES image{};
  frame.GetMessageBytes(&image);
  const std::uint32_t size = image.size <= kMaxImageBytes ? image.size : kMaxImageBytes;
  return Bytes(image.bytes, image.bytes + size);
}

}  // namespace varim::testing
