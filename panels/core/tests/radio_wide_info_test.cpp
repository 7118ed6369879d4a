#include "varim/panels/radio_wide_info.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

namespace {

using ::testing::ElementsAre;

TEST(RadioWideInfo, ShowsTheTextsThatAreThereAndEveryOption) {
  dbase radio{};
  std::strcpy(radio.serial_number, "SN42");
  std::strcpy(radio.control_head_hardware_version, "2.1");
  std::strcpy(radio.ecn_list[3], "E 3");
  std::strcpy(radio.ecn_list[1], "E1");
  std::strcpy(radio.sp_list[5], "SP6");
  std::strcpy(radio.options[10].sw_version, "1.5");
  radio.options[10].status = 1;
  radio.options[0].status = 7;

  const varim::panels::RadioWideInfo info = varim::panels::RadioWideInfoOf(radio);
  EXPECT_STREQ(info.fields[0].label, "Serial No.");
  EXPECT_EQ(info.fields[0].text, "SN42");
  EXPECT_STREQ(info.fields[5].label, "C.H. H/W Ver.");
  EXPECT_EQ(info.fields[5].text, "2.1");
  EXPECT_THAT(info.ecnList, ElementsAre("E1", "E 3"));
  EXPECT_THAT(info.spList, ElementsAre("SP6"));
  ASSERT_EQ(info.options.size(), static_cast<std::size_t>(kRadioOptions));
  EXPECT_EQ(info.options[0].name, "High Stability Oscillator");
  EXPECT_EQ(info.options[0].status, "Disabled");
  const varim::panels::RadioOptionRow& global = info.options[10];
  EXPECT_EQ(global.name, "Global ALE");
  EXPECT_EQ(global.swVersion, "1.5");
  EXPECT_EQ(global.status, "Enabled");
}

}  // namespace
