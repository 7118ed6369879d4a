#pragma once

#include <string>

namespace varim::panels {

// The transmit and receive frequencies as the operator types them, with the rules checked on
// every keystroke: ranges, Simplex mirroring, and never both zero.
class FrequencyEntry {
 public:
  enum class Box { kTx, kRx };
  // What a keystroke or a button made of the entry: the text the operator is to be told, if any.
  struct Verdict {
    const char* message = nullptr;
  };

  // The frequencies of a channel as read, in Simplex when they are equal and non-zero.
  void Load(const std::string& tx, const std::string& rx);
  // The box's text changed. Without a ready radio nothing is checked.
  Verdict Change(Box box, const std::string& text, bool radioReady);
  // The box got the focus: its value is the one Simplex takes.
  void Focus(Box box);
  Verdict ChooseSimplex();
  void ChooseDuplex() { duplex_ = true; }

  const std::string& Text(Box box) const { return box == Box::kTx ? txText_ : rxText_; }
  bool Duplex() const { return duplex_; }
  bool ProgramEnabled() const { return programEnabled_; }

 private:
  std::string& TextOf(Box box) { return box == Box::kTx ? txText_ : rxText_; }
  float& ValueOf(Box box) { return box == Box::kTx ? tx_ : rx_; }
  Verdict CheckTx(const std::string& before);
  Verdict CheckRx(const std::string& before);
  Verdict FallBackToDuplex(const char* message);
  void Accept(Box box);

  std::string txText_;
  std::string rxText_;
  float tx_ = 0;
  float rx_ = 0;
  // A new dialog starts in Simplex.
  bool duplex_ = false;
  float lastEntered_ = 0;
  std::string lastEnteredText_;
  bool programEnabled_ = false;
};

}  // namespace varim::panels
