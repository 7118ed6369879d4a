#include "call_log_commands.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <vector>

#include "commands.h"
#include "varim/core/call_lists.h"

namespace varimctl {

namespace {

using varim::core::CallRecord;

// The log window's columns, then the message the window shows under its grid.
struct LogColumn {
  const char* header;
  std::string (*text)(const CallRecord&);
};

const LogColumn kLogColumns[] = {
    {"From", [](const CallRecord& r) { return r.from; }},
    {"To", [](const CallRecord& r) { return r.to; }},
    {"Date", [](const CallRecord& r) { return r.date; }},
    {"Start", [](const CallRecord& r) { return r.start; }},
    {"End", [](const CallRecord& r) { return r.end; }},
    {"CallType", [](const CallRecord& r) { return r.callType; }},
    {"Net", [](const CallRecord& r) { return r.net; }},
    {"Channel", [](const CallRecord& r) { return r.channel; }},
    {"Message", [](const CallRecord& r) { return r.MessageText(); }},
};

// A field as RFC 4180 wants it: quoted, with its quotes doubled, when it holds a separator, a
// quote, a line break or blanks at its ends that a reader would otherwise lose.
std::string CsvField(const std::string& text) {
  const bool quoted = text.find_first_of(",\"\r\n") != std::string::npos ||
                      (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!quoted) return text;
  std::string field = "\"";
  for (const char c : text) {
    if (c == '"') field += '"';
    field += c;
  }
  return field + "\"";
}

void PrintCsv(const std::vector<CallRecord>& records, std::ostream& out) {
  const char* separator = "";
  for (const LogColumn& column : kLogColumns) {
    out << separator << column.header;
    separator = ",";
  }
  out << "\n";
  for (const CallRecord& record : records) {
    separator = "";
    for (const LogColumn& column : kLogColumns) {
      out << separator << CsvField(column.text(record));
      separator = ",";
    }
    out << "\n";
  }
}

void PrintTable(const std::vector<CallRecord>& records, std::ostream& out) {
  constexpr std::size_t kColumns = std::size(kLogColumns);
  std::size_t widths[kColumns];
  for (std::size_t c = 0; c < kColumns; ++c) {
    widths[c] = std::string(kLogColumns[c].header).size();
    for (const CallRecord& record : records)
      widths[c] = std::max(widths[c], kLogColumns[c].text(record).size());
  }
  auto line = [&](auto cell) {
    std::string text;
    for (std::size_t c = 0; c < kColumns; ++c) {
      std::string value = cell(c);
      if (c + 1 < kColumns) value.resize(widths[c] + 2, ' ');
      text += value;
    }
    text.erase(text.find_last_not_of(' ') + 1);
    out << text << "\n";
  };
  line([](std::size_t c) { return std::string(kLogColumns[c].header); });
  for (const CallRecord& record : records)
    line([&record](std::size_t c) { return kLogColumns[c].text(record); });
}

}  // namespace

int RunLog(const LogOptions& options, std::ostream& out, std::ostream& err) {
  std::error_code error;
  if (!std::filesystem::is_directory(options.dir, error)) {
    err << "varimctl: no such folder: " << options.dir << "\n";
    return kExitPortUnavailable;
  }
  varim::core::CallLists calls(options.dir);
  calls.Load();
  const std::vector<CallRecord>& records = options.stack ? calls.Stack() : calls.Log();
  if (options.csv) {
    PrintCsv(records, out);
  } else {
    PrintTable(records, out);
  }
  return kExitOk;
}

}  // namespace varimctl
