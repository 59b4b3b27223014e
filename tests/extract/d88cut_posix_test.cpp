// d88cut on POSIX systems, where a user can hand it a pipe, start it without
// a program name, put a limit on file sizes, take its temporary names
// before it does, or start two runs in one folder at once.
#include <sys/stat.h>

#include "tests/extract/cut_expectations.h"
#include "tests/test_support.h"
#include "tests/tool_run.h"

namespace d88test {

namespace fs = std::filesystem;

TEST(CommandLine, PipesDevicesAndNoProgramName) {
  const ScratchDir work;
  const Bytes image = MusicDisk().Build();
  // "cat music.d88 | d88cut /dev/stdin": a pipe cannot be read by seeking.
  EXPECT_EQ(
      RunTool({.folder = work.path, .args = {"/dev/stdin"}, .input = {image.begin(), image.end()}}),
      (ToolRun{.status = 1, .err = kOpenError}));
  EXPECT_EQ(RunTool({.folder = work.path, .args = {"/dev/zero"}}),
            (ToolRun{.status = 1, .err = kOpenError}));
  // No argument at all, not even the program's name.
  EXPECT_EQ(RunTool({.folder = work.path, .no_program_name = true}),
            (ToolRun{.status = 1, .err = "Usage: d88cut [d88file]\n"}));
  EXPECT_EQ(work.List(), std::vector<std::string>{});
}

// Takes the names the run with this process id tries first for its
// temporary DRIVER: another name of the image, a link to a file elsewhere,
// and a FIFO.
void TakeTemporaryNames(const ScratchDir& work, int process_id, const fs::path& elsewhere) {
  const std::string taken = "DRIVER.d88cut-" + std::to_string(process_id) + "-";
  fs::create_hard_link(work / "image.d88", work / (taken + "0"));
  fs::create_symlink(elsewhere, work / (taken + "1"));
  ASSERT_EQ(mkfifo((work / (taken + "2")).c_str(), 0644), 0);
}

TEST(OutputFiles, NamesTakenByOthersArePassedOver) {
  const ScratchDir work, elsewhere;
  const Bytes image = MusicDisk().Build();
  WriteFile(work / "image.d88", image);
  WriteFile(elsewhere / "precious", Bytes(7, 7));

  const ToolRun run =
      RunTool({.folder = work.path, .args = {"image.d88"}, .before_start = [&](int process_id) {
                 TakeTemporaryNames(work, process_id, elsewhere / "precious");
               }});
  EXPECT_EQ(run, (ToolRun{.status = 0, .out = Progress(kCuttingOrder)}));

  // The three names are as they were, and DRIVER was cut.
  EXPECT_EQ(ReadFile(elsewhere / "precious"), Bytes(7, 7));
  const std::vector<std::string> names = work.List();  // DRIVER, then the taken names
  ASSERT_EQ(names.size(), kCuttingOrder.size() + 4);
  EXPECT_EQ(ReadFile(work / names[1]), image);
  EXPECT_TRUE(fs::is_symlink(work / names[2]));
  EXPECT_TRUE(fs::is_fifo(work / names[3]));
  EXPECT_EQ(ReadFile(work / "DRIVER"), Concat({Sectors(17, 14, 16), Sectors(18, 1, 10)}));
}

TEST(OutputFiles, AWriteThatFailsKeepsTheOldFile) {
  const ScratchDir work;
  WriteFile(work / "image.d88", MusicDisk().Build());
  WriteFile(work / "MUS11", Bytes(10, 11));

  // Files may grow to 4096 bytes: MUS11 (4864 bytes) fails as on a full disk.
  EXPECT_EQ(RunTool({.folder = work.path, .args = {"image.d88"}, .file_size_limit = 4096}),
            (ToolRun{.status = 1, .out = Progress(kCuttingOrder), .err = "cannot write MUS11\n"}));

  EXPECT_EQ(ReadFile(work / "MUS11"), Bytes(10, 11));
  EXPECT_EQ(work.List().size(), kCuttingOrder.size() + 1);  // no temporary file left
}

TEST(OutputFiles, RunsSideBySideNeverMix) {
  // Two images whose every sector differs, each cut alone for reference.
  const ScratchDir work, only_a, only_b;
  const Bytes a = MusicDisk().Build();
  const Bytes b = MusicDisk([](int track, int r) { return Bytes(256, track * 16 + r); }).Build();
  for (const ScratchDir* dir : {&work, &only_a}) WriteFile(*dir / "a.d88", a);
  for (const ScratchDir* dir : {&work, &only_b}) WriteFile(*dir / "b.d88", b);
  RunTool({.folder = only_a.path, .args = {"a.d88"}});
  RunTool({.folder = only_b.path, .args = {"b.d88"}});

  // Five times, both images cut into one folder at once.
  for (int round = 0; round < 5; ++round) {
    StartedTool cut_a({.folder = work.path, .args = {"a.d88"}});
    StartedTool cut_b({.folder = work.path, .args = {"b.d88"}});
    EXPECT_EQ(cut_a.Wait().status, 0);
    EXPECT_EQ(cut_b.Wait().status, 0);
  }

  // Each file is one image's whole cut, and no temporary file is left.
  for (const std::string& name : kCuttingOrder) {
    const Bytes cut = ReadFile(work / name);
    EXPECT_TRUE(cut == ReadFile(only_a / name) || cut == ReadFile(only_b / name)) << name;
  }
  EXPECT_EQ(work.List().size(), kCuttingOrder.size() + 2);
}

}  // namespace d88test
