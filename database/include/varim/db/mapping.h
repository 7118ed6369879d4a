#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "varim/db/profile_file.h"
#include "varim/db/value_lists.h"

namespace varim::db {

// The table-driven mapping between a record's byte image and the keys of a database file.
// Each row names a key (or a numbered run of keys) and the field it holds; the file formats
// are tables of rows.

enum class Kind {
  kText,        // a fixed-width text: at most width - 1 characters
  kLong,        // an unsigned 32-bit number
  kNumber16,    // an unsigned 16-bit number
  kNumber8,     // one byte: a list text, or a decimal number without a list
  kChannelSet,  // a channel bitmap, as a column only: the numbers of its channels
  kRecord,      // comma-separated columns, each of the kinds above
};

struct Column {
  Kind kind;
  std::size_t offset;  // within the entry
  ValueList list = {};
  int width = 0;                      // text: the field's width
  const char* defaultText = nullptr;  // used when the value has no piece for the column
  int highestChannel = 0;             // channel set: the highest number read
};

struct MappingRow {
  const char* section;
  const char* key;
  const char* defaultText;  // given for an absent key
  Kind kind;
  std::size_t offset;  // in the working image
  int width = 0;       // text
  ValueList list = {};
  std::span<const Column> columns = {};  // record
  // A record row with count n holds keys "<key><index>", the index from firstIndex on.
  int count = 0;
  int firstIndex = 1;
  // Whether an entry is written; null writes every entry.
  bool (*present)(const std::uint8_t* image, int entry) = nullptr;
};

// Writes the rows from the image. base is added to every row's offset and section, when given,
// replaces the rows' own (the numbered net sections share one table of rows).
void WriteRows(ProfileFile& file, std::span<const MappingRow> rows, const std::uint8_t* image,
               std::size_t base = 0, const char* section = nullptr);

// Reads the rows into the image: absent keys take the row's default, texts not in a row's list
// give 0 (the one byte of kNotInList).
void ReadRows(const ProfileFile& file, std::span<const MappingRow> rows, std::uint8_t* image,
              std::size_t base = 0, const char* section = nullptr);

// Decimal conversion as the files have always been read: leading blanks, an optional sign,
// the digits (what follows is ignored; no digits give 0). Saturates instead of overflowing;
// the caller keeps the low bits its field holds.
long long ParseDecimal(const std::string& text);

// The key of entry i of a numbered row.
std::string EntryKey(const MappingRow& row, int entry);

}  // namespace varim::db
