#include "fleet_command.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <iomanip>
#include <map>
#include <memory>
#include <regex>

#include "session_link.h"
#include "varim/core/radio_backups.h"
#include "varim/db/ale_file.h"
#include "varim/db/ccr_file.h"
#include "varim/db/field_text.h"
#include "varim/db/rss_file.h"

namespace varimctl {

namespace {

using Clock = std::chrono::steady_clock;

// The files as a separate set of records, as a write would take them.
bool LoadRecords(const DatabaseFiles& files, varim::db::RadioDatabases& db, std::ostream& err) {
  varim::db::PresenceFlags flags;
  varim::db::FileInformation info{};
  std::string error;
  const bool loaded =
      varim::db::OpenRssFile(files.rss, info, db.radio, db.channelNames, flags, &error) &&
      (!files.ale || varim::db::OpenAleFile(*files.ale, info, db.ale, db.globalMembers,
                                            db.extraOptions, flags, &error)) &&
      (!files.ccr || varim::db::OpenCcrFile(*files.ccr, info, db.ccir, flags, &error));
  if (!loaded) err << "varimctl: " << error << "\n";
  return loaded;
}

// What one child process has said so far.
struct Child {
  std::string device;
  pid_t pid = -1;
  int output = -1;
  std::string pending;  // the start of a line not ended yet
  std::string status;   // the last progress or message line
  std::string serial;
  Clock::time_point ended{};
  int exitCode = kExitNoResponse;
};

std::vector<std::string> ChildArguments(const FleetRequest& request, const std::string& program,
                                        const std::string& device) {
  const DatabaseFiles files =
      request.action == "read" ? FilesForDevice(request.files, device) : request.files;
  std::vector<std::string> arguments = {program,       "--device", device, "--baud",
                                        std::to_string(request.baud), request.action, "--rss",
                                        files.rss};
  if (files.ale) arguments.insert(arguments.end(), {"--ale", *files.ale});
  if (files.ccr) arguments.insert(arguments.end(), {"--ccr", *files.ccr});
  if (request.action == "write" && request.assumeYes) arguments.push_back("--yes");
  return arguments;
}

bool Start(Child& child, const std::vector<std::string>& arguments, std::ostream& err) {
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) {
    err << "varimctl: cannot start the transfer of " << child.device << ": "
        << std::strerror(errno) << "\n";
    return false;
  }
  child.pid = ::fork();
  if (child.pid == 0) {
    ::dup2(pipeEnds[1], STDOUT_FILENO);
    ::dup2(pipeEnds[1], STDERR_FILENO);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    std::fprintf(stderr, "varimctl: cannot run %s: %s\n", argv[0], std::strerror(errno));
    ::_exit(kExitPortUnavailable);
  }
  ::close(pipeEnds[1]);
  if (child.pid < 0) {
    ::close(pipeEnds[0]);
    err << "varimctl: cannot start the transfer of " << child.device << "\n";
    return false;
  }
  child.output = pipeEnds[0];
  return true;
}

// A line of the child: its progress ("45% Writing Channels"), its serial number, its result.
void Take(Child& child, const std::string& line, std::ostream& out) {
  static const std::regex kSerial(R"(serial ([^:,]*)[:,])");
  std::smatch serial;
  if (std::regex_search(line, serial, kSerial)) child.serial = serial[1];
  if (line.empty() || line == child.status) return;
  child.status = line;
  out << child.device << ": " << line << "\n" << std::flush;
}

void Drain(Child& child, std::ostream& out) {
  char buffer[4096];
  const ssize_t count = ::read(child.output, buffer, sizeof buffer);
  if (count <= 0) {
    ::close(child.output);
    child.output = -1;
    if (!child.pending.empty()) Take(child, child.pending, out);
    child.pending.clear();
    return;
  }
  child.pending.append(buffer, static_cast<std::size_t>(count));
  std::size_t end;
  while ((end = child.pending.find_first_of("\r\n")) != std::string::npos) {
    Take(child, child.pending.substr(0, end), out);
    child.pending.erase(0, end + 1);
  }
}

}  // namespace

