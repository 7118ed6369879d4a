#include "builder_catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using varimctl::ArgValue;
using varimctl::FindBuilder;

TEST(BuilderCatalogue, EveryBuilderOnceWithANameForEachArgument) {
  std::set<std::string> names;
  for (const auto& entry : varimctl::Builders()) {
    EXPECT_TRUE(names.insert(entry.name).second) << entry.name << " listed twice";
    EXPECT_EQ(entry.args.size(), entry.argNames.size()) << entry.name;
  }
  // 4 generic builders, 28 without arguments, 26 settings, 3 memory builders and 5 calls.
  EXPECT_EQ(names.size(), 66u);
  for (const char* name : {"SendReportCommand", "ReportAleON_OFF", "ReportRadioSupportMode",
                           "ReportControlHeadKeyboard", "EscapeRemoteMode", "AllCall",
                           "FourLengthCommands", "ProgramMemorySection"}) {
    EXPECT_NE(FindBuilder(name), nullptr) << name;
  }
  EXPECT_EQ(FindBuilder("reportactivechannel"), nullptr) << "names are exact";
  EXPECT_EQ(varimctl::Usage(*FindBuilder("StationCall")), "StationCall ADDRESS CH0 CH1 MESSAGE");
}

TEST(BuilderCatalogue, IntegersAreDecimalOrHexWithAnOptionalMinus) {
  long value = 0;
  const std::pair<const char*, long> accepted[] = {{"0", 0},      {"200", 200}, {"0x1F9", 0x1F9},
                                                   {"0XFF", 255}, {"-1", -1},   {"-0x10", -16},
                                                   {"010", 10}};
  for (const auto& [word, expected] : accepted) {
    ASSERT_TRUE(varimctl::ParseInteger(word, value)) << word;
    EXPECT_EQ(value, expected) << word;
  }
  for (const char* word : {"", "-", "0x", "12a", "x12", "--1", "+5", "1.5", "99999999999"}) {
    EXPECT_FALSE(varimctl::ParseInteger(word, value)) << word;
  }
}

std::string ParseError(const char* builder, std::vector<std::string> words) {
  std::vector<ArgValue> values;
  std::string error;
  EXPECT_FALSE(varimctl::ParseArgs(*FindBuilder(builder), words, values, error)) << builder;
  return error;
}

TEST(BuilderCatalogue, ArgumentMistakesAreUsageErrorsWithAReason) {
  EXPECT_EQ(ParseError("SetActiveChannel", {"0"}),
            "missing arguments; usage: SetActiveChannel A CHANNEL");
  EXPECT_EQ(ParseError("SetActiveChannel", {"0", "1", "2"}),
            "too many arguments; usage: SetActiveChannel A CHANNEL");
  EXPECT_EQ(ParseError("SetActiveChannel", {"256", "1"}), "'256' is not a byte (0..255)");
  EXPECT_EQ(ParseError("SetActiveChannel", {"0", "one"}), "'one' is not an integer");
  EXPECT_EQ(ParseError("GetMemorySection", {"0x1000000", "10"}),
            "'0x1000000' is not a radio memory address (0..0xFFFFFF)");
  EXPECT_EQ(ParseError("ProgramMemorySection", {"0", "1", "300"}), "'300' is not a byte (0..255)");
  EXPECT_EQ(ParseError("AllCall", {"0", "-1", "HELLO"}), "'-1' is not a byte (0..255)");
}

TEST(BuilderCatalogue, TextsPassTheirLengthWithTheTerminator) {
  std::vector<ArgValue> values;
  std::string error;
  const std::vector<std::string> words = {"ABC", "0", "5", ""};
  ASSERT_TRUE(varimctl::ParseArgs(*FindBuilder("StationCall"), words, values, error)) << error;
  const varimctl::BuilderArgs args(std::move(values));
  EXPECT_STREQ(args.Text(0), "ABC");
  EXPECT_EQ(args.TextLength(0), 4);
  EXPECT_EQ(args.Channel(1)[0], 0);
  EXPECT_EQ(args.Channel(1)[1], 5);
  EXPECT_EQ(args.TextLength(2), 1);
}

}  // namespace
