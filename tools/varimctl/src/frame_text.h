#pragma once

#include <string>

#include "varim/radio_message.h"

namespace varimctl {

// The frame's image as it goes on the line: upper-case two-digit hex bytes, one blank apart.
std::string FrameHex(const CRadioMessage& frame);

}  // namespace varimctl
