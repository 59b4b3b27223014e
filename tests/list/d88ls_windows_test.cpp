// d88ls on Windows, where no shell expands wildcards: it expands them itself,
// and takes /? for --help.
#include "tests/test_support.h"
#include "tests/tool_run.h"

namespace d88test {

TEST(WindowsCommandLine, WildcardsAndTheHelpOption) {
  const ScratchDir work;
  std::filesystem::create_directory(work / "disks");
  for (const char* name : {"b.d88", "a.D88", "a.d88x"})
    WriteFile(work / "disks" / name, MusicDisk().Build());
  auto run = [&](std::vector<std::string> args) {
    return RunTool({.folder = work.path, .args = std::move(args), .tool = "d88ls"});
  };
  const std::string listing = run({"disks\\b.d88"}).out;
  EXPECT_EQ(
      run({"disks\\*.d88"}),
      (ToolRun{.status = 0, .out = "disks\\a.D88:\n" + listing + "\ndisks\\b.d88:\n" + listing}));
  EXPECT_EQ(
      run({"--check", "disks/?.d88", "none*.d88"}),
      (ToolRun{.status = 2,
               .out = "disks/a.D88: all 14 files complete\ndisks/b.d88: all 14 files complete\n",
               .err = "d88ls: no file matches 'none*.d88'\n"}));
  EXPECT_TRUE(run({"/?"}).out.starts_with("Usage: d88ls [--] IMAGE...\n"));
}

}  // namespace d88test
