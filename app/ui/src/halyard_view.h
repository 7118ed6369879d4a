#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QTableWidget>
#include <QWidget>

#include "channel_dlg.h"
#include "clarifier_pane_view.h"
#include "head_display.h"
#include "head_keypad.h"
#include "notch_pane_view.h"
#include "varim/core/connection_controller.h"
#include "varim/panels/channel_panes.h"
#include "varim/panels/front_panel.h"

namespace varim::ui {

// The main view: the child panels the six panels of the window are made of. Which of them a
// panel shows is decided here; what each child does inside is its own business.
class CHalyardView : public QWidget {
  Q_OBJECT

 public:
  explicit CHalyardView(varim::core::ConnectionController& controller, QWidget* parent = nullptr);

  void ShowPanel(varim::core::Panel panel);
  void EnablePanels(bool enabled);
  // The ALE, CCIR and options editors, as the start-up connection leaves them.
  void EnableEditors();
  // The channels grid carries the CCIR channel numbers while the radio has CCIR.
  void AdaptToCcir(bool ccirPresent);
  // Shows what the controller knows: the channel list, sliders, status line.
  void Refresh();
  void SetStatusLine(const QString& text) { statusLine_->setText(text); }
  // The head's displays draw what the front panel decodes, and its keypads press its keys.
  void AttachFrontPanel(varim::panels::FrontPanel& frontPanel);
  // The channel area takes the channel panel, above its status line.
  void AttachChannelDlg(CChannelDlg* channelDlg);
  // The clarifier and notch-filter panes show and work what the feature holds.
  void AttachChannelPanes(varim::panels::ChannelPanes& panes);

  QWidget* ChannelPanel() const { return channelPanel_; }
  QWidget* ClarifierPanel() const { return clarifierPanel_; }
  QWidget* NotchPanel() const { return notchPanel_; }
  CClarifierPaneView* ClarifierPane() const { return clarifierPane_; }
  CNotchPaneView* NotchPane() const { return notchPane_; }
  QWidget* OptionsEditor() const { return optionsEditor_; }
  QTableWidget* ChannelsGrid() const { return channelsGrid_; }
  QTableWidget* GroupsGrid() const { return groupsGrid_; }
  QWidget* AleEditor() const { return aleEditor_; }
  QWidget* CcirEditor() const { return ccirEditor_; }
  QWidget* Display() const;
  CChannelDlg* ChannelDlg() const { return channelDlg_; }
  QLabel* StatusLine() const { return statusLine_; }
  bool KeypadsShown() const { return !keypads_.isEmpty(); }
  // The keys of the front panel shown, none while no front panel is.
  QList<CHeadKeypad*> Keypads() const;
  bool CcirAdapted() const { return ccirAdapted_; }

 private:
  QGroupBox* Child(const QString& name, const QString& title);
  void MakeKeypads(varim::core::RadioGeneration generation);
  void DestroyKeypads();

  varim::core::ConnectionController& controller_;
  QGroupBox* channelPanel_;
  CChannelDlg* channelDlg_ = nullptr;
  QLabel* statusLine_;
  QGroupBox* clarifierPanel_;
  QGroupBox* notchPanel_;
  varim::panels::ChannelPanes* panes_ = nullptr;
  CClarifierPaneView* clarifierPane_ = nullptr;
  CNotchPaneView* notchPane_ = nullptr;
  QGroupBox* optionsEditor_;
  QLabel* channelsLabel_;
  QTableWidget* channelsGrid_;
  QLabel* groupsLabel_;
  QTableWidget* groupsGrid_;
  QGroupBox* aleEditor_;
  QGroupBox* ccirEditor_;
  QGroupBox* display2_;
  QGroupBox* display1_;
  CHeadDisplay* varimHead_;
  CHeadDisplay* varim2eHead_;
  varim::panels::FrontPanel* frontPanel_ = nullptr;
  QList<QWidget*> keypads_;
  bool ccirAdapted_ = false;
};

}  // namespace varim::ui
