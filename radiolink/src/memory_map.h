#pragma once

#include <cstddef>

namespace varim::link {

// Where each record lies in radio memory: the record is a byte image of memory from its first
// section's address, except where a section says otherwise.
struct MemorySection {
  long address;
  int length;
  std::size_t recordOffset;
  const char* name;
};

namespace memory_map {

// The radio record, in transfer order. The first stretch is read whole; of it a write sends
// only the language byte. The service area moves only when asked for.
inline constexpr MemorySection kRadioHeader = {0, 1270, 0, "Radio Header"};
inline constexpr MemorySection kRadioLanguage = {1221, 1, 1221, "Language"};
inline constexpr MemorySection kRadioServiceArea[] = {{1270, 60, 1270, "Band Settings"},
                                                      {1330, 3, 1330, "Service Word"}};
inline constexpr MemorySection kRadioTail[] = {
    {1383, 305, 1383, "Groups"},
    {1688, 2600, 1688, "Channels"},
    {4288, 14, 4288, "Radio Options"},
    {4302, 2, 4302, "Accessories"},
};

inline constexpr MemorySection kAleSections[] = {
    {4304, 1820, 0, "ALE Nets"},
    {6124, 12, 1820, "ALE Options"},
    {6136, 1600, 1832, "ALE Directory"},
    {7736, 20, 3432, "ALE Automatic Dials"},
    {7756, 4, 3452, "ALE Program Word"},
    {7761, 910, 3457, "ALE Messages"},  // the byte at 7760 is skipped
};

inline constexpr MemorySection kCcirSections[] = {
    {8853, 2, 0, "CCIR Four-Digit Identity"},
    {8855, 4, 2, "CCIR Six-Digit Identity"},
    {8859, 400, 6, "CCIR Directory"},
    {9259, 66, 406, "CCIR Messages"},
    {9325, 1, 472, "CCIR Preamble"},
    {9327, 1, 474, "CCIR Alarm"},
    {9326, 1, 473, "CCIR Beacon"},
};

inline constexpr MemorySection kChannelNames = {9368, 400, 0, "CCIR Channel Numbers"};
inline constexpr MemorySection kExtraOptions = {9573, 4, 0, "Extra Options"};
// The global members share the CCIR area: 20 names of 16 bytes, then 20 x 20 member bytes.
inline constexpr MemorySection kGlobalNames = {8853, 20 * 16, 0, "Global Member Names"};
inline constexpr MemorySection kGlobalAddresses = {9173, 20 * 20, 0, "Global Members"};

inline constexpr MemorySection kRadioSoftwareVersion = {0, 8, 0, "Radio Software Version"};
inline constexpr MemorySection kProgramWord = {8, 4, 0, "Program Word"};
inline constexpr MemorySection kSoftwareVersion = {60, 8, 0, "Software Version"};
inline constexpr MemorySection kOptionList = {68, 255, 68, "Option List"};

}  // namespace memory_map

}  // namespace varim::link