int RunVerify(const LinkOptions& options, const DatabaseFiles& files, const Terminal& terminal,
              std::ostream& out, std::ostream& err) {
  auto records = std::make_unique<varim::db::RadioDatabases>();
  if (!LoadRecords(files, *records, err)) return kExitPortUnavailable;
  // Read as `read` reads, the backup included: a verified radio's image is kept as any other.
  Link link(err, terminal.assumeYes);
  const int read = ReadWholeRadio(link, options, terminal,
                                  varim::core::RadioBackups::DefaultBase(), err);
  if (read != kExitOk) return read;
  varim::core::RadioSession& session = link.session;
  const std::vector<std::string> differing = session.SectionsDifferingFrom(*records);
  out << "serial " << varim::db::FieldText(session.Databases().radio.serial_number) << ": ";
  if (differing.empty()) {
    out << "the radio holds the files\n";
    return kExitOk;
  }
  out << "the radio differs from the files in";
  for (std::size_t i = 0; i < differing.size(); ++i) out << (i == 0 ? " " : ", ") << differing[i];
  out << "\n";
  return kExitNoResponse;
}

DatabaseFiles FilesForDevice(const DatabaseFiles& files, const std::string& device) {
  std::string name = device.substr(device.find_last_of('/') + 1);
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_') c = '_';
  }
  auto forDevice = [&name](const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
      return path + "-" + name;
    return path.substr(0, dot) + "-" + name + path.substr(dot);
  };
  DatabaseFiles result{forDevice(files.rss), {}, {}};
  if (files.ale) result.ale = forDevice(*files.ale);
  if (files.ccr) result.ccr = forDevice(*files.ccr);
  return result;
}

int RunFleet(const FleetRequest& request, const std::string& program, std::ostream& out,
             std::ostream& err) {
  const Clock::time_point start = Clock::now();
  std::vector<Child> children;
  for (const std::string& device : request.devices) {
    Child child;
    child.device = device;
    if (Start(child, ChildArguments(request, program, device), err)) {
      children.push_back(std::move(child));
    } else {
      child.ended = Clock::now();
      children.push_back(std::move(child));
    }
  }
  for (;;) {
    std::vector<pollfd> watched;
    std::vector<Child*> owners;
    for (Child& child : children) {
      if (child.output < 0) continue;
      watched.push_back({child.output, POLLIN, 0});
      owners.push_back(&child);
    }
    if (watched.empty()) break;
    if (::poll(watched.data(), watched.size(), -1) < 0 && errno != EINTR) break;
    for (std::size_t i = 0; i < watched.size(); ++i) {
      if (watched[i].revents == 0) continue;
      Drain(*owners[i], out);
      if (owners[i]->output < 0) owners[i]->ended = Clock::now();
    }
  }
  for (Child& child : children) {
    if (child.pid <= 0) continue;
    int status = 0;
    if (::waitpid(child.pid, &status, 0) == child.pid && WIFEXITED(status))
      child.exitCode = WEXITSTATUS(status);
  }

  out << "\n" << std::left << std::setw(24) << "Device" << std::setw(18) << "Serial No."
      << std::setw(10) << "Result" << "Seconds\n";
  bool all = true;
  for (const Child& child : children) {
    const bool succeeded = child.exitCode == kExitOk;
    all = all && succeeded;
    const double seconds = std::chrono::duration<double>(child.ended - start).count();
    out << std::left << std::setw(24) << child.device << std::setw(18)
        << (child.serial.empty() ? "-" : child.serial) << std::setw(10)
        << (succeeded ? "ok" : "failed") << std::fixed << std::setprecision(1)
        << std::max(seconds, 0.0) << "\n";
  }
  return all ? kExitOk : kExitNoResponse;
}

}  // namespace varimctl
