#include "varim/db/mapping.h"

#include "varim/radio_records.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

namespace varim::db {

namespace {

// What the original reader's 1024-byte buffer could hold of a record line.
constexpr std::size_t kRecordValueChars = 1023;

std::uint32_t Load32(const std::uint8_t* p) {
  std::uint32_t value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

std::uint16_t Load16(const std::uint8_t* p) {
  std::uint16_t value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

void Store32(std::uint8_t* p, std::uint32_t value) {
  std::memcpy(p, &value, sizeof value);
}
void Store16(std::uint8_t* p, std::uint16_t value) {
  std::memcpy(p, &value, sizeof value);
}

std::string TextOf(const std::uint8_t* field, int width) {
  const auto* text = reinterpret_cast<const char*>(field);
  return std::string(text, strnlen(text, static_cast<std::size_t>(width)));
}

void CopyText(std::uint8_t* field, int width, std::string_view text) {
  const std::size_t length = std::min(text.size(), static_cast<std::size_t>(width - 1));
  std::memset(field, 0, static_cast<std::size_t>(width));
  std::memcpy(field, text.data(), length);
}

std::string ChannelSetText(const std::uint8_t* set, int highestChannel) {
  std::string text;
  for (int c = 0; c <= highestChannel && c / 8 < kChannelSetBytes; ++c) {
    if ((set[c / 8] >> (7 - c % 8)) & 1) {
      if (!text.empty()) text += ',';
      text += std::to_string(c);
    }
  }
  return text;
}

void AddToChannelSet(std::uint8_t* set, int highestChannel, const std::string& piece) {
  const long long channel = ParseDecimal(piece);
  if (channel < 0 || channel > highestChannel || channel / 8 >= kChannelSetBytes) return;
  const int c = static_cast<int>(channel);
  set[c / 8] = static_cast<std::uint8_t>(set[c / 8] | (0x80 >> (c % 8)));
}

// One value written by a field of the given kind.
std::string FieldText(Kind kind, const std::uint8_t* field, int width, ValueList list,
                      int highestChannel) {
  switch (kind) {
    case Kind::kText:
      return TextOf(field, width);
    case Kind::kLong:
      return std::to_string(Load32(field));
    case Kind::kNumber16:
      return std::to_string(Load16(field));
    case Kind::kNumber8:
      return list.empty() ? std::to_string(*field) : CodeToText(list, *field);
    case Kind::kChannelSet:
      return ChannelSetText(field, highestChannel);
    case Kind::kRecord:
      break;
  }
  return {};
}

void StoreField(Kind kind, std::uint8_t* field, int width, ValueList list,
                const std::string& text) {
  switch (kind) {
    case Kind::kText:
      CopyText(field, width, text);
      return;
    case Kind::kLong:
      Store32(field, static_cast<std::uint32_t>(ParseDecimal(text)));
      return;
    case Kind::kNumber16:
      Store16(field, static_cast<std::uint16_t>(ParseDecimal(text)));
      return;
    case Kind::kNumber8:
      *field =
          static_cast<std::uint8_t>(list.empty() ? ParseDecimal(text) : TextToCode(list, text));
      return;
    case Kind::kChannelSet:
    case Kind::kRecord:
      return;
  }
}

// The value split at commas; an empty value has no pieces. Leading blanks of each piece are
// skipped.
std::vector<std::string> Pieces(const std::string& value) {
  std::vector<std::string> pieces;
  if (value.empty()) return pieces;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = value.find(',', start);
    std::string piece =
        value.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    const std::size_t first = piece.find_first_not_of(" \t");
    piece.erase(0, first == std::string::npos ? piece.size() : first);
    pieces.push_back(std::move(piece));
    if (comma == std::string::npos) return pieces;
    start = comma + 1;
  }
}

std::size_t EntrySize(std::span<const Column> columns) {
  std::size_t size = 0;
  for (const Column& column : columns) {
    std::size_t end = column.offset + 1;
    if (column.kind == Kind::kText) end = column.offset + static_cast<std::size_t>(column.width);
    if (column.kind == Kind::kLong) end = column.offset + 4;
    if (column.kind == Kind::kNumber16) end = column.offset + 2;
    if (column.kind == Kind::kChannelSet)
      end = column.offset + static_cast<std::size_t>(column.highestChannel / 8 + 1);
    size = std::max(size, end);
  }
  return size;
}

std::string RecordText(std::span<const Column> columns, const std::uint8_t* entry) {
  std::string text;
  for (const Column& column : columns) {
    if (&column != columns.data()) text += ',';
    text += FieldText(column.kind, entry + column.offset, column.width, column.list,
                      column.highestChannel);
  }
  return text;
}

void ReadRecord(std::span<const Column> columns, std::uint8_t* entry, const std::string& value) {
  const std::vector<std::string> pieces = Pieces(value);
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const Column& column = columns[i];
    std::uint8_t* field = entry + column.offset;
    if (column.kind == Kind::kChannelSet) {
      // The set takes every piece from its column on, or its default when there are none.
      if (i < pieces.size()) {
        for (std::size_t p = i; p < pieces.size(); ++p)
          AddToChannelSet(field, column.highestChannel, pieces[p]);
      } else if (column.defaultText != nullptr) {
        for (const std::string& piece : Pieces(column.defaultText))
          AddToChannelSet(field, column.highestChannel, piece);
      }
      continue;
    }
    if (i < pieces.size()) {
      StoreField(column.kind, field, column.width, column.list, pieces[i]);
    } else if (column.defaultText != nullptr) {
      StoreField(column.kind, field, column.width, column.list, column.defaultText);
    }
  }
}

}  // namespace

long long ParseDecimal(const std::string& text) {
  std::size_t i = text.find_first_not_of(" \t");
  if (i == std::string::npos) return 0;
  bool negative = false;
  if (text[i] == '-' || text[i] == '+') negative = text[i++] == '-';
  constexpr long long kLimit = std::numeric_limits<long long>::max() / 10 - 10;
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value < kLimit) value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}

