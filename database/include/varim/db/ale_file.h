#pragma once

#include <string>

#include "varim/db/file_information.h"
#include "varim/db/presence_flags.h"
#include "varim/db/profile_file.h"
#include "varim/radio_records.h"

namespace varim::db {

// The ALE database file (.ale): the ALE record with its nets, directory, messages and
// automatic dials, the global members, the extra options, the radio's wide information, a
// comment and a user name. Net members and automatic dials are stored by their address and
// message texts, not by index.

// Writes normalised copies; the caller's records are not changed. Global members are written
// only while they are in use.
void WriteAleFile(ProfileFile& file, const FileInformation& info, const dbase& radio,
                  const ale_dbase& ale, const ale_dbase_global_members& globalMembers,
                  const tag_extra_options& extraOptions, const PresenceFlags& flags);
// Reads the records (the nets and global members only when ale is given); a file with any
// global member puts global members in use. With checkVersion, a file of another version gives
// kVersionMismatch (see rss_file.h) and changes nothing; otherwise 0.
int ReadAleFile(const ProfileFile& file, FileInformation* info, ale_dbase* ale,
                ale_dbase_global_members& globalMembers, tag_extra_options& extraOptions,
                PresenceFlags& flags, bool checkVersion);

// The program's Save and Open of an .ale file.
bool SaveAleFile(const std::string& path, FileInformation& info, const dbase& radio,
                 const ale_dbase& ale, const ale_dbase_global_members& globalMembers,
                 const tag_extra_options& extraOptions, const PresenceFlags& flags,
                 std::string* error = nullptr);
bool OpenAleFile(const std::string& path, FileInformation& info, ale_dbase& ale,
                 ale_dbase_global_members& globalMembers, tag_extra_options& extraOptions,
                 PresenceFlags& flags, std::string* error = nullptr);

}  // namespace varim::db
