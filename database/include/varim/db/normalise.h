#pragma once

#include <cstddef>
#include <string_view>

#include "varim/radio_records.h"

namespace varim::db {

// The characters each kind of text field may hold; other characters are deleted.
namespace charset {
inline constexpr std::string_view kVersion = "0123456789.";
inline constexpr std::string_view kAlnum =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
inline constexpr std::string_view kAlnumSpace =
    " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
}  // namespace charset

// A text field of the given width: zero-terminated (in its last byte at the latest),
// characters outside the charset deleted, everything after the text zero-filled.
void NormaliseText(char* field, std::size_t width, std::string_view allowed);

// Forces every field of the radio record into its legal range, in the radio's order: texts
// and options, ECN and SP lists, reserved bytes, groups, channels, band settings, service
// word and byte, radio options, accessory and tuner; then the "Delete LSB" option makes every
// channel USB and a disabled "Noise Blanker" option switches the noise blanker off.
void NormaliseRadioDatabase(dbase& radio);

// The same for the ALE record: nets, ALE options, directory, messages, automatic dials.
void NormaliseAleDatabase(ale_dbase& ale);

// A group keeps its guard channel only when it is one of its members; the member set keeps
// channels 1..200 and the reserved bytes are cleared. True when anything changed.
bool NormaliseGroup(scan_group& group);

// A net's All Call channel must be one of its scanned channels; the scanned set keeps channels
// 1..200. True when anything changed.
bool NormaliseNetChannels(ale_net& net);

}  // namespace varim::db
