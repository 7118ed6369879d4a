#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <cstring>

#include "radio_options_view.h"
#include "radio_wide_info_dlg.h"
#include "varim/testing/recording_operator.h"

namespace {

using varim::panels::RadioOptionsPage;
using varim::ui::CRadioOptionsView;
using varim::ui::CRadioWideInfoDlg;

template <typename T>
T* Named(QWidget& parent, const QString& name) {
  for (T* widget : parent.findChildren<T*>()) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    if (face != nullptr && face->text(QAccessible::Name) == name) return widget;
  }
  return nullptr;
}

// A drop-down list announces its chosen entry; its label names it, as a buddy.
QComboBox* Labelled(QWidget& parent, const QString& label) {
  for (QLabel* candidate : parent.findChildren<QLabel*>())
    if (candidate->text() == label) return qobject_cast<QComboBox*>(candidate->buddy());
  return nullptr;
}

class RadioOptionsViewTest : public ::testing::Test {
 protected:
  RadioOptionsViewTest() {
    dbase& radio = db_.radio;
    radio.radio_options.scan_rate = 4;
    radio.radio_options.cw_ptt_hold = 30;
    radio.radio_options.microphone_side_tone = 7;
    radio.language = 2;
    radio.tuner = 1;
    flags_.ccir_present = 1;
    page_.Load();
  }

  varim::db::RadioDatabases db_ = varim::db::EmptyRadioDatabases();
  varim::db::PresenceFlags flags_;
  varim::testing::RecordingOperator operator_;
  RadioOptionsPage page_{db_, flags_, operator_};
  CRadioOptionsView view_{page_};
};

TEST_F(RadioOptionsViewTest, ThePageMirrorsTheLoadedRecord) {
  ASSERT_NE(Labelled(view_, "Scan Rate :"), nullptr);
  EXPECT_EQ(Labelled(view_, "Scan Rate :")->currentText(), "4 Ch/Sec");
  EXPECT_EQ(Labelled(view_, "CW PTT Hold :")->currentIndex(), -1);
  QComboBox* language = Labelled(view_, "Language :");
  EXPECT_EQ(language->currentText(), "ENGLISH");
  EXPECT_FALSE(language->isEnabled());
  EXPECT_FALSE(Named<QCheckBox>(view_, "Noise Blanker")->isEnabled());
  EXPECT_FALSE(Named<QCheckBox>(view_, "ISB")->isEnabled());
  EXPECT_FALSE(Named<QCheckBox>(view_, "Accessory 1")->isVisibleTo(&view_));

  QCheckBox* sideTone = Named<QCheckBox>(view_, "Microphone side tone");
  EXPECT_EQ(sideTone->checkState(), Qt::PartiallyChecked);
  sideTone->click();
  EXPECT_EQ(page_.State(RadioOptionsPage::Box::kMicrophoneSideTone),
            RadioOptionsPage::CheckState::kChecked);
}

TEST_F(RadioOptionsViewTest, CheckingAmplifierClearsTheTuner) {
  QCheckBox* tuner = Named<QCheckBox>(view_, "Tuner");
  ASSERT_EQ(tuner->checkState(), Qt::Checked);
  QAccessibleInterface* amplifier =
      QAccessible::queryAccessibleInterface(Named<QCheckBox>(view_, "Amplifier"));
  amplifier->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_EQ(page_.State(RadioOptionsPage::Box::kAmplifier), RadioOptionsPage::CheckState::kChecked);
  EXPECT_EQ(page_.State(RadioOptionsPage::Box::kTuner), RadioOptionsPage::CheckState::kUnchecked);
  EXPECT_EQ(tuner->checkState(), Qt::Unchecked);
}

TEST(RadioWideInfoDlgTest, TheOptionGridNamesGlobalAle) {
  dbase radio{};
  std::strcpy(radio.serial_number, "SN42");
  radio.options[10].status = 1;
  CRadioWideInfoDlg dialog(varim::panels::RadioWideInfoOf(radio));
  EXPECT_EQ(dialog.windowTitle(), "Radio Wide Information");
  EXPECT_EQ(Named<QLineEdit>(dialog, "Serial No.")->text(), "SN42");
  QTableWidget* grid = Named<QTableWidget>(dialog, "Radio Options List");
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->horizontalHeaderItem(3)->text(), "Status");
  EXPECT_EQ(grid->item(10, 0)->text(), "Global ALE");
  EXPECT_EQ(grid->item(10, 3)->text(), "Enabled");
}

}  // namespace
