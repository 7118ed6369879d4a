#include "session_commands.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include "session_link.h"
#include "terminal_io.h"
#include "varim/core/operator_texts.h"
#include "varim/core/radio_backups.h"
#include "varim/core/radio_generation.h"
#include "varim/core/radio_session.h"
#include "varim/database_transfer.h"
#include "varim/db/ale_file.h"
#include "varim/db/ccr_file.h"
#include "varim/db/configuration_check.h"
#include "varim/db/record_rules.h"
#include "varim/db/rss_file.h"
#include "varim/db/value_lists.h"
#include "varim/port_names.h"

namespace varimctl {

namespace {

using varim::core::RadioSession;
using namespace varim::db;

constexpr int kBaudRates[] = {1200, 2400, 4800, 9600};

const char* GenerationName(varim::core::RadioGeneration generation) {
  switch (generation) {
    case varim::core::RadioGeneration::kVarim2E:
      return "VARIM-2E (generation 1)";
    case varim::core::RadioGeneration::kVarim:
      return "VARIM (generation 2)";
    case varim::core::RadioGeneration::kUnknown:
      break;
  }
  return "unknown generation";
}

int ProgrammedChannels(const dbase& radio) {
  int count = 0;
  for (int n = 1; n <= kMaxChannel; ++n) count += ChannelProgrammed(radio, n) ? 1 : 0;
  return count;
}

int NetsWithChannels(const ale_dbase& ale) {
  int count = 0;
  for (const ale_net& net : ale.nets) count += NetHasScannedChannels(net) ? 1 : 0;
  return count;
}

bool SaveFiles(RadioSession& session, const DatabaseFiles& files, std::ostream& out,
               std::ostream& err) {
  RadioDatabases& db = session.Databases();
  PresenceFlags& flags = session.Flags();
  FileInformation info{};
  std::snprintf(info.comment, sizeof info.comment, "Read from radio %.16s", db.radio.serial_number);
  const bool withCcir = files.ccr && flags.ccir_present == 1;
  std::string error;
  if (!SaveRssFile(files.rss, info, db.radio, db.channelNames, flags, &error) ||
      (files.ale && !SaveAleFile(*files.ale, info, db.radio, db.ale, db.globalMembers,
                                 db.extraOptions, flags, &error)) ||
      (withCcir && !SaveCcrFile(*files.ccr, info, db.ccir, &error))) {
    err << "varimctl: " << error << "\n";
    return false;
  }
  out << "saved " << files.rss << (files.ale ? ", " + *files.ale : "")
      << (withCcir ? ", " + *files.ccr : "") << "\n";
  if (files.ccr && !withCcir)
    err << "varimctl: the radio carries no CCIR data; " << *files.ccr << " was not written\n";
  return true;
}

bool LoadFiles(RadioSession& session, const DatabaseFiles& files, std::ostream& err) {
  RadioDatabases& db = session.Databases();
  PresenceFlags& flags = session.Flags();
  FileInformation info{};
  std::string error;
  const bool loaded =
      OpenRssFile(files.rss, info, db.radio, db.channelNames, flags, &error) &&
      OpenAleFile(*files.ale, info, db.ale, db.globalMembers, db.extraOptions, flags, &error) &&
      (!files.ccr || OpenCcrFile(*files.ccr, info, db.ccir, flags, &error));
  if (!loaded) err << "varimctl: " << error << "\n";
  return loaded;
}

int BaudIndexOf(int baud) {
  for (int i = 0; i < 4; ++i) {
    if (kBaudRates[i] == baud) return i;
  }
  return 3;
}

}  // namespace

TerminalProgress::Style ProgressStyle(ProgressDisplay display) {
  switch (display) {
    case ProgressDisplay::kBar:
      return TerminalProgress::Style::kBar;
    case ProgressDisplay::kLines:
      return TerminalProgress::Style::kLines;
    case ProgressDisplay::kNone:
      break;
  }
  return TerminalProgress::Style::kNone;
}

bool ParseMegahertz(const std::string& text, std::uint32_t& hertz) {
  const std::size_t dot = text.find('.');
  const std::string whole = text.substr(0, dot);
  const std::string fraction = dot == std::string::npos ? "" : text.substr(dot + 1);
  auto digits = [](const std::string& s) {
    return s.find_first_not_of("0123456789") == std::string::npos;
  };
  if (whole.empty() || whole.size() > 3 || fraction.size() > 6 || !digits(whole) ||
      !digits(fraction)) {
    return false;
  }
  std::uint32_t value = static_cast<std::uint32_t>(std::stoul(whole)) * 1'000'000u;
  std::uint32_t scale = 100'000u;
  for (const char c : fraction) {
    value += static_cast<std::uint32_t>(c - '0') * scale;
    scale /= 10;
  }
  hertz = value;
  return true;
}

int ReadWholeRadio(Link& link, const LinkOptions& options, const Terminal& terminal,
                   const std::filesystem::path& backupBase, std::ostream& err,
                   std::filesystem::path* backupFolder) {
  if (!link.Open(options, err)) return kExitPortUnavailable;
  RadioSession& session = link.session;
  if (!session.EnterRemote()) return kExitNoResponse;
  static const std::atomic<bool> never{false};
  bool completed;
  {
    TerminalProgress progress(err, ProgressStyle(terminal.progress),
                              terminal.stop ? *terminal.stop : never, session);
    completed = session.ReadRadio(&progress);
  }
  if (!completed) {
    if (terminal.stop != nullptr && *terminal.stop) err << "varimctl: read aborted\n";
    return kExitNoResponse;
  }
  session.SetSpecialReports();  // back on, as after every read
  const varim::core::RadioBackups::Outcome backup =
      varim::core::RadioBackups(backupBase)
          .Keep(session.Databases(), session.Flags(), std::chrono::system_clock::now());
  if (!backup.failure.empty())
    err << "varimctl: " << varim::core::texts::BackupFailed(backup.failure) << "\n";
  if (backupFolder != nullptr) *backupFolder = backup.folder;
  return kExitOk;
}

int RunRead(const LinkOptions& options, const DatabaseFiles& files, const Terminal& terminal,
            const std::filesystem::path& backupBase, std::ostream& out, std::ostream& err) {
  Link link(err, terminal.assumeYes);
  std::filesystem::path backupFolder;
  const int read = ReadWholeRadio(link, options, terminal, backupBase, err, &backupFolder);
  if (read != kExitOk) return read;
  RadioSession& session = link.session;
  const RadioDatabases& db = session.Databases();
  const PresenceFlags& flags = session.Flags();
  out << "read " << GenerationName(session.RadioGeneration()) << ", serial "
      << std::string(db.radio.serial_number, strnlen(db.radio.serial_number, 16)) << ": "
      << ProgrammedChannels(db.radio) << " channels, " << NetsWithChannels(db.ale) << " nets"
      << (flags.ccir_present == 1 ? ", CCIR data" : "")
      << (flags.ccir_present == 0 && flags.global_ale_present == 1 ? ", global members" : "")
      << (flags.extended_support == 1 ? ", extra options" : "")
      << (flags.isb_present == 1 ? ", ISB" : "") << "\n";
  if (!backupFolder.empty()) out << "backed up in " << backupFolder.string() << "\n";
  return SaveFiles(session, files, out, err) ? kExitOk : kExitPortUnavailable;
}

int RunWrite(const LinkOptions& options, const DatabaseFiles& files, const Terminal& terminal,
             bool verify, std::ostream& out, std::ostream& err) {
  // A write replaces the radio's whole programming: what is not given would be erased.
  if (!files.ale) {
    err << "varimctl: a write replaces the radio's nets too: give the --ale file as well\n";
    return kExitUsage;
  }
  Link link(err, terminal.assumeYes);
  RadioSession& session = link.session;
  if (!LoadFiles(session, files, err)) return kExitPortUnavailable;
  RadioDatabases& db = session.Databases();
  if (session.Flags().ccir_present == 1 && !files.ccr) {
    err << "varimctl: " << files.rss
        << " carries CCIR channel numbers: give the --ccr file as well\n";
    return kExitUsage;
  }
  const ConfigurationReport report = CheckConfiguration(db.radio, db.ale, db.globalMembers,
                                                        session.Flags().global_ale_present == 1);
  if (!report.configurationValid) {
    err << "varimctl: the configuration has errors; nothing was written:\n";
    for (const std::string& message : report.rssMessages) err << message << "\n";
    for (const std::string& message : report.aleMessages) err << message << "\n";
    return kExitNoResponse;
  }
  if (!link.Open(options, err)) return kExitPortUnavailable;
  if (!session.EnterRemote()) return kExitNoResponse;
  session.SetVerifyWrites(verify);
  if (BaudIndexOf(options.baud) != session.RadioBaudIndex() &&
      !link.op.Ask(varim::core::texts::kBaudRateDiffers)) {
    err << "varimctl: nothing was written\n";
    return kExitNoResponse;
  }
  static const std::atomic<bool> never{false};
  bool written;
  {
    TerminalProgress progress(err, ProgressStyle(terminal.progress),
                              terminal.stop ? *terminal.stop : never, session);
    written = session.WriteRadio(&progress);
  }
  if (!written) {
    if (terminal.stop != nullptr && *terminal.stop) err << "varimctl: write aborted\n";
    return kExitNoResponse;
  }
  out << "written" << (verify ? " and verified" : "") << ": " << ProgrammedChannels(db.radio)
      << " channels, " << NetsWithChannels(db.ale) << " nets\n";
  const int radioBaud = kBaudRates[db.radio.radio_options.baud_rate & 3];
  if (radioBaud != options.baud) out << "the radio now works at " << radioBaud << " baud\n";
  return kExitOk;
}

int RunVersion(const LinkOptions& options, std::ostream& out, std::ostream& err) {
  Link link(err, false);
  if (!link.Open(options, err)) return kExitPortUnavailable;
  std::uint8_t version[8];
  if (ReadSoftwareVersion(&link.session.Engine(), version) != 1) {
    err << varim::core::texts::kRadioDoesNotRespond << "\n";
    return kExitNoResponse;
  }
  out << std::string(reinterpret_cast<char*>(version), strnlen(reinterpret_cast<char*>(version), 8))
      << "\n"
      << GenerationName(link.session.CheckSoftwareVersion()) << "\n";
  return kExitOk;
}

int RunProgramChannel(const LinkOptions& options, const ChannelSettings& settings,
                      std::ostream& out, std::ostream& err) {
  channel programmed{};
  std::uint32_t tx = 0;
  std::uint32_t rx = 0;
  struct ListSetting {
    const char* name;
    const std::string& text;
    ValueList list;
    std::uint8_t& field;
  };
  const ListSetting listSettings[] = {
      {"power", settings.power, lists::kPower, programmed.tx_power},
      {"sideband", settings.sideband, lists::kSideband, programmed.sideband},
      {"bandwidth", settings.bandwidth, lists::kBandwidth, programmed.bandwidth},
      {"agc", settings.agc, lists::kAgc, programmed.agc},
      {"mode", settings.mode, lists::kMode, programmed.mode},
  };
  for (const ListSetting& setting : listSettings) {
    const std::uint16_t code = TextToCode(setting.list, setting.text);
    if (code == kNotInList) {
      err << "varimctl: '" << setting.text << "' is no " << setting.name << " (";
      for (const ValueEntry& entry : setting.list)
        err << (&entry == setting.list.data() ? "" : ", ") << entry.text;
      err << ")\n";
      return kExitUsage;
    }
    setting.field = static_cast<std::uint8_t>(code);
  }
  if (!ParseMegahertz(settings.txMHz, tx) || (tx != 0 && (tx < 1'600'000 || tx > 30'000'000)) ||
      !ParseMegahertz(settings.rxMHz, rx) || (rx != 0 && (rx < 100'000 || rx > 30'000'000)) ||
      tx + rx == 0) {
    err << "varimctl: transmit 1.6 to 30 MHz and receive 0.1 to 30 MHz (0 for none, not both)\n";
    return kExitUsage;
  }
  programmed.tx_frequency = tx;
  programmed.rx_frequency = rx;
  Link link(err, false);
  if (!link.Open(options, err)) return kExitPortUnavailable;
  if (!link.session.ProgramChannel(settings.number, programmed)) return kExitNoResponse;
  out << "channel " << settings.number << " programmed\n";
  return kExitOk;
}

}  // namespace varimctl
