#include <gtest/gtest.h>

#include <vector>

#include "varim/core/command_registry.h"
#include "varim/core/radio_state.h"

namespace {

using varim::core::CommandId;
using varim::core::CommandRegistry;
using varim::core::CommandState;

TEST(CommandRegistry, OffersOnlyInstalledCommandsAndRunsThemOnlyWhenEnabled) {
  CommandRegistry registry;
  EXPECT_EQ(registry.StateOf(CommandId::kBite), (CommandState{false, false}));
  EXPECT_FALSE(registry.Run(CommandId::kBite));

  bool enabled = false;
  int runs = 0;
  registry.Install(CommandId::kBite,
                   {[&] { return enabled; }, [] { return true; }, [&] { ++runs; }});
  EXPECT_EQ(registry.StateOf(CommandId::kBite), (CommandState{false, true}));
  EXPECT_FALSE(registry.Run(CommandId::kBite));
  enabled = true;
  EXPECT_TRUE(registry.Run(CommandId::kBite));
  EXPECT_EQ(runs, 1);

  // Without rules a command is always enabled and never checked.
  registry.Install(CommandId::kAbout, {{}, {}, [&] { runs += 10; }});
  EXPECT_EQ(registry.StateOf(CommandId::kAbout), (CommandState{true, false}));
  EXPECT_TRUE(registry.Run(CommandId::kAbout));
  EXPECT_EQ(runs, 11);
}

TEST(RadioState, ObserversHearOfChangesOnly) {
  varim::core::RadioState state;
  std::vector<bool> heard;
  const int key =
      state.Observe([&](const varim::core::RadioStatus& s) { heard.push_back(s.monitor); });
  state.Change([](varim::core::RadioStatus& s) { s.monitor = true; });
  state.Change([](varim::core::RadioStatus& s) { s.monitor = true; });
  state.Change([](varim::core::RadioStatus& s) { s.monitor = false; });
  EXPECT_EQ(heard, (std::vector<bool>{true, false}));
  state.Forget(key);
  state.Change([](varim::core::RadioStatus& s) { s.monitor = true; });
  EXPECT_EQ(heard.size(), 2u);

  // What an observer keeps from one change to the next is kept.
  std::vector<int> counts;
  state.Observe([&, count = 0](const varim::core::RadioStatus&) mutable {
    counts.push_back(++count);
  });
  state.Change([](varim::core::RadioStatus& s) { s.monitor = false; });
  state.Change([](varim::core::RadioStatus& s) { s.monitor = true; });
  EXPECT_EQ(counts, (std::vector<int>{1, 2}));
}

}  // namespace
