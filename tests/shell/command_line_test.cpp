// Options that take a value refuse a missing or empty one and name what they got.
#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

Options Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "lantern-drift");
  return ParseCommandLine(static_cast<int>(args.size()), args.data());
}

TEST(CommandLineTest, RefusesMissingAndEmptyValues) {
  struct Case {
    std::vector<const char*> args;
    const char* error;
  } cases[] = {
      {{"--record", ""}, "--record takes a file name, not an empty one"},
      {{"--record"}, "--record takes a file name"},
      {{"--replay", "--headless"}, "--replay takes a file name, not '--headless'"},
      {{"--scale", "10"}, "--scale takes a whole number from 1 to 9, not '10'"},
      {{"--scale"}, "--scale takes a whole number from 1 to 9"},
      {{"--check", ""}, "--check takes a folder name, not an empty one"},
      {{"--stage"}, "--stage takes a stage number"},
      {{"--stage", "3a"}, "--stage takes a stage number, as in data/data3.dat, not '3a'"},
      {{"--stage", "3", "--record", "r"}, "--stage cannot be used with --record or --replay"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.front());
    const Options o = Parse(c.args);
    EXPECT_EQ(o.error.rfind(c.error, 0), 0u) << o.error;
  }
}

TEST(CommandLineTest, TakesGivenValues) {
  const Options replay = Parse({"--replay", "run.rec", "--headless", "--scale", "9"});
  EXPECT_EQ(replay.replay, "run.rec");
  EXPECT_EQ(replay.scale, 9);
  const Options check = Parse({"--check", "--windowed"});
  EXPECT_TRUE(check.check);
  EXPECT_EQ(check.full_screen, 0) << "an option after --check is no folder";
  const Options stage = Parse({"--check", "pack", "--stage", "12"});
  EXPECT_EQ(stage.check_folder, "pack");
  EXPECT_EQ(stage.stage, 12);
}

}  // namespace
