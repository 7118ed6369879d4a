#include "varim/panels/frequency_entry.h"

#include <cstdlib>

#include "varim/panels/channel_fields.h"
#include "varim/panels/channel_texts.h"

namespace varim::panels {

namespace texts = channel_texts;

namespace {

constexpr float kLowestTx = 1.6F;
constexpr float kLowestRx = 0.1F;
constexpr float kHighest = 30.0F;
constexpr char kLowestTxText[] = "1.6";

float MegahertzOf(const std::string& text) {
  return std::strtof(text.c_str(), nullptr);
}

// 1 is let through while typing, because it begins 10 to 19.
bool TxAcceptable(float tx) {
  return tx == 0 || tx == 1 || (tx >= kLowestTx && tx <= kHighest);
}

bool TxInRange(float tx) {
  return tx == 0 || (tx >= kLowestTx && tx <= kHighest);
}

bool RxInRange(float rx) {
  return rx == 0 || (rx >= kLowestRx && rx <= kHighest);
}

}  // namespace

void FrequencyEntry::Load(const std::string& tx, const std::string& rx) {
  txText_ = tx;
  rxText_ = rx;
  tx_ = MegahertzOf(tx);
  rx_ = MegahertzOf(rx);
  duplex_ = tx != rx || tx_ == 0;
  lastEntered_ = tx_;
  lastEnteredText_ = tx;
  // A channel as read can be programmed again with only its lists changed.
  programEnabled_ = TxInRange(tx_) && RxInRange(rx_) && (tx_ != 0 || rx_ != 0);
}

FrequencyEntry::Verdict FrequencyEntry::Change(Box box, const std::string& text, bool radioReady) {
  const std::string before = TextOf(box);
  TextOf(box) = text;
  programEnabled_ = false;
  if (!radioReady || !IsFrequencyText(text)) return {};
  ValueOf(box) = MegahertzOf(text);
  return box == Box::kTx ? CheckTx(before) : CheckRx(before);
}

FrequencyEntry::Verdict FrequencyEntry::CheckTx(const std::string& before) {
  if (!TxAcceptable(tx_)) return {texts::kTxRange};
  if (tx_ == 0 && !duplex_) return FallBackToDuplex(texts::kBothZero);
  if (tx_ == 0 && rx_ == 0) {
    txText_ = before;
    tx_ = MegahertzOf(before);
    return {texts::kBothZero};
  }
  Accept(Box::kTx);
  return {};
}

FrequencyEntry::Verdict FrequencyEntry::CheckRx(const std::string& before) {
  if (!RxInRange(rx_)) return {texts::kRxRange};
  if (rx_ == 0 && tx_ == 0) {
    rxText_ = before;
    rx_ = MegahertzOf(before);
    return {texts::kBothZero};
  }
  if (rx_ == 0 && !duplex_) return FallBackToDuplex(texts::kBothZero);
  if (rx_ < kLowestTx && rx_ != 1 && !duplex_) {
    if (tx_ < kLowestTx) {
      tx_ = kLowestTx;
      txText_ = kLowestTxText;
    }
    return FallBackToDuplex(texts::kTxRange);
  }
  Accept(Box::kRx);
  return {};
}

FrequencyEntry::Verdict FrequencyEntry::FallBackToDuplex(const char* message) {
  duplex_ = true;
  programEnabled_ = true;
  return {message};
}

void FrequencyEntry::Accept(Box box) {
  if (!duplex_) {
    // The other box takes the text as it is: the mirrored change is not checked again.
    const Box other = box == Box::kTx ? Box::kRx : Box::kTx;
    TextOf(other) = TextOf(box);
    ValueOf(other) = ValueOf(box);
  }
  lastEntered_ = ValueOf(box);
  lastEnteredText_ = TextOf(box);
  programEnabled_ = TxInRange(tx_) && RxInRange(rx_) && (tx_ != 0 || rx_ != 0);
}

void FrequencyEntry::Focus(Box box) {
  lastEntered_ = ValueOf(box);
  lastEnteredText_ = TextOf(box);
}

FrequencyEntry::Verdict FrequencyEntry::ChooseSimplex() {
  if (lastEntered_ == 0) {
    duplex_ = true;
    return {texts::kBothZero};
  }
  if (lastEntered_ < kLowestTx) {
    duplex_ = true;
    return {texts::kTxRange};
  }
  duplex_ = false;
  txText_ = rxText_ = lastEnteredText_;
  tx_ = rx_ = lastEntered_;
  return {};
}

}  // namespace varim::panels
