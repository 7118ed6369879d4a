#include "varim/panels/channel_csv.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

#include "varim/db/record_rules.h"
#include "varim/db/value_lists.h"
#include "varim/panels/channel_configuration.h"
#include "varim/panels/channel_fields.h"

namespace varim::panels {

namespace {

namespace lists = varim::db::lists;
using Box = ChannelConfiguration::Box;

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kColumns = 8;
constexpr std::size_t kLongestNumber = 3;  // "200"

// The columns after the frequencies, each through the list the .rss file maps its field with.
struct CodedColumn {
  const char* name;
  varim::db::ValueList list;
  std::uint8_t channel::*field;
};

constexpr CodedColumn kCodedColumns[] = {
    {"Power", lists::kPower, &channel::tx_power},   {"Band", lists::kSideband, &channel::sideband},
    {"Mode", lists::kMode, &channel::mode},         {"AGC", lists::kAgc, &channel::agc},
    {"BW", lists::kBandwidth, &channel::bandwidth},
};

std::string MegahertzCell(std::uint32_t hertz) {
  return hertz == 0 ? std::string() : FrequencyText(hertz);
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  for (;;) {
    const std::size_t end = text.find(separator);
    pieces.push_back(text.substr(0, end));
    if (end == std::string_view::npos) return pieces;
    text.remove_prefix(end + 1);
  }
}

std::string ListTexts(varim::db::ValueList list) {
  std::string texts;
  for (const varim::db::ValueEntry& entry : list)
    texts.append(texts.empty() ? "" : ", ").append(entry.text);
  return texts;
}

// 1..200 in plain digits; a sign or blanks would be a typing slip worth showing.
std::optional<int> ChannelNumber(std::string_view cell) {
  if (cell.empty() || cell.size() > kLongestNumber) return std::nullopt;
  int number = 0;
  for (const char c : cell) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  if (number < 1 || number > kMaxChannel) return std::nullopt;
  return number;
}

// The frequency of a Tx or Rx cell as the editor takes it from the same box, or its warning.
std::optional<std::string> ReadFrequency(Box box, const char* column, std::string_view cell,
                                         std::uint32_t& hertz) {
  const std::string text(cell);
  if (const auto warning = FrequencyBoxWarning(box, text))
    return std::string(column) + " " + *warning;
  hertz = text.empty() ? 0 : *FrequencyHertz(text);
  return std::nullopt;
}

// Reads one row into number and record, or says why the row is refused.
std::optional<std::string> ReadRow(std::string_view line, int& number, channel& record) {
  if (line.empty()) return "empty line";
  const std::vector<std::string_view> cells = Split(line, ',');
  if (cells.size() != kColumns) {
    return std::to_string(kColumns) + " columns expected, found " + std::to_string(cells.size());
  }
  const std::optional<int> parsed = ChannelNumber(cells[0]);
  if (!parsed) return "Channel " + std::string(cells[0]) + " is no channel number (1 to 200)";
  number = *parsed;
  std::uint32_t tx = 0;
  std::uint32_t rx = 0;
  if (auto warning = ReadFrequency(Box::kHalfDuplexTx, "Tx MHz", cells[1], tx)) return warning;
  if (auto warning = ReadFrequency(Box::kHalfDuplexRx, "Rx MHz", cells[2], rx)) return warning;
  if (tx == 0 && rx == 0) return ChannelConfiguration::kBothZero;
  record.tx_frequency = tx;
  record.rx_frequency = rx;
  for (std::size_t i = 0; i < std::size(kCodedColumns); ++i) {
    const CodedColumn& column = kCodedColumns[i];
    const std::string_view cell = cells[3 + i];
    const std::uint16_t code = varim::db::TextToCode(column.list, cell);
    if (code == varim::db::kNotInList) {
      return std::string(column.name) + " '" + std::string(cell) + "' is not one of " +
             ListTexts(column.list) + " (the case matters)";
    }
    record.*column.field = static_cast<std::uint8_t>(code);
  }
  return std::nullopt;
}

ChannelCsvImport Refused(std::size_t index, std::string reason) {
  return {false, static_cast<int>(index) + 1, std::move(reason), 0};
}

}  // namespace

std::string ChannelsCsv(const dbase& radio) {
  std::string text(kChannelCsvHeader);
  text += kLineEnd;
  for (int n = 1; n <= kMaxChannel; ++n) {
    const channel record = radio.channels[n - 1];
    if (!varim::db::ChannelProgrammed(record)) continue;
    text += std::to_string(n) + "," + MegahertzCell(record.tx_frequency) + "," +
            MegahertzCell(record.rx_frequency);
    for (const CodedColumn& column : kCodedColumns)
      text.append(",").append(varim::db::CodeToText(column.list, record.*column.field));
    text += kLineEnd;
  }
  return text;
}

ChannelCsvImport ImportChannelsCsv(std::string_view text, dbase& radio) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  while (text.ends_with('\n') || text.ends_with('\r')) text.remove_suffix(1);
  std::vector<std::string_view> lines = Split(text, '\n');
  for (std::string_view& line : lines) {
    if (line.ends_with('\r')) line.remove_suffix(1);
  }

  std::array<channel, kMaxChannel> plan{};
  std::array<std::size_t, kMaxChannel> listedAt{};  // the index of the channel's line, 0: none
  int imported = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find('"') != std::string_view::npos)
      return Refused(i, "quoted fields are not supported");
    if (i == 0) {
      if (lines[i] != kChannelCsvHeader)
        return Refused(i, "the header must be exactly " + std::string(kChannelCsvHeader));
      continue;
    }
    int number = 0;
    channel record{};
    if (auto refusal = ReadRow(lines[i], number, record)) return Refused(i, std::move(*refusal));
    std::size_t& first = listedAt[static_cast<std::size_t>(number - 1)];
    if (first != 0) {
      return Refused(i, "channel " + std::to_string(number) + " is listed again (first on line " +
                            std::to_string(first + 1) + ")");
    }
    first = i;
    plan[static_cast<std::size_t>(number - 1)] = record;
    ++imported;
  }
  std::copy(plan.begin(), plan.end(), std::begin(radio.channels));
  return {true, 0, {}, imported};
}

}  // namespace varim::panels
