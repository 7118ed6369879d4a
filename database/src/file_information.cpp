#include "varim/db/file_information.h"

namespace varim::db {

std::string EncodeComment(std::string_view comment) {
  std::string stored;
  for (std::size_t i = 0; i < comment.size(); ++i) {
    if (comment[i] == '\r' || comment[i] == '\n') {
      stored += "\\r";
      if (comment[i] == '\r' && i + 1 < comment.size() && comment[i + 1] == '\n') ++i;
    } else {
      stored += comment[i];
    }
  }
  return stored;
}

std::string DecodeComment(const std::string& stored) {
  std::string comment;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    if (stored[i] == '\\' && i + 1 < stored.size() && stored[i + 1] == 'r') {
      comment += "\r\n";
      ++i;
    } else {
      comment += stored[i];
    }
  }
  return comment;
}

}  // namespace varim::db
