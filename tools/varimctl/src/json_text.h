#pragma once

#include <string>

namespace varimctl {

// The radio's text as a JSON string: its texts are Latin-1, JSON is UTF-8 with quotes,
// backslashes and control characters escaped.
std::string JsonString(const std::string& text);

}  // namespace varimctl
