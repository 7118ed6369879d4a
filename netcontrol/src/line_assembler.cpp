#include "varim/netcontrol/line_assembler.h"

#include <algorithm>

namespace varim::netcontrol {

void LineAssembler::Feed(std::string_view bytes, std::vector<Line>& lines) {
  while (!givenUp_ && !bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    const std::string_view piece = bytes.substr(0, end);
    const std::size_t room = kLongestLine + 1 - std::min(current_.size(), kLongestLine + 1);
    const std::size_t kept = std::min(piece.size(), room);
    current_.append(piece.substr(0, kept));
    dropped_ += piece.size() - kept;
    const bool tooLong = current_.size() > kLongestLine;
    if (end == std::string_view::npos) {
      if (current_.size() + dropped_ < kGiveUpAfter) return;
      givenUp_ = true;
    }
    lines.push_back(tooLong ? Line{"", true} : Line{std::move(current_), false});
    current_.clear();
    dropped_ = 0;
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
  }
}

}  // namespace varim::netcontrol
