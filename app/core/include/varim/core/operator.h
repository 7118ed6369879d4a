#pragma once

#include <string>

namespace varim::core {

// How the program talks to the person at the radio: message boxes in the window, lines on a
// terminal, a record in tests. Texts pass through unchanged.
class Operator {
 public:
  enum class Icon { kInformation, kExclamation, kError };

  virtual ~Operator() = default;
  virtual void Notify(const std::string& text, Icon icon) = 0;
  // A Yes/No question; true for Yes.
  virtual bool Ask(const std::string& text) = 0;
  // An OK/Cancel question under a warning icon, for a step the operator must prepare the radio
  // for; true for OK. Operators that only know Yes/No ask it that way.
  virtual bool Confirm(const std::string& text) { return Ask(text); }
};

}  // namespace varim::core
