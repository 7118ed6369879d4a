#pragma once

#include <cstring>
#include <string>

namespace varim::db {

// The text of a fixed-width record field: up to its first zero byte, or the whole field when
// the radio filled it to the last byte.
template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
  return std::string(field, strnlen(field, N));
}

}  // namespace varim::db
