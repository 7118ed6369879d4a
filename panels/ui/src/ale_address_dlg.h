#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include <functional>

#include "varim/panels/ale_address_editors.h"

namespace varim::ui {

// "ALE Directory Configuration", "Net Members" and "Net Global Members": the address box with
// ADD and DELETE, the list, its counts and the warning line, and for the member editors the net
// spin, the order buttons and Set Priority. It mirrors the editor; OK hands its copy back.
class CAleAddressDlg : public QDialog {
  Q_OBJECT

 public:
  CAleAddressDlg(varim::panels::AleAddressEditor& editor, std::function<void()> help,
                 QWidget* parent = nullptr);

  QComboBox* AddressBox() const { return address_; }
  QPushButton* AddButton() const { return add_; }
  QListWidget* List() const { return list_; }
  QLabel* Warning() const { return warning_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Mirror();
  QPushButton* Button(const char* text);

  varim::panels::AleAddressEditor& editor_;
  varim::panels::AleMembersEditor* members_;  // null in the directory editor
  QComboBox* address_;
  QPushButton* add_;
  QPushButton* delete_;
  QListWidget* list_;
  QLabel* occupied_;
  QLabel* warning_;
  QLabel* hint_ = nullptr;
  QSpinBox* net_ = nullptr;
  QLabel* netName_ = nullptr;
  QLabel* selfAddress_ = nullptr;
  QPushButton* manual_ = nullptr;
  QPushButton* auto_ = nullptr;
  QPushButton* priority_ = nullptr;
};

}  // namespace varim::ui
