// d88cut as a user runs it, in a fresh folder: usage, open errors, exit
// statuses, the fourteen cuts, and what it does to files that were there
// before and to the image (only files it created in this run are ever
// written, moved or removed).
#include <array>
#include <cstdio>

#include "tests/test_support.h"

namespace d88test {

namespace fs = std::filesystem;

TEST(CommandLine, WrongArgumentsOrImagesThatCannotBeOpened) {
  const ScratchDir work;
  WriteFile(work / "a.d88", MusicDisk().Build());
  std::filesystem::create_directory(work / "folder.d88");
  struct Case {
    std::vector<std::string> args;
    std::string err;
    std::string tool = "d88cut";
    std::string shell_prefix = "";
  };
  std::vector<Case> cases = {{{}, "Usage: " + ToolPath() + " [d88file]\n"},
                             {{"a.d88", "b.d88"}, "Usage: " + ToolPath() + " [d88file]\n"},
                             {{}, "Usage: " + ToolPath("d88ls") + " [d88file]\n", "d88ls"},
                             {{"missing.d88"}, kOpenError},
                             {{"missing.d88"}, kOpenError, "d88ls"},
                             {{"folder.d88"}, kOpenError}};
#ifndef _WIN32
  // A pipe and a device; no argument at all, which Linux passes as one empty
  // argument 0.
  cases.push_back({{"/dev/stdin"}, kOpenError, "d88cut", "cat a.d88 | "});
  cases.push_back({{"/dev/zero"}, kOpenError});
  cases.push_back({{}, "Usage: d88cut [d88file]\n", "d88cut", "bash -c 'exec -a \"\" \"$0\"' "});
#endif
  for (const auto& [args, err, tool, shell_prefix] : cases) {
    const ToolRun run = RunTool(work.path, args, tool, shell_prefix);
    EXPECT_EQ(std::tuple(run.status, run.out, run.err), std::tuple(1, "", err));
    EXPECT_EQ(work.List(), (std::vector<std::string>{"a.d88", "folder.d88"}));
  }
  WriteFile(work / "empty.d88", {});
  const ToolRun empty = RunTool(work.path, {"empty.d88"});
  EXPECT_EQ(std::tuple(empty.status, empty.out + empty.err), std::tuple(0, ""));
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
const std::vector<std::string> kOrder = {"DRIVER", "VOICE", "MUS00", "MUS01", "MUS02",
                                         "MUS03",  "MUS04", "MUS05", "MUS06", "MUS07",
                                         "MUS08",  "MUS09", "MUS10", "MUS11"};

std::string Progress(const std::vector<std::string>& names) {
  std::string lines;
  for (const std::string& name : names) lines += "cutting ... " + name + "\n";
  return lines;
}

// The sample, under a name outside any ANSI code page.
TEST(Extraction, CutsTheFourteenFilesOfTheSampleInOrder) {
  const ScratchDir work;
  const std::string name = "音楽ディスク ♪.d88";
  fs::copy_file(D88_SAMPLE, work.path / fs::path(std::u8string(name.begin(), name.end())));
  WriteFile(work / "MUS00", Bytes(5000, 0xEE));  // replaced whole
  const ToolRun run = RunTool(work.path, {name});
  EXPECT_EQ(std::tuple(run.status, run.out, run.err), std::tuple(0, Progress(kOrder), ""));
  for (const auto& [name, runs] : kCuts) {
    std::string expected;
    for (const auto& [track, first, last] : runs) {
      for (int r = first; r <= last; ++r) expected += Labelled(track, r);
    }
    const Bytes cut = ReadFile(work / name);
    EXPECT_EQ(std::string(cut.begin(), cut.end()), expected) << name;
  }
  EXPECT_EQ(work.List().size(), kOrder.size() + 1);
}

// No track 15 (VOICE, MUS00 and MUS01 are skipped without a word), and no
// sector 6 on track 16 (MUS03 is written whole, zero-filled past sector 5).
// The image lies under an output's name; a folder and a write-protected file
// hold others: these are kept and reported.
TEST(Extraction, SkipsWhatIsNotOnTheDiskAndNeverLosesAFile) {
  const ScratchDir work;
  DiskBuilder disk;
  const Bytes image =
      disk.AddSide(16, 1, 5).AddSide(16, 7, 16).AddSide(17, 1, 16).AddSide(18, 1, 10).Build();
  WriteFile(work / "DRIVER", image);
  fs::create_directory(work / "MUS02");
  WriteFile(work / "MUS04", Bytes(10, 4));  // write-protected, whoever runs the tool
  fs::permissions(work / "MUS04",
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  WriteFile(work / "MUS05.d88cut-tmp", Bytes(10, 5));  // a user's file, never touched
  const ToolRun run = RunTool(work.path, {"./DRIVER"});
  std::vector<std::string> cut = kOrder;
  std::erase_if(
      cut, [](const auto& name) { return name == "VOICE" || name == "MUS00" || name == "MUS01"; });
  EXPECT_EQ(std::tuple(run.status, run.out, run.err),
            std::tuple(1, Progress(cut),
                       "cannot write DRIVER\ncannot write MUS02\ncannot write MUS04\n"));
  EXPECT_EQ(ReadFile(work / "DRIVER"), image);
  EXPECT_TRUE(fs::is_directory(work / "MUS02"));
  EXPECT_EQ(ReadFile(work / "MUS04"), Bytes(10, 4));
  EXPECT_EQ(ReadFile(work / "MUS05.d88cut-tmp"), Bytes(10, 5));
  EXPECT_EQ(ReadFile(work / "MUS03"), Concat({Sectors(16, 4, 5), Bytes(1280, 0)}));
  EXPECT_EQ(work.List().size(), cut.size() + 1);  // and no temporary file left
}

#ifndef _WIN32
// Whatever holds the names of its temporary files, the tool creates new ones:
// the image (a second name of it), a link to a file elsewhere and a pipe stay
// as they were (the shell's process id becomes the tool's by exec). Past a
// file-size limit a write fails as on a full disk: the old file stays.
TEST(OutputFiles, TemporaryFilesAreAlwaysNewAndGoneAfterAFailure) {
  const ScratchDir work, elsewhere;
  const Bytes image = MusicDisk().Build();
  WriteFile(work / "image.d88", image);
  WriteFile(work / "MUS11", Bytes(10, 11));
  WriteFile(elsewhere / "precious", Bytes(7, 7));
  const std::string taken = " DRIVER.d88cut-$$-";
  const ToolRun run =
      RunTool(work.path, {"image.d88"}, "d88cut",
              "ln image.d88" + taken + "0 && ln -s " + (elsewhere / "precious").string() + taken +
                  "1 && mkfifo" + taken + "2 && exec prlimit --fsize=4096 ");
  EXPECT_EQ(std::tuple(run.status, run.out, run.err),
            std::tuple(1, Progress(kOrder), "cannot write MUS11\n"));
  EXPECT_EQ(ReadFile(work / "MUS11"), Bytes(10, 11));
  EXPECT_EQ(ReadFile(elsewhere / "precious"), Bytes(7, 7));
  const std::vector<std::string> names = work.List();  // DRIVER, then the three taken names
  ASSERT_EQ(names.size(), kOrder.size() + 4);
  EXPECT_EQ(ReadFile(work / names[1]), image);
  EXPECT_TRUE(std::filesystem::is_symlink(work / names[2]));
  EXPECT_TRUE(std::filesystem::is_fifo(work / names[3]));
  EXPECT_EQ(ReadFile(work / "DRIVER"), Concat({Sectors(17, 14, 16), Sectors(18, 1, 10)}));
}

// Two runs in one folder at once both succeed, and each file is one image's
// whole cut.
TEST(OutputFiles, RunsSideBySideNeverMix) {
  const ScratchDir work, only_a, only_b;
  const Bytes a = MusicDisk().Build();
  const Bytes b = MusicDisk([](int track, int r) { return Bytes(256, track * 16 + r); }).Build();
  for (const ScratchDir* dir : {&work, &only_a}) WriteFile(*dir / "a.d88", a);
  for (const ScratchDir* dir : {&work, &only_b}) WriteFile(*dir / "b.d88", b);
  RunTool(only_a.path, {"a.d88"});
  RunTool(only_b.path, {"b.d88"});
  // Five rounds of both at once; the status is the sum of all ten.
  const char* both =
      "both() { s=0; for i in 1 2 3 4 5; do \"$1\" a.d88 & a=$!; \"$1\" b.d88; "
      "s=$((s + $?)); wait $a; s=$((s + $?)); done; return $s; }; both ";
  EXPECT_EQ(RunTool(work.path, {}, "d88cut", both).status, 0);
  for (const std::string& name : kOrder) {
    const Bytes cut = ReadFile(work / name);
    EXPECT_TRUE(cut == ReadFile(only_a / name) || cut == ReadFile(only_b / name)) << name;
  }
  EXPECT_EQ(work.List().size(), kOrder.size() + 2);
}
#endif

}  // namespace d88test
