#include "varim/radio_message.h"

#include <array>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "varim/testing/bytes.h"
#include "varim/testing/frame_image.h"

namespace {

using varim::testing::Bytes;
using varim::testing::Image;

// The frame as it would go on the line; the size field decides how much of it counts.
TEST(RadioMessage, NewFrameCarriesTheCommandFramingIn262Bytes) {
  // Frames cross threads as raw 262-byte copies, so the size is part of the contract.
  EXPECT_EQ(sizeof(CRadioMessage), 262u);

  const CRadioMessage frame;
  EXPECT_EQ(frame.GetStartByte(), 0x24);
  EXPECT_EQ(frame.GetAddress(), 0x18);
  EXPECT_EQ(frame.GetEndByte(), 0x03);
}

TEST(RadioMessage, ReportRequestWithoutDataIsSixBytesOnTheLine) {
  CRadioMessage frame;
  frame.SetOpcode(2);
  frame.SetLen(1);
  frame.CalcChecksum();

  EXPECT_EQ(frame.GetChecksum(), 0x3F);
  EXPECT_EQ(frame.GetRealMessageSize(), 6u);
  EXPECT_EQ(Image(frame), Bytes({0x24, 0x01, 0x18, 0x02, 0x3F, 0x03}));
}

TEST(RadioMessage, ChecksumSumsFramingOpcodeAndCountedDataOnly) {
  struct Case {
    const char* what;
    std::uint8_t address;
    std::uint8_t opcode;
    std::uint8_t length;
    Bytes data;
    Bytes image;
  };
  const Case cases[] = {
      {"a data byte beyond the length is not summed",
       0x18,
       0x10,
       3,
       {0x01, 0x02, 0xFF},
       {0x24, 0x03, 0x18, 0x10, 0x01, 0x02, 0x52, 0x03}},
      {"the sum wraps modulo 256",
       0x18,
       0xF3,
       3,
       {0xFF, 0xFF},
       {0x24, 0x03, 0x18, 0xF3, 0xFF, 0xFF, 0x30, 0x03}},
      {"the address byte is summed", 0x10, 0xF3, 1, {}, {0x24, 0x01, 0x10, 0xF3, 0x28, 0x03}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CRadioMessage frame;
    frame.SetAddress(c.address);
    frame.SetOpcode(c.opcode);
    frame.SetLen(c.length);
    frame.SetData(static_cast<std::uint8_t>(c.data.size()), c.data.data());
    frame.CalcChecksum();
    EXPECT_EQ(Image(frame), c.image);
  }
}

TEST(RadioMessage, SerialisingKeepsTheStoredChecksumEvenWhenStale) {
  CRadioMessage frame;
  frame.SetOpcode(2);
  frame.SetLen(1);
  frame.CalcChecksum();
  frame.SetOpcode(4);  // a change after CalcChecksum must go out unrepaired

  EXPECT_EQ(Image(frame), Bytes({0x24, 0x01, 0x18, 0x04, 0x3F, 0x03}));
}

TEST(RadioMessage, SetDataClearsBehindTheCopiedBytesUnlessTheCountIsZero) {
  CRadioMessage frame;
  std::array<std::uint8_t, 255> filler;
  filler.fill(0xEE);
  frame.SetData(255, filler.data());

  const std::uint8_t two[] = {0x11, 0x22};
  frame.SetData(2, two);
  EXPECT_EQ(frame.GetDataByte(0), 0x11);
  EXPECT_EQ(frame.GetDataByte(1), 0x22);
  for (int i = 2; i < kMaxDataBytes; ++i) {
    ASSERT_EQ(frame.GetDataByte(i), 0) << "data byte " << i;
  }

  const std::uint8_t ignored[] = {0x99, 0x99};
  frame.SetData(0, ignored);
  EXPECT_EQ(frame.GetDataByte(0), 0x11);
  EXPECT_EQ(frame.GetDataByte(1), 0x22);
  EXPECT_EQ(frame.GetDataByte(2), 0);
}

TEST(RadioMessage, LongestFrameSerialisesTo260Bytes) {
  std::array<std::uint8_t, 254> data;
  for (int i = 0; i < 254; ++i) data[i] = static_cast<std::uint8_t>(i);
  CRadioMessage frame;
  frame.SetOpcode(0x20);
  frame.SetLen(255);
  frame.SetData(254, data.data());
  frame.CalcChecksum();

  EXPECT_EQ(frame.GetLen(), 255);
  EXPECT_EQ(frame.GetRealMessageSize(), 260u);
  const Bytes image = Image(frame);
  ASSERT_EQ(image.size(), 260u);
  EXPECT_EQ(Bytes(image.begin(), image.begin() + 4), Bytes({0x24, 0xFF, 0x18, 0x20}));
  EXPECT_EQ(Bytes(image.begin() + 4, image.begin() + 258), Bytes(data.begin(), data.end()));
  EXPECT_EQ(image[258], 0xDE);
  EXPECT_EQ(image[259], 0x03);
}

TEST(RadioMessage, ByteFieldsReadBackUnsigned) {
  const std::uint8_t data[] = {0x80};
  CRadioMessage frame;
  frame.SetOpcode(0xF3);
  frame.SetLen(2);
  frame.SetData(1, data);
  frame.CalcChecksum();  // 0x24 + 0x02 + 0x18 + 0xF3 + 0x80 = 0x1B1

  EXPECT_EQ(frame.GetOpcode(), 243);
  EXPECT_EQ(frame.GetChecksum(), 0xB1);
  EXPECT_EQ(frame.GetRealMessageSize(), 7u);
}

}  // namespace
