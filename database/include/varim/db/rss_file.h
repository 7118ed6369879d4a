#pragma once

#include <string>

#include "varim/db/file_information.h"
#include "varim/db/presence_flags.h"
#include "varim/db/profile_file.h"
#include "varim/radio_records.h"

namespace varim::db {

// A reader asked to check the version met a file of another program version.
inline constexpr int kVersionMismatch = 118;

// The radio database file (.rss): the radio record, the ISB flag, a comment and a user name,
// and the CCIR channel numbers while CCIR is in use.

// Writes a normalised copy of the record; the caller's record is not changed.
void WriteRadioFile(ProfileFile& file, const FileInformation& info, const dbase& radio,
                    const PresenceFlags& flags);
// Reads the record (absent keys take their defaults, then it is normalised), the ISB flag and,
// when info is given, the comment and the user name. With checkVersion, a file of another
// version gives kVersionMismatch and changes nothing; otherwise 0.
int ReadRadioFile(const ProfileFile& file, FileInformation* info, dbase* radio,
                  PresenceFlags& flags, bool checkVersion, std::string* fileVersion = nullptr);

// Section "Ccir Channel Number": the number of every channel with both frequencies.
void WriteCcirChannelNumbers(ProfileFile& file, const dbase& radio, const channel_name& numbers);
// Reads the numbers; unless the CCIR data came from a .ccr file, CCIR is in use exactly when
// the file holds any number.
void ReadCcirChannelNumbers(const ProfileFile& file, channel_name& numbers, PresenceFlags& flags);

// The whole file: the radio database and, while CCIR is in use, the CCIR channel numbers.
void WriteRssFile(ProfileFile& file, const FileInformation& info, const dbase& radio,
                  const channel_name& numbers, const PresenceFlags& flags);
// The whole file as the program's Open reads it: without the version check.
void ReadRssFile(const ProfileFile& file, FileInformation& info, dbase& radio,
                 channel_name& numbers, PresenceFlags& flags);

// The program's Save: the whole file, fresh, written atomically; the file's time goes into
// info.
bool SaveRssFile(const std::string& path, FileInformation& info, const dbase& radio,
                 const channel_name& numbers, const PresenceFlags& flags,
                 std::string* error = nullptr);
// The program's Open of the whole file.
bool OpenRssFile(const std::string& path, FileInformation& info, dbase& radio,
                 channel_name& numbers, PresenceFlags& flags, std::string* error = nullptr);

}  // namespace varim::db
