#pragma once

#include <QDialog>

namespace varim::ui {

// "About Radio Control": what the program says of itself, as key and value.
class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

// The start-up picture with the program's description and version, shown for a few seconds.
class CSplashDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CSplashDlg(QWidget* parent = nullptr);
  // The two lines under the picture.
  static QString FirstLine();
  static QString SecondLine();
};

}  // namespace varim::ui
