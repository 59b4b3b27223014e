// d88cut as a user runs it, in a fresh folder: usage, open errors, exit
// statuses, the fourteen cuts, and what it does to files that were there
// before and to the image (only files it created in this run are ever
// written, moved or removed).
#include <algorithm>
#include <array>
#include <cstdio>

#include "tests/extract/cut_expectations.h"
#include "tests/test_support.h"
#include "tests/tool_run.h"

namespace d88test {

namespace fs = std::filesystem;

std::string Progress(const std::vector<std::string>& names) {
  std::string lines;
  for (const std::string& name : names) lines += "cutting ... " + name + "\n";
  return lines;
}

TEST(CommandLine, WrongArgumentsOrImagesThatCannotBeOpened) {
  const ScratchDir work;
  WriteFile(work / "a.d88", MusicDisk().Build());
  fs::create_directory(work / "folder.d88");
  struct Case {
    std::string tool;
    std::vector<std::string> args;
    std::string err;
  };
  const std::string try_help = "Try 'd88ls --help' for more information.\n";
  const Case cases[] = {
      {"d88cut", {}, "Usage: " + ToolPath("d88cut") + " [d88file]\n"},
      {"d88cut", {"a.d88", "b.d88"}, "Usage: " + ToolPath("d88cut") + " [d88file]\n"},
      {"d88cut", {"missing.d88"}, kOpenError},
      {"d88cut", {"folder.d88"}, kOpenError},
      {"d88cut", {kDevice}, kOpenError},
      {"d88ls", {kDevice}, "d88ls: cannot open '" + kDevice + "': not a regular file\n"},
      {"d88ls", {}, "Usage: " + ToolPath("d88ls") + " [d88file]\n" + try_help},
      {"d88ls", {"a.d88", "b.d88"}, "Usage: " + ToolPath("d88ls") + " [d88file]\n" + try_help},
      {"d88ls", {"-x"}, "d88ls: unknown option '-x'\n" + try_help},
      {"d88ls", {"-"}, "d88ls: cannot open '-': No such file or directory\n"},
      {"d88ls", {"missing.d88"}, "d88ls: cannot open 'missing.d88': No such file or directory\n"},
      {"d88ls", {"folder.d88"}, "d88ls: cannot open 'folder.d88': Is a directory\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RunTool({.folder = work.path, .args = c.args, .tool = c.tool}),
              (ToolRun{.status = 1, .err = c.err}));
    EXPECT_EQ(work.List(), (std::vector<std::string>{"a.d88", "folder.d88"}));
  }
  // A file that holds no disk header: nothing to cut, and no complaint.
  WriteFile(work / "empty.d88", {});
  EXPECT_EQ(RunTool({.folder = work.path, .args = {"empty.d88"}}), ToolRun{.status = 0});
}

// Sector R of a track of the bundled sample: a line that names its place,
// "T16 C08 H0 R13 \n", sixteen times.
std::string Labelled(int track, int r) {
  char line[32];
  std::snprintf(line, sizeof line, "T%02d C%02d H%d R%02d \n", track, track / 2, track % 2, r);
  std::string sector;
  for (int i = 0; i < 16; ++i) sector += line;
  return sector;
}

// Each file and the sectors it holds: runs of track, first R, last R.
// clang-format off
const std::vector<std::pair<std::string, std::vector<std::array<int, 3>>>> kCuts = {
    {"DRIVER", {{17, 14, 16}, {18, 1, 10}}}, {"VOICE", {{15, 2, 4}}}, {"MUS00", {{15, 5, 11}}},
    {"MUS01", {{15, 12, 16}}}, {"MUS02", {{16, 1, 3}}}, {"MUS03", {{16, 4, 10}}},
    {"MUS04", {{16, 11, 12}}}, {"MUS05", {{16, 13, 16}, {17, 1, 4}}}, {"MUS06", {{16, 14, 14}}},
    {"MUS07", {{16, 15, 15}}}, {"MUS08", {{17, 1, 1}}}, {"MUS09", {{17, 2, 2}}},
    {"MUS10", {{17, 4, 4}}}, {"MUS11", {{17, 5, 16}, {18, 1, 7}}}};
// clang-format on

TEST(Extraction, CutsTheFourteenFilesOfTheSampleInOrder) {
  // The sample under a name outside any ANSI code page, and an older MUS00.
  const ScratchDir work;
  const std::string name = "音楽ディスク ♪.d88";
  fs::copy_file(D88_SAMPLE, work.path / fs::path(std::u8string(name.begin(), name.end())));
  WriteFile(work / "MUS00", Bytes(5000, 0xEE));

  EXPECT_EQ(RunTool({.folder = work.path, .args = {name}}),
            (ToolRun{.status = 0, .out = Progress(kCuttingOrder)}));

  // Each file holds its sectors, byte for byte; the old MUS00 is replaced
  // whole; nothing else is left.
  for (const auto& [file, runs] : kCuts) {
    std::string expected;
    for (const auto& [track, first, last] : runs) {
      for (int r = first; r <= last; ++r) expected += Labelled(track, r);
    }
    const Bytes cut = ReadFile(work / file);
    EXPECT_EQ(std::string(cut.begin(), cut.end()), expected) << file;
  }
  EXPECT_EQ(work.List().size(), kCuttingOrder.size() + 1);
}

TEST(Extraction, SkipsWhatIsNotOnTheDiskAndNeverLosesAFile) {
  // An image without track 15 (VOICE, MUS00 and MUS01 are not on it) and
  // without sector 6 of track 16 (MUS03 breaks off after sector 5), lying
  // under the output name DRIVER. A folder and a write-protected file hold
  // two more output names, and a user's file a name like a temporary one.
  const ScratchDir work;
  DiskBuilder disk;
  const Bytes image =
      disk.AddSide(16, 1, 5).AddSide(16, 7, 16).AddSide(17, 1, 16).AddSide(18, 1, 10).Build();
  WriteFile(work / "DRIVER", image);
  fs::create_directory(work / "MUS02");
  WriteFile(work / "MUS04", Bytes(10, 4));
  fs::permissions(work / "MUS04",
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  WriteFile(work / "MUS05.d88cut-tmp", Bytes(10, 5));

  const std::vector<std::string> cut(kCuttingOrder.begin() + 4, kCuttingOrder.end());
  EXPECT_EQ(RunTool({.folder = work.path, .args = {"./DRIVER"}}),
            (ToolRun{.status = 1,
                     .out = Progress({"DRIVER"}) + Progress(cut),
                     .err = "cannot write DRIVER: it is the image\n"
                            "cannot write MUS02: a folder has this name\n"
                            "cannot write MUS04: it is write-protected\n"}));

  // What was there is kept; MUS03 is whole, zero-filled past sector 5; no
  // temporary file is left.
  EXPECT_EQ(ReadFile(work / "DRIVER"), image);
  EXPECT_TRUE(fs::is_directory(work / "MUS02"));
  EXPECT_EQ(ReadFile(work / "MUS04"), Bytes(10, 4));
  EXPECT_EQ(ReadFile(work / "MUS05.d88cut-tmp"), Bytes(10, 5));
  EXPECT_EQ(ReadFile(work / "MUS03"), Concat({Sectors(16, 4, 5), Bytes(1280, 0)}));
  EXPECT_EQ(work.List().size(), cut.size() + 2);
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
    std::vector<std::unique_ptr<StartedTool>> runs;
    for (const char* image : {"a.d88", "b.d88", "a.d88", "b.d88"}) {
      runs.push_back(std::make_unique<StartedTool>(Launch{.folder = work.path, .args = {image}}));
    }
    for (const auto& run : runs)
      EXPECT_EQ(run->Wait(), (ToolRun{.status = 0, .out = Progress(kCuttingOrder)}));
  }

  // Each file is one image's whole cut, and no temporary file is left.
  for (const std::string& name : kCuttingOrder) {
    const Bytes cut = ReadFile(work / name);
    EXPECT_TRUE(cut == ReadFile(only_a / name) || cut == ReadFile(only_b / name)) << name;
  }
  EXPECT_EQ(work.List().size(), kCuttingOrder.size() + 2);
}

}  // namespace d88test
