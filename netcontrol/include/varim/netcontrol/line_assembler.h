#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace varim::netcontrol {

// Cuts what a client sends into request lines, within bounds: a line longer than kLongestLine
// is kept only as the mark that it was too long, and a stream that goes kGiveUpAfter bytes
// without a newline is given up.
class LineAssembler {
 public:
  static constexpr std::size_t kLongestLine = 1024;
  static constexpr std::size_t kGiveUpAfter = 1024 * 1024;

  struct Line {
    std::string text;  // without its newline
    bool tooLong = false;
  };

  // Appends the lines the bytes complete; once given up, takes nothing more.
  void Feed(std::string_view bytes, std::vector<Line>& lines);
  bool GivenUp() const { return givenUp_; }

 private:
  std::string current_;
  // Bytes of the current line beyond what is kept of it.
  std::size_t dropped_ = 0;
  bool givenUp_ = false;
};

}  // namespace varim::netcontrol
