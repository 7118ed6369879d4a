#pragma once

#include <QString>

#include "varim/core/operator.h"

namespace varim::ui {

inline constexpr char kHelpFileName[] = "KlvHelp.pdf";

// Opens the help document in folder with the desktop's viewer, or tells the operator why not.
bool OpenHelp(const QString& folder, varim::core::Operator& op);

}  // namespace varim::ui
