#include "terminal_io.h"

#include <unistd.h>

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
  if (assumeYes_) {
    err_ << text << " yes (--yes)\n";
    return true;
  }
  if (::isatty(STDIN_FILENO) == 0) {
    err_ << text << " no (give --yes to answer yes)\n";
    return false;
  }
  err_ << text << " [y/N] " << std::flush;
  std::string answer;
  std::getline(std::cin, answer);
  return answer == "y" || answer == "Y" || answer == "yes";
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
