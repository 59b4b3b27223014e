// d88cut as a user runs it, in a fresh folder: usage, open errors, exit
// statuses, the fourteen cuts, and what it does to files that were there
// before and to the image (only files it created in this run are ever
// written, moved or removed).
#include <algorithm>
#include <array>

#include "tests/extract/cut_expectations.h"
#include "tests/test_support.h"
#include "tests/tool_run.h"

namespace d88test {

namespace fs = std::filesystem;

std::string Progress(std::size_t from, std::size_t to) {
  std::string lines;
  for (std::size_t i = from; i < to; ++i) lines += "cutting ... " + kCuttingOrder[i] + "\n";
  return lines;
}

TEST(CommandLine, OptionsWrongArgumentsOrImagesThatCannotBeOpened) {
  const ScratchDir work;
  WriteFile(work / "-odd.d88", MusicDisk().Build());
  WriteFile(work / "--version", {});  // an image that holds no disk: nothing cut, no complaint
  fs::create_directory(work / "folder.d88");
  struct Case {
    std::string tool;
    std::vector<std::string> args;
    std::string err;
    std::string out = {};  // how standard output starts
    int status = !out.empty() ? 0 : tool == "d88cut" ? 1 : 2;
  };

  const std::string try_help = "Try 'd88ls --help' for more information.\n";
  const std::string help = "Usage: d88ls [--] IMAGE...\n       d88ls --check [--] IMAGE...\n";
  const std::string usage = "Usage: " + ToolPath("d88ls") + " [--] IMAGE...\n" + try_help;
  const Case cases[] = {
      {"d88cut", {}, "Usage: " + ToolPath("d88cut") + " [d88file]\n"},
      {"d88cut", {"a.d88", "b.d88"}, "Usage: " + ToolPath("d88cut") + " [d88file]\n"},
      {"d88cut", {"missing.d88"}, kOpenError},
      // An argument is an image, unless it is exactly --help or --version
      // and opens no file.
      {"d88cut", {"--help"}, "", "Usage: d88cut [d88file]\nCuts the music files"},
      {"d88cut", {"--version"}, "", "", 0},
      {"d88cut", {"-h"}, kOpenError},
      {"d88cut", {"folder.d88"}, kOpenError},
      {"d88cut", {kDevice}, kOpenError},
      {"d88ls", {kDevice}, "d88ls: cannot open '" + kDevice + "': not a regular file\n"},
      {"d88ls", {}, usage},
      {"d88ls", {"--check", "--"}, usage},
      {"d88ls", {"a.d88", "-x", "--help"}, "d88ls: unknown option '-x'\n" + try_help},
      {"d88ls",
       {"--compare", "x.d88"},
       "d88ls: --compare takes a folder and an image\n" + try_help},
      {"d88ls",
       {"--check", "--compare", "a.d88", "b.d88"},
       "d88ls: --check and --compare cannot be used together\n" + try_help},
      {"d88ls",
       {"--compare", "missing", "--", "-odd.d88"},
       "d88ls: cannot open 'missing': No such file or directory\n"},
      {"d88ls", {"-"}, "d88ls: cannot open '-': No such file or directory\n"},
      {"d88ls", {"folder.d88"}, "d88ls: cannot open 'folder.d88': Is a directory\n"},
      {"d88ls", {"--help", "--version"}, "", help},
      {"d88ls", {"a.d88", "-h", "-x"}, "", help},
      {"d88ls", {"--version", "--"}, "", "d88ls " D88CUT_VERSION "\n"},
      {"d88ls",
       {"missing.d88", "--", "-odd.d88"},
       "d88ls: cannot open 'missing.d88': No such file or directory\n",
       "-odd.d88:\ndisk 0: ",
       2},
  };
  for (const Case& c : cases) {
    const ToolRun run = RunTool({.folder = work.path, .args = c.args, .tool = c.tool});
    EXPECT_EQ(run.status, c.status) << c.args.size();
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.out.substr(0, c.out.size() + c.out.empty()), c.out);  // "": nothing
    EXPECT_EQ(work.List(), (std::vector<std::string>{"--version", "-odd.d88", "folder.d88"}));
  }
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

TEST(Extraction, CutsTheFourteenFilesInOrder) {
  // The music disk under a name outside any ANSI code page, and an older MUS00.
  const ScratchDir work;
  const std::string name = "音楽ディスク ♪.d88";
  WriteFile(work.path / fs::path(std::u8string(name.begin(), name.end())), MusicDisk().Build());
  WriteFile(work / "MUS00", Bytes(5000, 0xEE));

  EXPECT_EQ(RunTool({.folder = work.path, .args = {name}}),
            (ToolRun{.status = 0, .out = Progress()}));

  // Each file holds its sectors, byte for byte; the old MUS00 is replaced
  // whole; nothing else is left.
  for (const auto& [file, runs] : kCuts) {
    Bytes expected;
    for (const auto& [track, first, last] : runs) {
      expected = Concat({expected, Sectors(track, first, last)});
    }
    EXPECT_EQ(ReadFile(work / file), expected) << file;
  }
  EXPECT_EQ(work.List().size(), kCuttingOrder.size() + 1);
}

TEST(Extraction, SkipsWhatIsNotOnTheDiskAndNeverLosesAFile) {
  // An image without track 15 (VOICE, MUS00 and MUS01 are not on it) and
  // without sector 6 of track 16 (MUS03 breaks off after sector 5), lying
  // under the output name DRIVER. A folder and a write-protected file hold
  // two more output names.
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

  EXPECT_EQ(RunTool({.folder = work.path, .args = {"./DRIVER"}}),
            (ToolRun{.status = 1,
                     .out = Progress(0, 1) + Progress(4),
                     .err = "d88cut: cannot write DRIVER: it is the image\n"
                            "d88cut: cannot write MUS02: a folder has this name\n"
                            "d88cut: cannot write MUS04: it is write-protected\n"}));

  // What was there is kept; MUS03 is whole, zero-filled past sector 5; no
  // temporary file is left.
  EXPECT_EQ(ReadFile(work / "DRIVER"), image);
  EXPECT_TRUE(fs::is_directory(work / "MUS02"));
  EXPECT_EQ(ReadFile(work / "MUS04"), Bytes(10, 4));
  EXPECT_EQ(ReadFile(work / "MUS03"), Concat({Sectors(16, 4, 5), Bytes(1280, 0)}));
  EXPECT_EQ(work.List().size(), kCuttingOrder.size() - 3);
}

}  // namespace d88test
