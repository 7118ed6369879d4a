#pragma once

#include <cstdint>

// Numbers kept in the radio's big-endian byte order inside a record.

inline std::uint16_t ReadBigEndian16(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]);
}

inline std::uint32_t ReadBigEndian32(const std::uint8_t* bytes) {
  return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
         (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]};
}

inline void WriteBigEndian16(std::uint8_t* bytes, std::uint16_t value) {
  bytes[0] = static_cast<std::uint8_t>(value >> 8);
  bytes[1] = static_cast<std::uint8_t>(value);
}

inline void WriteBigEndian32(std::uint8_t* bytes, std::uint32_t value) {
  bytes[0] = static_cast<std::uint8_t>(value >> 24);
  bytes[1] = static_cast<std::uint8_t>(value >> 16);
  bytes[2] = static_cast<std::uint8_t>(value >> 8);
  bytes[3] = static_cast<std::uint8_t>(value);
}

// Swaps a host-order field of a record into the radio's order or back (the same operation).
inline std::uint16_t SwapBytes16(std::uint16_t value) {
  return __builtin_bswap16(value);
}
inline std::uint32_t SwapBytes32(std::uint32_t value) {
  return __builtin_bswap32(value);
}
