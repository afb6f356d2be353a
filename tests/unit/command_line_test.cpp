// The command line: each argument list and what the program makes of it.
#include "model/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Action = model::CommandLine::Action;

struct Case {
  std::vector<std::string> args;
  Action action;
  std::string file = "";
  int passes = 1;
  double speed = 1;
  bool wait = false;
  bool keyboard = false;
};

TEST(CommandLine, ArgumentListsAndWhatTheyAsk) {
  const Case cases[] = {
      {{}, Action::Window},
      {{"walk.tpw"}, Action::Window, "walk.tpw"},
      {{"-"}, Action::Window, "-"},
      {{"--", "--play"}, Action::Window, "--play"},
      {{"--play", "walk.tpw"}, Action::Play, "walk.tpw"},
      {{"walk.tpw", "--play"}, Action::Play, "walk.tpw"},
      {{"--play", "w.tpw", "--repeat", "2"}, Action::Play, "w.tpw", 2},
      {{"--play", "w.tpw", "--repeat=12"}, Action::Play, "w.tpw", 12},
      {{"--play", "w.tpw", "--loop"}, Action::Play, "w.tpw", 0},
      {{"--play", "w.tpw", "--speed", "1/4"}, Action::Play, "w.tpw", 1, 0.25},
      {{"--play", "w.tpw", "--speed=1/2"}, Action::Play, "w.tpw", 1, 0.5},
      {{"--play", "w.tpw", "--speed", "1.5"}, Action::Play, "w.tpw", 1, 1.5},
      {{"--play", "w.tpw", "--speed", "0.3"}, Action::Play, "w.tpw", 1, 0.3},
      {{"--play", "w.tpw", "--speed", "8", "--loop"}, Action::Play, "w.tpw", 0, 8},
      {{"--play", "w.tpw", "--wait"}, Action::Play, "w.tpw", 1, 1, true},
      {{"--record", "w.tpw"}, Action::Record, "w.tpw"},
      {{"--keyboard", "--record", "w.tpw"}, Action::Record, "w.tpw", 1, 1, false, true},
      {{"--help"}, Action::Help},
      {{"-h"}, Action::Help},
      {{"walk.tpw", "--version"}, Action::Version},
      {{"--bogus", "--help"}, Action::UsageError},
      {{"--help=1"}, Action::UsageError},
      {{"-x"}, Action::UsageError},
      {{""}, Action::UsageError},
      {{"a.tpw", "b.tpw"}, Action::UsageError},
      {{"--play"}, Action::UsageError},
      {{"--repeat", "2", "w.tpw"}, Action::UsageError},
      {{"--speed", "2", "w.tpw"}, Action::UsageError},
      {{"--loop", "w.tpw"}, Action::UsageError},
      {{"--wait", "w.tpw"}, Action::UsageError},
      {{"--play", "w.tpw", "--repeat", "2", "--loop"}, Action::UsageError},
      {{"--play", "w.tpw", "--repeat"}, Action::UsageError},
      {{"--play", "w.tpw", "--repeat", "0"}, Action::UsageError},
      {{"--play", "w.tpw", "--repeat", "-1"}, Action::UsageError},
      {{"--play", "w.tpw", "--repeat", "2x"}, Action::UsageError},
      {{"--play", "w.tpw", "--repeat", "99999999999"}, Action::UsageError},
      {{"--play", "w.tpw", "--speed", "8.01"}, Action::UsageError},
      {{"--play", "w.tpw", "--speed", "0.2"}, Action::UsageError},
      {{"--play", "w.tpw", "--speed", "1/8"}, Action::UsageError},
      {{"--play", "w.tpw", "--speed", "2x"}, Action::UsageError},
      {{"--play", "w.tpw", "--speed", "nan"}, Action::UsageError},
      {{"--record"}, Action::UsageError},
      {{"--keyboard", "w.tpw"}, Action::UsageError},
      {{"--record", "w.tpw", "--play"}, Action::UsageError},
      {{"--record", "w.tpw", "--speed", "2"}, Action::UsageError},
  };
  for (const Case& c : cases) {
    std::string shown;
    for (const std::string& a : c.args) shown += "[" + a + "] ";
    const model::CommandLine line = model::ParseCommandLine(c.args);
    EXPECT_EQ(line.action, c.action) << shown;
    if (c.action == Action::UsageError) {
      EXPECT_FALSE(line.error.empty()) << shown;
      continue;
    }
    if (c.action == Action::Help || c.action == Action::Version) continue;
    // A later copy hands the same request on to the running one.
    const model::CommandLine handed = model::ParseMessage(model::MessageOf(line));
    for (const model::CommandLine& l : {line, handed}) {
      EXPECT_EQ(l.action, c.action) << shown;
      EXPECT_EQ(l.file, c.file) << shown;
      EXPECT_EQ(l.passes, c.passes) << shown;
      EXPECT_EQ(l.speed, c.speed) << shown;
      EXPECT_EQ(l.wait, c.wait) << shown;
      EXPECT_EQ(l.keyboard, c.keyboard) << shown;
    }
  }
  EXPECT_EQ(model::ParseMessage(std::string("--play\0w.tpw", 12)).action, Action::UsageError);
}

}  // namespace
