#pragma once

#include <QPushButton>
#include <QWidget>
#include <functional>

#include "varim/core/radio_generation.h"

namespace varim::ui {

// Keys of the control head as buttons; each click presses and releases its key on the radio.
// Digits, "#" and "*" typed while a key has the focus press their keys too.
class CHeadKeypad : public QWidget {
  Q_OBJECT

 public:
  // The head's two key groups: navigation, soft keys, Esc, Enter and MENU; and the digits.
  enum class Part { kControl, kDigits };
  using Press = std::function<void(int key)>;

  CHeadKeypad(varim::core::RadioGeneration generation, Part part, Press press,
              QWidget* parent = nullptr);

  QPushButton* Button(int key) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QPushButton* AddKey(int key);

  Press press_;
  bool compact_;
};

}  // namespace varim::ui
