#include "varim/netcontrol/line_assembler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using varim::netcontrol::LineAssembler;

// The lines the pieces make, a too-long one shown as "<too long>".
std::vector<std::string> LinesOf(const std::vector<std::string>& pieces, LineAssembler& input) {
  std::vector<LineAssembler::Line> lines;
  for (const std::string& piece : pieces) input.Feed(piece, lines);
  std::vector<std::string> texts;
  for (const auto& line : lines) texts.push_back(line.tooLong ? "<too long>" : line.text);
  return texts;
}

TEST(LineAssemblerTest, LinesAreCutAtNewlinesAndLongOnesAreMarkedNotKept) {
  const std::string longest(LineAssembler::kLongestLine, 'f');
  struct Case {
    std::vector<std::string> pieces;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {{"f\nm\n"}, {"f", "m"}},
      {{"F 71", "00000\r\n", "\n"}, {"F 7100000\r", ""}},
      {{"f"}, {}},
      {{longest + "\n"}, {longest}},
      {{longest, "f\nm\n"}, {"<too long>", "m"}},
      {{std::string(5000, 'x'), std::string(5000, 'x') + "\nf\n"}, {"<too long>", "f"}},
  };
  for (const Case& c : cases) {
    LineAssembler input;
    EXPECT_EQ(LinesOf(c.pieces, input), c.lines);
    EXPECT_FALSE(input.GivenUp());
  }
}

TEST(LineAssemblerTest, AMegabyteWithoutANewlineIsGivenUpAsOneTooLongLine) {
  LineAssembler input;
  const std::string chunk(64 * 1024, 'x');
  std::vector<std::string> pieces(LineAssembler::kGiveUpAfter / chunk.size() - 1, chunk);
  EXPECT_TRUE(LinesOf(pieces, input).empty());
  EXPECT_FALSE(input.GivenUp());
  EXPECT_EQ(LinesOf({chunk, "\nf\n"}, input), std::vector<std::string>{"<too long>"});
  EXPECT_TRUE(input.GivenUp());
}

}  // namespace
