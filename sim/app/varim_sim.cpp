// varim-sim: a simulated VARIM radio on a pseudo-terminal.

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "varim/sim/sample_programming.h"
#include "varim/sim/sim_console.h"
#include "varim/sim/simulated_radio.h"

namespace {

volatile std::sig_atomic_t stopSignal = 0;

void OnStopSignal(int) {
  stopSignal = 1;
}

// Replaces an earlier link of ours, but never a file that is something else.
bool MakeLink(const std::string& device, const std::string& link) {
  struct stat existing {};
  if (::lstat(link.c_str(), &existing) == 0) {
    if (!S_ISLNK(existing.st_mode)) {
      std::cerr << "varim-sim: " << link << " exists and is not a symbolic link\n";
      return false;
    }
    ::unlink(link.c_str());
  }
  if (::symlink(device.c_str(), link.c_str()) != 0) {
    std::perror(("varim-sim: " + link).c_str());
    return false;
  }
  return true;
}

// Runs the scenario file's commands in order; false when it asks to quit or cannot be read.
bool RunScript(varim::sim::SimConsole& console, const std::string& path, bool& quit) {
  std::ifstream script(path);
  if (!script) {
    std::cerr << "varim-sim: cannot read the scenario " << path << "\n";
    return false;
  }
  std::string line;
  while (stopSignal == 0 && std::getline(script, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!console.Execute(line, std::cout)) {
      quit = true;
      break;
    }
    std::cout.flush();
  }
  return true;
}

// Reads console commands until quit, end of input or a stop signal. At end of input (started
// in the background) the radio keeps running until it is signalled.
void Serve(varim::sim::SimConsole& console) {
  bool readInput = true;
  std::string pending;
  while (stopSignal == 0) {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    const int ready = ::poll(&input, readInput ? 1 : 0, 200);
    if (ready <= 0 || !(input.revents & (POLLIN | POLLHUP))) continue;
    char chunk[512];
    const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
    if (n <= 0) {
      readInput = false;
      continue;
    }
    pending.append(chunk, static_cast<std::size_t>(n));
    for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
      const std::string line = pending.substr(0, end);
      pending.erase(0, end + 1);
      if (!console.Execute(line, std::cout)) return;
      std::cout.flush();
    }
  }
}

}  // namespace

std::string ProfileNames() {
  std::string names;
  for (const auto& profile : varim::sim::KnownProfiles()) {
    if (!names.empty()) names += ", ";
    names += profile.name;
  }
  return names;
}

int main(int argc, char** argv) {
  CLI::App app{
      "A simulated VARIM radio on a pseudo-terminal. It prints the device to open, runs the\n"
      "scenario file if one is given, then takes the same commands on standard input until quit\n"
      "or the end of input (then it runs until interrupted)."};
  std::ostringstream commands;
  varim::sim::SimConsole::PrintHelp(commands);
  app.footer(commands.str());
  std::string link;
  std::string profileName = varim::sim::KnownProfiles().front().name;
  std::string programming = varim::sim::DefaultProgrammingFolder();
  bool blank = false;
  varim::sim::SimOptions options;
  app.add_option("--link", link, "Also make a symbolic link to the device at this path");
  app.add_option("--baud", options.baudRate,
                 "Line speed the radio expects (acknowledgement time-outs)")
      ->check(CLI::IsMember({1200, 2400, 4800, 9600}));
  app.add_flag("--paced", options.paced, "Move every byte at the line speed, as a real line does");
  app.add_option("--profile", profileName, "Kind of radio: " + ProfileNames());
  app.add_option("--programming", programming,
                 "Folder with the radio's programming: sample.rss, sample.ale, sample.ccr");
  app.add_flag("--blank", blank, "Start with nothing programmed");
  std::map<std::string, varim::sim::AnswerLead> answerLeads;
  std::vector<std::string> answerLeadNames;
  for (const auto& lead : varim::sim::kAnswerLeadNames) {
    answerLeads.emplace(lead.name, lead.lead);
    answerLeadNames.emplace_back(lead.name);
  }
  std::string answerLead = "echo";
  app.add_option("--answer-lead", answerLead,
                 "What the four bytes before the data of a memory answer carry: echo (the "
                 "request's first four data bytes), address (0 and the three address bytes) "
                 "or zero")
      ->check(CLI::IsMember(answerLeadNames))
      ->capture_default_str();
  std::string script;
  std::string tracePath;
  app.add_option("--script", script, "Scenario file: commands, one per line, run at start");
  app.add_option("--trace", tracePath,
                 "Log every frame with its time into this file (- for the error stream)");
  app.add_option("--seed", options.seed,
                 "Seed of the random line faults (the same seed repeats a run)");
  CLI11_PARSE(app, argc, argv);

  const auto profile = varim::sim::FindProfile(profileName);
  if (!profile) {
    std::cerr << "varim-sim: no radio profile is called '" << profileName << "' (" << ProfileNames()
              << ")\n";
    return 2;
  }
  options.profile = *profile;
  options.behaviour.answerLead = answerLeads.at(answerLead);
  if (!blank) {
    std::string error;
    const auto databases = varim::sim::LoadProgramming(programming, &error);
    if (!databases) {
      std::cerr << "varim-sim: " << error << "\n";
      return 3;
    }
    options.memory.emplace();
    options.memory->Store(*databases, *profile);
  }

  std::ofstream traceFile;
  if (tracePath == "-") {
    options.trace = [](const std::string& line) { std::cerr << line << std::endl; };
  } else if (!tracePath.empty()) {
    traceFile.open(tracePath);
    if (!traceFile) {
      std::cerr << "varim-sim: cannot write the trace " << tracePath << "\n";
      return 3;
    }
    options.trace = [&traceFile](const std::string& line) { traceFile << line << std::endl; };
  }

  std::signal(SIGINT, OnStopSignal);
  std::signal(SIGTERM, OnStopSignal);
  std::signal(SIGHUP, OnStopSignal);

  varim::sim::SimulatedRadio radio(options);
  std::string error;
  if (!radio.Start(&error)) {
    std::cerr << "varim-sim: cannot create a pseudo-terminal: " << error << "\n";
    return 1;
  }
  if (!link.empty() && !MakeLink(radio.DevicePath(), link)) return 1;
  std::cout << radio.DevicePath() << std::endl;

  varim::sim::SimConsole console(radio);
  bool quit = false;
  if (!script.empty() && !RunScript(console, script, quit)) quit = true;
  if (!quit) Serve(console);

  radio.Stop();
  if (!link.empty()) ::unlink(link.c_str());
  return 0;
}
