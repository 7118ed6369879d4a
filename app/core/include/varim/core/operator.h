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
};

}  // namespace varim::core
