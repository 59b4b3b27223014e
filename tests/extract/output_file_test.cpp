// What the tool does to files that were there before, and to the image:
// only files it created in this run are ever written, moved or removed.
#include <gtest/gtest.h>

#include "tests/test_support.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace d88test {
namespace {

namespace fs = std::filesystem;

TEST(OutputFiles, NeverLoseAFile) {
  const ScratchDir work;
  const Bytes image = MusicDisk().Build();
  WriteFile(work / "DRIVER", image);        // the image itself, under an output's name
  fs::create_directory(work / "MUS03");     // nothing can replace it
  WriteFile(work / "MUS04", Bytes(10, 4));  // write-protected, whoever runs the tool
  fs::permissions(work / "MUS04",
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  WriteFile(work / "MUS05.d88cut-tmp", Bytes(10, 5));  // a user's file, never touched
  const ToolRun run = RunTool(work.path(), {"./DRIVER"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, Progress(kOrder));
  EXPECT_EQ(run.err, "cannot write DRIVER\ncannot write MUS03\ncannot write MUS04\n");
  EXPECT_EQ(ReadFile(work / "DRIVER"), image);
  EXPECT_EQ(ReadFile(work / "MUS04"), Bytes(10, 4));
  EXPECT_EQ(ReadFile(work / "MUS05.d88cut-tmp"), Bytes(10, 5));
  EXPECT_TRUE(fs::is_directory(work / "MUS03"));
  EXPECT_EQ(work.List().size(), kOrder.size() + 1);  // and no temporary file left
}

TEST(OutputFiles, TakeAnyImageName) {
  const ScratchDir work;
  const std::string name = "音楽ディスク ♪.d88";
  WriteFile(work.path() / fs::path(std::u8string(name.begin(), name.end())), MusicDisk().Build());
  const ToolRun run = RunTool(work.path(), {name});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, Progress(kOrder));
  EXPECT_EQ(work.List().back(), name);
}

#ifndef _WIN32
// Whatever holds the names of its temporary files, the tool creates new ones:
// the image (a second name of it), a link to a file elsewhere and a pipe stay
// as they were.
TEST(OutputFiles, TemporaryFilesAreAlwaysNew) {
  const ScratchDir work, elsewhere;
  const Bytes image = MusicDisk().Build();
  WriteFile(work / "image.d88", image);
  WriteFile(elsewhere / "precious", Bytes(7, 7));
  HeldTool held(work.path(), {"d88cut", "image.d88"});
  const std::string taken = "DRIVER.d88cut-" + std::to_string(held.pid()) + "-";
  fs::create_hard_link(work / "image.d88", work / (taken + "0"));
  fs::create_symlink(elsewhere / "precious", work / (taken + "1"));
  ASSERT_EQ(mkfifo((work / (taken + "2")).c_str(), 0666), 0);
  const ToolRun run = held.Run();
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(ReadFile(work / "image.d88"), image);
  EXPECT_EQ(ReadFile(elsewhere / "precious"), Bytes(7, 7));
  EXPECT_TRUE(fs::is_symlink(work / (taken + "1")));
  EXPECT_TRUE(fs::is_fifo(work / (taken + "2")));
  EXPECT_EQ(ReadFile(work / "DRIVER"), Concat({Sectors(17, 14, 16), Sectors(18, 1, 10)}));
  EXPECT_EQ(work.List().size(), kOrder.size() + 4);
}

// Past a file-size limit the write fails like a full disk's: the old file
// stays, and so does nothing else.
TEST(OutputFiles, AFailedWriteKeepsTheOldFile) {
  const ScratchDir work;
  WriteFile(work / "music.d88", MusicDisk().Build());
  WriteFile(work / "MUS11", Bytes(10, 11));
  const ToolRun run = RunTool(work.path(), {"music.d88"}, "d88cut", "prlimit --fsize=4096 ");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, Progress(kOrder));
  EXPECT_EQ(run.err, "cannot write MUS11\n");
  EXPECT_EQ(ReadFile(work / "MUS11"), Bytes(10, 11));
  EXPECT_EQ(work.List().size(), kOrder.size() + 1);
}

// Two runs in one folder both succeed, and each file is one image's whole cut.
TEST(OutputFiles, RunsSideBySideNeverMix) {
  const ScratchDir work, only_a, only_b;
  const Bytes a = MusicDisk().Build();
  const Bytes b = MusicDisk([](int track, int r) { return Bytes(256, track * 16 + r); }).Build();
  for (const auto* dir : {&work, &only_a}) WriteFile(*dir / "a.d88", a);
  for (const auto* dir : {&work, &only_b}) WriteFile(*dir / "b.d88", b);
  RunTool(only_a.path(), {"a.d88"});
  RunTool(only_b.path(), {"b.d88"});
  for (int round = 0; round < 5; ++round) {
    HeldTool first(work.path(), {"d88cut", "a.d88"}), second(work.path(), {"d88cut", "b.d88"});
    first.Go();
    EXPECT_EQ(second.Run().status + first.Run().status, 0);
  }
  for (const std::string& name : kOrder) {
    const Bytes cut = ReadFile(work / name);
    EXPECT_TRUE(cut == ReadFile(only_a / name) || cut == ReadFile(only_b / name)) << name;
  }
  EXPECT_EQ(work.List().size(), kOrder.size() + 2);
}

// Input that cannot be walked by seeking (a pipe, a device) is refused.
TEST(OutputFiles, OnlyARegularFileIsAnImage) {
  const ScratchDir work;
  WriteFile(work / "music.d88", MusicDisk().Build());
  for (const char* prefix : {"cat music.d88 | ", "exec </dev/zero; "}) {
    const ToolRun run = RunTool(work.path(), {"/dev/stdin"}, "d88cut", prefix);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, kOpenError);
    EXPECT_EQ(work.List().size(), 1u);
  }
}
#endif

}  // namespace
}  // namespace d88test
