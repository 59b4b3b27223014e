// The executable as a user runs it: messages, exit statuses, files left.
#include <gtest/gtest.h>

#include "tests/test_support.h"

namespace d88test {
namespace {

TEST(CommandLine, WrongArgumentsOrImagesThatCannotBeOpened) {
  const ScratchDir work;
  WriteFile(work / "a.d88", MusicDisk().Build());
  std::filesystem::create_directory(work / "folder.d88");
  const std::string usage = "Usage: " + ToolPath() + " [d88file]\n";
  const std::string open_error =
      "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x83\x49\x81\x5B\x83\x76"
      "\x83\x93\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x2E\x0A";
  for (const auto& [args, err] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{}, usage},
           {{"a.d88", "b.d88"}, usage},
           {{"missing.d88"}, open_error},
           {{"folder.d88"}, open_error}}) {
    const ToolRun run = RunTool(work.path(), args);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, err);
    EXPECT_EQ(work.List(), (std::vector<std::string>{"a.d88", "folder.d88"}));
  }
  WriteFile(work / "empty.d88", {});
  const ToolRun empty = RunTool(work.path(), {"empty.d88"});
  EXPECT_EQ(empty.status, 0);
  EXPECT_EQ(empty.out + empty.err, "");
}

#ifndef _WIN32
TEST(CommandLine, EmptyArgumentVectorNamesTheTool) {
  const ScratchDir work;
  const ToolRun run = HeldTool(work.path(), {}).Run();
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Usage: d88cut [d88file]\n");
}
#endif

}  // namespace
}  // namespace d88test
