// Loading and saving a full radio programming: what Open and Save cost the technician.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "sample_database.h"
#include "varim/db/ale_file.h"
#include "varim/db/rss_file.h"

namespace {

using namespace varim::db;

struct Folder {
  Folder() {
    char pattern[] = "/tmp/varim-bench-XXXXXX";
    path = ::mkdtemp(pattern);
  }
  ~Folder() { std::system(("rm -rf " + path).c_str()); }
  std::string path;
};

const varim::db::testing::SampleDatabase& Sample() {
  static const auto sample = std::make_unique<varim::db::testing::SampleDatabase>(
      varim::db::testing::MakeSampleDatabase());
  return *sample;
}

void SaveRss(benchmark::State& state) {
  Folder folder;
  PresenceFlags flags;
  flags.ccir_present = 1;
  FileInformation info{};
  for (auto _ : state) {
    if (!SaveRssFile(folder.path + "/radio.rss", info, Sample().radio, Sample().channelNames,
                     flags))
      state.SkipWithError("save failed");
  }
}
BENCHMARK(SaveRss)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

void OpenRss(benchmark::State& state) {
  Folder folder;
  PresenceFlags flags;
  flags.ccir_present = 1;
  FileInformation info{};
  const std::string path = folder.path + "/radio.rss";
  SaveRssFile(path, info, Sample().radio, Sample().channelNames, flags);
  auto radio = std::make_unique<dbase>();
  auto numbers = std::make_unique<channel_name>();
  for (auto _ : state) {
    if (!OpenRssFile(path, info, *radio, *numbers, flags)) state.SkipWithError("open failed");
  }
}
BENCHMARK(OpenRss)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

void SaveAle(benchmark::State& state) {
  Folder folder;
  PresenceFlags flags;
  FileInformation info{};
  for (auto _ : state) {
    if (!SaveAleFile(folder.path + "/nets.ale", info, Sample().radio, Sample().ale,
                     Sample().globalMembers, Sample().extraOptions, flags)) {
      state.SkipWithError("save failed");
    }
  }
}
BENCHMARK(SaveAle)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

void OpenAle(benchmark::State& state) {
  Folder folder;
  PresenceFlags flags;
  FileInformation info{};
  const std::string path = folder.path + "/nets.ale";
  SaveAleFile(path, info, Sample().radio, Sample().ale, Sample().globalMembers,
              Sample().extraOptions, flags);
  auto ale = std::make_unique<ale_dbase>();
  auto globals = std::make_unique<ale_dbase_global_members>();
  tag_extra_options extra{};
  for (auto _ : state) {
    if (!OpenAleFile(path, info, *ale, *globals, extra, flags)) state.SkipWithError("open failed");
  }
}
BENCHMARK(OpenAle)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
