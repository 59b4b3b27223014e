// The executable as a user runs it: messages, exit statuses, files left.
#include <gtest/gtest.h>

#include "tests/image_builder.h"
#include "tests/run_tool.h"

#ifdef __linux__
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace d88test {
namespace {

const std::string kOpenError =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x83\x49\x81\x5B\x83\x76"
    "\x83\x93\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x2E\x0A";

TEST(CommandLine, WrongArgumentCountPrintsUsage) {
  const ScratchDir work;
  WriteFile(work / "a.d88", MusicDisk().Build());
  for (const auto& args : {std::vector<std::string>{}, {"a.d88", "b.d88"}}) {
    const ToolRun run = RunTool(work.path(), args);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Usage: " + ToolPath() + " [d88file]\n");
    EXPECT_EQ(work.List(), std::vector<std::string>{"a.d88"});
  }
}

TEST(CommandLine, ImageThatCannotBeOpenedIsAnError) {
  const ScratchDir work;
  std::filesystem::create_directory(work / "folder.d88");
  for (const char* path : {"missing.d88", "folder.d88"}) {
    const ToolRun run = RunTool(work.path(), {path});
    EXPECT_EQ(run.status, 1) << path;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, kOpenError);
    EXPECT_EQ(work.List(), std::vector<std::string>{"folder.d88"});
  }
}

TEST(CommandLine, FileWithoutADiskCutsNothing) {
  const ScratchDir work;
  WriteFile(work / "empty.d88", {});
  const ToolRun run = RunTool(work.path(), {"empty.d88"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(work.List(), std::vector<std::string>{"empty.d88"});
}

#ifdef __linux__
TEST(CommandLine, EmptyArgumentVectorNamesTheTool) {
  const ScratchDir work;
  const auto err_path = work / "stderr";
  const pid_t child = fork();
  if (child == 0) {
    std::freopen(err_path.c_str(), "wb", stderr);
    char* no_args[] = {nullptr};
    execve(ToolPath().c_str(), no_args, environ);
    _exit(99);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 1);
  const Bytes err = ReadFile(err_path);
  EXPECT_EQ(std::string(err.begin(), err.end()), "Usage: d88cut [d88file]\n");
}
#endif

}  // namespace
}  // namespace d88test
