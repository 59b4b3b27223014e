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
  for (const auto& [args, err] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{}, usage},
           {{"a.d88", "b.d88"}, usage},
           {{"missing.d88"}, kOpenError},
           {{"folder.d88"}, kOpenError}}) {
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