std::string EntryKey(const MappingRow& row, int entry) {
  if (row.count <= 1) return row.key;
  return row.key + std::to_string(row.firstIndex + entry);
}

void WriteRows(ProfileFile& file, std::span<const MappingRow> rows, const std::uint8_t* image,
               std::size_t base, const char* section) {
  for (const MappingRow& row : rows) {
    const char* sectionName = section != nullptr ? section : row.section;
    const std::uint8_t* field = image + base + row.offset;
    if (row.kind != Kind::kRecord) {
      if (row.present == nullptr || row.present(image, 0)) {
        file.WriteString(sectionName, row.key, FieldText(row.kind, field, row.width, row.list, 0));
      }
      continue;
    }
    const std::size_t stride = EntrySize(row.columns);
    const int entries = std::max(row.count, 1);
    for (int i = 0; i < entries; ++i) {
      if (row.present != nullptr && !row.present(image, i)) continue;
      file.WriteString(sectionName, EntryKey(row, i), RecordText(row.columns, field + stride * i));
    }
  }
}

void ReadRows(const ProfileFile& file, std::span<const MappingRow> rows, std::uint8_t* image,
              std::size_t base, const char* section) {
  for (const MappingRow& row : rows) {
    const char* sectionName = section != nullptr ? section : row.section;
    std::uint8_t* field = image + base + row.offset;
    if (row.kind == Kind::kText) {
      CopyText(field, row.width,
               file.GetString(sectionName, row.key, row.defaultText,
                              static_cast<std::size_t>(row.width - 1)));
      continue;
    }
    if (row.kind != Kind::kRecord) {
      StoreField(row.kind, field, row.width, row.list,
                 file.GetString(sectionName, row.key, row.defaultText));
      continue;
    }
    const std::size_t stride = EntrySize(row.columns);
    const int entries = std::max(row.count, 1);
    for (int i = 0; i < entries; ++i) {
      ReadRecord(row.columns, field + stride * i,
                 file.GetString(sectionName, EntryKey(row, i), row.defaultText, kRecordValueChars));
    }
  }
}

}  // namespace varim::db
