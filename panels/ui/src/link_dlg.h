#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <functional>

#include "varim/panels/calls.h"

namespace varim::ui {

// The ALE tab: mirrors the calls' ALE tab and hands the operator's choices to it.
class CLinkDlg : public QWidget {
  Q_OBJECT

 public:
  // stack opens the call stack list.
  CLinkDlg(varim::panels::Calls& calls, std::function<void()> stack, QWidget* parent = nullptr);

  // Shows the tab as the calls hold it.
  void Mirror();

 private:
  varim::panels::Calls& calls_;
  QRadioButton* station_;
  QRadioButton* net_;
  QRadioButton* allCall_;
  QComboBox* netList_;
  QComboBox* channel_;
  QLineEdit* netName_;
  QLineEdit* frequency_;
  QLineEdit* linkQuality_;
  QComboBox* to_;
  QComboBox* message_;
  QPushButton* clear_;
  QPushButton* dial_;
  QPushButton* send_;
  QPushButton* stack_;
  QPushButton* replace_;
  QPushButton* abort_;
  QLabel* linkPicture_;
};

// The Update Link Quality tab.
class CUpdateLinkQualityDlg : public QWidget {
  Q_OBJECT

 public:
  explicit CUpdateLinkQualityDlg(varim::panels::Calls& calls, QWidget* parent = nullptr);

  void Mirror();

 private:
  varim::panels::Calls& calls_;
  QRadioButton* biDirectional_;
  QRadioButton* sounding_;
  QLineEdit* netNumber_;
  QLineEdit* netName_;
  QLineEdit* frequency_;
  QLineEdit* linkQuality_;
  QComboBox* channel_;
  QComboBox* to_;
  QComboBox* message_;
  QPushButton* clear_;
  QPushButton* send_;
  QPushButton* abort_;
};

// Fills a drop-down list as a choice holds it, without telling anyone of the change.
void MirrorChoice(QComboBox* box, const varim::panels::Choice& choice);
// The message history into an editable drop-down list, keeping the text being typed.
void MirrorMessages(QComboBox* box, const varim::panels::MessageHistory& history,
                    const std::string& text);

}  // namespace varim::ui
