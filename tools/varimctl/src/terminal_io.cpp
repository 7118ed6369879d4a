#include "terminal_io.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <thread>

namespace varimctl {

namespace {

constexpr int kBarWidth = 30;

}  // namespace

void TerminalOperator::Notify(const std::string& text, Icon /*icon*/) {
  err_ << text << "\n";
}

bool TerminalOperator::Ask(const std::string& text) {
  return AskTerminal(text, "[y/N]", {"y", "Y", "yes"});
}

bool TerminalOperator::Confirm(const std::string& text) {
  return AskTerminal(text, "[ok/Cancel]", {"ok", "OK", "o", "y", "Y", "yes"});
}

bool TerminalOperator::AskTerminal(const std::string& text, const char* choices,
                                   std::initializer_list<const char*> accepted) {
  if (assumeYes_) {
    err_ << text << " yes (--yes)\n";
    return true;
  }
  if (::isatty(STDIN_FILENO) == 0) {
    err_ << text << " no (give --yes to answer yes)\n";
    return false;
  }
  err_ << text << " " << choices << " " << std::flush;
  std::string answer;
  std::getline(std::cin, answer);
  return std::any_of(accepted.begin(), accepted.end(),
                     [&answer](const char* word) { return answer == word; });
}

void TerminalPump::Wait(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void TerminalProgress::OnProgress(const varim::core::ProgressView& view) {
  if (stop_) session_.AbortTransfer();
  if (style_ == Style::kBar) {
    const int filled = view.percent * kBarWidth / 100;
    err_ << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(kBarWidth - filled), '.') << "] ";
    err_.width(3);
    err_ << view.percent << "% " << view.status << "\033[K" << std::flush;
    drawn_ = true;
  } else if (style_ == Style::kLines && view.status != lastStatus_) {
    err_ << view.percent << "% " << view.status << "\n";
  }
  lastStatus_ = view.status;
}

void TerminalProgress::Finish() {
  if (drawn_) err_ << "\n" << std::flush;
  drawn_ = false;
}

}  // namespace varimctl
