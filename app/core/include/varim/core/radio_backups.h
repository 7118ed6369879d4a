#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "varim/db/presence_flags.h"
#include "varim/db/radio_databases.h"

namespace varim::core {

// The radio's databases as each whole read found them, so that an operator whose write went
// wrong can put back what the radio held. Each read fills a folder
// <base>/<serial number>/<YYYY-MM-DD_HH-MM-SS in UTC> with the .rss, .ale and (with CCIR data)
// .ccr files the program saves; UTC keeps the names in the order of time the whole year round.
// Only the newest kKept of a radio stay.
class RadioBackups {
 public:
  static constexpr int kKept = 50;

  // What one backup came to: the folder that holds it (empty when none does) and, when
  // something failed, why.
  struct Outcome {
    std::filesystem::path folder;
    std::string failure;
  };

  explicit RadioBackups(std::filesystem::path base) : base_(std::move(base)) {}

  // $KLV_BACKUP_DIR, else $XDG_DATA_HOME/KLV/backups, else ~/.local/share/KLV/backups.
  static std::filesystem::path DefaultBase();

  // Saves the databases as read at the given time into a folder of their own (a second read
  // within the same second gets "-2", "-3" … rather than replace the first), then removes the
  // radio's oldest backups beyond kKept. A backup that cannot be saved whole is taken away
  // again and leaves the older ones as they were.
  Outcome Keep(const varim::db::RadioDatabases& databases, const varim::db::PresenceFlags& flags,
               std::chrono::system_clock::time_point readAt) const;

  // The newest backup of the radio these records were read from (its .rss and .ale), when one
  // can be read.
  std::optional<varim::db::RadioDatabases> Latest(const dbase& radio) const;

  const std::filesystem::path& Base() const { return base_; }

 private:
  std::filesystem::path base_;
};

}  // namespace varim::core
