#include "varim/panels/channel_configuration.h"

#include <algorithm>
#include <optional>

#include "varim/byte_order.h"

namespace varim::panels {

namespace {

using Box = ChannelConfiguration::Box;
using FrequencyType = ChannelConfiguration::FrequencyType;

constexpr std::uint32_t kLowestTx = 1'600'000;
constexpr std::uint32_t kLowestRx = 100'000;
constexpr std::uint32_t kHighest = 30'000'000;

struct Range {
  std::uint32_t lowest;
  const char* outOfRange;
};

constexpr Range kTransmitRange = {kLowestTx,
                                  " is out of range. TX frequency range is 1.6 to 30Mhz."};
constexpr Range kReceiveRange = {kLowestRx,
                                 " is out of range. RX frequency range is 0.1 to 30Mhz."};

const Range& RangeOf(Box box) {
  return box == Box::kHalfDuplexRx || box == Box::kReceiveOnly ? kReceiveRange : kTransmitRange;
}

std::size_t Index(Box box) {
  return static_cast<std::size_t>(box);
}

// An empty box counts as 0.
std::optional<std::uint32_t> HertzOf(const std::string& text) {
  return FrequencyHertz(text.empty() ? std::string_view("0") : std::string_view(text));
}

FrequencyType TypeOf(std::uint32_t tx, std::uint32_t rx) {
  if (tx == rx) return FrequencyType::kSimplex;
  if (tx == 0) return FrequencyType::kReceiveOnly;
  if (rx != 0) return FrequencyType::kHalfDuplex;
  return FrequencyType::kTransmitOnly;
}

// The box a frequency type's check speaks of first.
Box BoxOf(FrequencyType type) {
  switch (type) {
    case FrequencyType::kSimplex:
      return Box::kSimplex;
    case FrequencyType::kHalfDuplex:
      return Box::kHalfDuplexTx;
    case FrequencyType::kTransmitOnly:
      return Box::kTransmitOnly;
    case FrequencyType::kReceiveOnly:
      break;
  }
  return Box::kReceiveOnly;
}

}  // namespace

std::optional<std::string> FrequencyBoxWarning(Box box, const std::string& text) {
  if (!text.empty() && !IsFrequencyText(text)) return text + " is an invalid frequency";
  // A number too large to be held in Hz is out of range as much as 31 is.
  const Range& range = RangeOf(box);
  const std::optional<std::uint32_t> hertz = HertzOf(text);
  if (!hertz || (*hertz != 0 && (*hertz < range.lowest || *hertz > kHighest)))
    return text + range.outOfRange;
  return std::nullopt;
}

std::string EditorFrequencyText(std::uint32_t hertz) {
  if (hertz / 10 == 0) return {};
  std::string text = FrequencyText(hertz);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

ChannelConfiguration::ChannelConfiguration(varim::db::RadioDatabases& databases, bool ccirPresent,
                                           bool isbPresent)
    : databases_(databases), ccirPresent_(ccirPresent), isbPresent_(isbPresent) {
  std::copy(std::begin(databases.radio.channels), std::end(databases.radio.channels),
            channels_.begin());
  ccirNumbers_ = databases.channelNames;
  Show(1);
}

void ChannelConfiguration::Show(int number) {
  number_ = std::clamp(number, 1, kMaxChannel);
  shown_ = channels_[static_cast<std::size_t>(number_ - 1)];
  const std::uint32_t tx = shown_.tx_frequency;
  const std::uint32_t rx = shown_.rx_frequency;
  type_ = TypeOf(tx, rx);
  SetTexts(EditorFrequencyText(tx), EditorFrequencyText(rx));
  ccirNumber_ = ReadBigEndian16(ccirNumbers_.number[number_ - 1]);
  Check(BoxOf(type_));
}

void ChannelConfiguration::SetTexts(const std::string& tx, const std::string& rx) {
  texts_[Index(Box::kHalfDuplexTx)] = tx;
  texts_[Index(Box::kHalfDuplexRx)] = rx;
  texts_[Index(Box::kTransmitOnly)] = tx;
  texts_[Index(Box::kReceiveOnly)] = rx;
  texts_[Index(Box::kSimplex)] = tx.empty() ? rx : tx;
}

void ChannelConfiguration::Spin(int number) {
  if (!spinEnabled_) return;
  Store();
  Show(number);
}

void ChannelConfiguration::ChooseType(FrequencyType type) {
  const std::string tx = Text(Box::kHalfDuplexTx);
  const std::string rx = Text(Box::kHalfDuplexRx);
  switch (type) {
    case FrequencyType::kSimplex: {
      // The value shown as the single one so far; after Half Duplex, the receive frequency.
      const bool receiveShown =
          type_ == FrequencyType::kHalfDuplex || type_ == FrequencyType::kReceiveOnly;
      const std::string single = receiveShown ? rx : tx;
      SetTexts(single, single);
      break;
    }
    case FrequencyType::kTransmitOnly:
      SetTexts(tx, "");
      break;
    case FrequencyType::kReceiveOnly:
      SetTexts("", rx);
      break;
    case FrequencyType::kHalfDuplex:
      break;
  }
  type_ = type;
  Check(BoxOf(type));
}

void ChannelConfiguration::ChangeText(Box box, const std::string& text) {
  switch (box) {
    case Box::kSimplex:
      SetTexts(text, text);
      break;
    case Box::kTransmitOnly:
      SetTexts(text, "");
      break;
    case Box::kReceiveOnly:
      SetTexts("", text);
      break;
    case Box::kHalfDuplexTx:
    case Box::kHalfDuplexRx:
      texts_[Index(box)] = text;
      break;
  }
  Check(box);
}

void ChannelConfiguration::Check(Box changed) {
  okEnabled_ = spinEnabled_ = false;
  // The changed box speaks first; a box that still holds no frequency keeps the entry unsound.
  for (const Box box : {changed, Box::kHalfDuplexTx, Box::kHalfDuplexRx}) {
    if (const auto warning = FrequencyBoxWarning(box, Text(box))) {
      warning_ = *warning;
      return;
    }
  }
  const std::uint32_t tx = *HertzOf(Text(Box::kHalfDuplexTx));
  const std::uint32_t rx = *HertzOf(Text(Box::kHalfDuplexRx));
  if (tx == 0 && rx == 0) {
    // An empty channel may be passed over; it cannot be confirmed.
    warning_ = kBothZero;
    spinEnabled_ = true;
    return;
  }
  if (type_ == FrequencyType::kHalfDuplex && tx == rx) {
    warning_ = kSameFrequencies;
    return;
  }
  warning_ = kNoWarning;
  okEnabled_ = spinEnabled_ = true;
}

int ChannelConfiguration::RowOf(ChannelSetting field) const {
  channel shown = shown_;
  return RowOfCode(field, FieldOf(shown, field), isbPresent_);
}

void ChannelConfiguration::Choose(ChannelSetting field, int row) {
  const ChannelChoices choices = Choices(field);
  if (row < 0 || row >= static_cast<int>(choices.size())) return;
  FieldOf(shown_, field) = choices[static_cast<std::size_t>(row)].code;
}

void ChannelConfiguration::SetCcirNumber(int number) {
  ccirNumber_ = std::clamp(number, 1, kLastCcirNumber);
}

void ChannelConfiguration::Store() {
  const std::optional<std::uint32_t> tx = HertzOf(Text(Box::kHalfDuplexTx));
  const std::optional<std::uint32_t> rx = HertzOf(Text(Box::kHalfDuplexRx));
  if (!tx || !rx) return;
  shown_.tx_frequency = *tx;
  shown_.rx_frequency = *rx;
  channels_[static_cast<std::size_t>(number_ - 1)] = shown_;
  if (ccirPresent_)
    WriteBigEndian16(ccirNumbers_.number[number_ - 1], static_cast<std::uint16_t>(ccirNumber_));
}

bool ChannelConfiguration::Ok() {
  if (!okEnabled_) return false;
  Store();
  std::copy(channels_.begin(), channels_.end(), std::begin(databases_.radio.channels));
  if (ccirPresent_) databases_.channelNames = ccirNumbers_;
  return true;
}

}  // namespace varim::panels
