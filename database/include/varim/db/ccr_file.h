#pragma once

#include <string>

#include "varim/db/file_information.h"
#include "varim/db/presence_flags.h"
#include "varim/db/profile_file.h"
#include "varim/radio_records.h"

namespace varim::db {

// The CCIR selective-calling file (.ccr): the CCIR record, a comment and a user name, all in
// the one section "Ccir Option". The record keeps its numbers in the radio's byte order; the
// file holds them as plain decimal numbers.

void WriteCcirFile(ProfileFile& file, const FileInformation& info, const ccir_dbase& ccir);
// Reads the record (absent keys take their defaults; directory keys 0..99 only) and marks the
// CCIR data as coming from a file.
void ReadCcirFile(const ProfileFile& file, FileInformation* info, ccir_dbase& ccir,
                  PresenceFlags& flags);

bool SaveCcrFile(const std::string& path, FileInformation& info, const ccir_dbase& ccir,
                 std::string* error = nullptr);
bool OpenCcrFile(const std::string& path, FileInformation& info, ccir_dbase& ccir,
                 PresenceFlags& flags, std::string* error = nullptr);

}  // namespace varim::db
