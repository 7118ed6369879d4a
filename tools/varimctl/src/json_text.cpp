#include "json_text.h"

#include <cstdio>

namespace varimctl {

std::string JsonString(const std::string& text) {
  std::string json = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (byte < 0x20 || byte == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      json += escaped;
    } else if (byte >= 0x80) {
      json += static_cast<char>(0xC0 | (byte >> 6));
      json += static_cast<char>(0x80 | (byte & 0x3F));
    } else {
      json += c;
    }
  }
  return json + "\"";
}

}  // namespace varimctl
