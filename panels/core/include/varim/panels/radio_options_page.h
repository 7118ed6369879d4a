#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "varim/core/operator.h"
#include "varim/db/presence_flags.h"
#include "varim/db/radio_databases.h"

namespace varim::panels {

// The RSS panel's page of radio options, language and accessories, without a window. It edits
// a working copy of the radio record's options block, accessory and tuner bytes and radio-wide
// block (with the option list and the language); Load fills the copy from the program's record
// and Store hands it back.
class RadioOptionsPage {
 public:
  enum class OptionList {
    kPriorityChannel,
    kScanRate,
    kBaudRate,
    kAlertTone,
    kCwPttHold,
    kAlternateDisplay,
    kDataPowerLevel,
    kLanguage,
  };
  enum class Box {
    kBeepAfterKeyboardPress,
    kBeepAfterPttRelease,
    kAccessorySideTone,
    kMicrophoneSideTone,
    kHideFrequency,
    kNoiseBlanker,
    kTuner,
    kAmplifier,
    kAccessory1,
    kAccessory2,
    kIsb,
  };
  // Indeterminate: the field holds neither 0 nor 1.
  enum class CheckState { kUnchecked, kChecked, kIndeterminate };

  static constexpr int kOptionLists = 8;
  static constexpr int kBoxes = 11;
  static constexpr int kNoSelection = -1;

  static constexpr std::array<const char*, kOptionLists> kListLabels = {
      "Priority Channel :", "Scan Rate :",         "Baud Rate :",        "Alert tone :",
      "CW PTT Hold :",      "Alternate Display :", "Data Power Level :", "Language :"};
  static constexpr std::array<const char*, kBoxes> kBoxLabels = {"Beep after keyboard press",
                                                                 "Beep after PTT release",
                                                                 "Accessory side tone",
                                                                 "Microphone side tone",
                                                                 "Hide frequency",
                                                                 "Noise Blanker",
                                                                 "Tuner",
                                                                 "Amplifier",
                                                                 "Accessory 1",
                                                                 "Accessory 2",
                                                                 "ISB"};

  // The record and flags are the program's own.
  RadioOptionsPage(varim::db::RadioDatabases& databases, const varim::db::PresenceFlags& flags,
                   varim::core::Operator& op);

  // Called after every change of what the page shows.
  void SetListener(std::function<void()> listener) { listener_ = std::move(listener); }
  // Called when a choice changed what the configuration check looks at; the record already
  // holds the choice then.
  void SetConfigurationChanged(std::function<void()> changed) {
    configurationChanged_ = std::move(changed);
  }
  // Told of every choice the operator makes on the page, for the file's unsaved-changes mark.
  void SetEdited(std::function<void()> edited) { edited_ = std::move(edited); }

  // After a file was opened or the database read. An accessory other than the amplifier is
  // dropped from the copy.
  void Load();
  // Before a file is saved or the database written. The accessory and tuner go back only while
  // the radio has the extended support mode.
  void Store();
  // A cleared copy with the defaults of a new database.
  void NewPage();

  static std::vector<std::string> Entries(OptionList list);
  // kNoSelection when the field holds a value the list does not offer.
  int Selection(OptionList list) const { return selections_[Index(list)]; }
  void Choose(OptionList list, int index);

  CheckState State(Box box) const;
  void Check(Box box, bool checked);
  // Accessory 1 and 2 are not offered on this page.
  static bool Shown(Box box) { return box != Box::kAccessory1 && box != Box::kAccessory2; }

  bool Enabled(OptionList list) const;
  bool Enabled(Box box) const;
  // While the database moves to or from the radio nothing on the page can be changed.
  void SetTransferRunning(bool running);
  // The radio reported whether it works ISB.
  void SetIsbPresent(bool present);

  // The speed of the baud choice; 0, with the operator told, when there is none.
  int BaudRate() const;

 private:
  // The boxes before kAmplifier each show a one-byte flag; the accessory boxes share one byte.
  static constexpr int kFlagBoxes = 7;

  static std::size_t Index(OptionList list) { return static_cast<std::size_t>(list); }
  static std::size_t Index(Box box) { return static_cast<std::size_t>(box); }
  void Show();
  void Exchange();
  bool NoiseBlankerOptionEnabled() const;
  void Changed() const;

  varim::db::RadioDatabases& databases_;
  const varim::db::PresenceFlags& flags_;
  varim::core::Operator& operator_;
  std::function<void()> listener_;
  std::function<void()> configurationChanged_;
  std::function<void()> edited_;
  // Only the parts the page loads and stores are meaningful.
  dbase working_{};
  std::array<int, kOptionLists> selections_{};
  std::array<CheckState, kFlagBoxes> states_{};
  bool isbPresent_ = false;
  bool transferRunning_ = false;
};

}  // namespace varim::panels
