#pragma once

#include <array>
#include <optional>
#include <string>

#include "varim/db/radio_databases.h"
#include "varim/panels/channel_fields.h"

namespace varim::panels {

// The "Channel Configuration" editor without a window: one channel at a time, its frequencies
// as one of four kinds, its lists and, on a CCIR radio, its CCIR channel number. It works on a
// copy of the channels and hands them back on OK only.
class ChannelConfiguration {
 public:
  enum class FrequencyType { kSimplex, kHalfDuplex, kTransmitOnly, kReceiveOnly };
  // The five frequency boxes; the two half-duplex boxes always hold the channel's Tx and Rx.
  enum class Box { kSimplex, kHalfDuplexTx, kHalfDuplexRx, kTransmitOnly, kReceiveOnly };

  static constexpr const char* kNoWarning = "NO WARNING";
  static constexpr const char* kBothZero =
      "Tx Frequency and Rx Frequency can't be both zero at the same time.";
  static constexpr const char* kSameFrequencies =
      "Transmit frequency should differ from Receive frequency.";
  static constexpr int kLastCcirNumber = 500;

  ChannelConfiguration(varim::db::RadioDatabases& databases, bool ccirPresent, bool isbPresent);

  // Shows channel number (1..200) as it stands in the copy.
  void Show(int number);
  int Number() const { return number_; }
  // The channel spin: the shown channel is stored first; numbers outside 1..200 are limited.
  void Spin(int number);
  bool SpinEnabled() const { return spinEnabled_; }

  FrequencyType Type() const { return type_; }
  void ChooseType(FrequencyType type);
  const std::string& Text(Box box) const { return texts_[static_cast<std::size_t>(box)]; }
  void ChangeText(Box box, const std::string& text);
  // NO WARNING when the entry is sound; the line is hidden then.
  const std::string& Warning() const { return warning_; }
  bool WarningShown() const { return warning_ != kNoWarning; }
  bool OkEnabled() const { return okEnabled_; }

  ChannelChoices Choices(ChannelSetting field) const { return ChoicesOf(field, isbPresent_); }
  int RowOf(ChannelSetting field) const;
  void Choose(ChannelSetting field, int row);

  bool CcirShown() const { return ccirPresent_; }
  // 0 when the channel has none; the spin offers 1..500.
  int CcirNumber() const { return ccirNumber_; }
  void SetCcirNumber(int number);

  // Stores the shown channel and hands the copy back; false (nothing handed back) while the
  // entry is not sound.
  bool Ok();

 private:
  void Store();
  void SetTexts(const std::string& tx, const std::string& rx);
  void Check(Box changed);

  varim::db::RadioDatabases& databases_;
  const bool ccirPresent_;
  const bool isbPresent_;
  std::array<channel, kMaxChannel> channels_{};
  channel_name ccirNumbers_{};
  int number_ = 1;
  channel shown_{};
  FrequencyType type_ = FrequencyType::kSimplex;
  std::array<std::string, 5> texts_;
  std::string warning_ = kNoWarning;
  bool okEnabled_ = false;
  bool spinEnabled_ = true;
  int ccirNumber_ = 0;
};

// What the editor warns of for a frequency box holding this text, or nothing when the text is
// empty (no frequency, 0) or a frequency within the box's range; the half-duplex boxes stand
// for the channel's Tx and Rx.
std::optional<std::string> FrequencyBoxWarning(ChannelConfiguration::Box box,
                                               const std::string& text);

// A stored frequency as the editors show it: MHz without trailing zeros, empty for 0.
std::string EditorFrequencyText(std::uint32_t hertz);

}  // namespace varim::panels
