// d88cut on POSIX systems, where a user can hand it a pipe or a FIFO, start
// it without a program name, on a terminal, under a file-size limit, with its
// output closed, interrupt it, link its output names anywhere, or start two
// runs in one folder at once.
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fstream>
#include <future>
#include <map>
#include <regex>
#include <set>
#include <thread>

#include "list/cut_outcomes.h"
#include "tests/extract/cut_expectations.h"
#include "tests/test_support.h"
#include "tests/tool_run.h"

namespace d88test {

namespace fs = std::filesystem;

// "ファイルをオープンできません." and a line feed, in UTF-8.
const std::string kOpenErrorInUtf8 = "ファイルをオープンできません.\n";

// The music disk with 40,000 bytes that no cut takes at the start of each
// track: the runs take many reads of the image.
Bytes SpreadMusicDisk() {
  DiskBuilder disk;
  for (int track = 15; track <= 18; ++track) {
    disk.Add(track, {track / 2, track % 2, 0, 1, Bytes(40000)});
  }
  return disk.AddSide(15, 2, 16).AddSide(16, 1, 16).AddSide(17, 1, 16).AddSide(18, 1, 10).Build();
}

// The open error in words on any terminal not set to Shift_JIS, the C
// locale of a fresh machine included; as its Shift_JIS bytes on one that is.
TEST(CommandLine, OpenErrorOnATerminal) {
  D88_NEEDS_TERMINALS();
  const ScratchDir work;
  // A Shift_JIS locale, as a user of such a terminal has, made at a path of
  // the folder's (a name alone would install it on the machine).
  const std::vector<std::string> locale = {
      "-i", "ja_JP", "-f", "SHIFT_JIS", "--no-warnings=ascii", "./ja_JP.SJIS"};
  ASSERT_EQ(RunTool({work.path, locale, "/usr/bin/localedef"}).status, 0);
  for (const auto& [name, err] : {std::pair{"C", kOpenErrorInUtf8}, {"ja_JP.SJIS", kOpenError}}) {
    EXPECT_EQ(RunTool({.folder = work.path,
                       .args = {"x"},
                       .locale = name,
                       .locales = work.path,
                       .errors_to_terminal = true}),
              (ToolRun{.status = 1, .err = err}));
  }
}

// At a terminal d88cut names each file it does not cut whole, in d88ls's
// words, right after its progress line (or where that would stand), and
// says why when it cuts nothing; into a file it says what it always has.
TEST(TerminalNotes, EachFileNotCutWholeAndWhyNothingIs) {
  D88_NEEDS_TERMINALS();
  const ScratchDir work, other;
  DiskBuilder disk = MusicDisk();
  disk.tracks[15].erase(disk.tracks[15].begin());      // no 15:2: no VOICE
  disk.tracks[17].erase(disk.tracks[17].begin() + 4);  // no 17:5: no MUS11
  disk.tracks[18][5].data.resize(152);                 // 18:6 short: DRIVER breaks off
  disk.tracks[17][0].status = 0xB0;                    // 17:1 (MUS05, MUS08): a data CRC error
  disk.tracks[16][0].deleted_mark = 0x10;              // 16:1 (MUS02): deleted, which is no error
  WriteFile(work / "music.d88", disk.Build());
  std::string text;
  while (text.size() < 2000) text += "Notes on my disks: the music disk, the game.\n";
  WriteFile(other / "notes.d88", Bytes(text.begin(), text.end()));
  for (const ScratchDir* folder : {&work, &other}) {
    WriteFile(*folder / "VOICE", Bytes(3));  // an earlier cut's
    WriteFile(*folder / "MUS00", Bytes(3));
  }
  auto launch = [](const fs::path& in, const std::string& image, bool terminal,
                   const std::string& lang = "") {
    const Output out = terminal ? Output::kWithErrors : Output::kCaptured;
    return Launch{
        .folder = in, .args = {image}, .lang = lang, .output = out, .errors_to_terminal = terminal};
  };

  // At a terminal in the user's language; into a file in the words it
  // always had, whatever the language, a write it refused included.
  fs::create_directories(work / "refusing" / "DRIVER");
  ExpectSaidInBoth("notes", [&](const std::string& lang) {
    return Transcript(launch(work.path, "music.d88", true, lang)) +
           Transcript(launch(other.path, "notes.d88", true, lang)) +
           Transcript(launch(other.path, "nothing.d88", true, lang)) +
           Transcript(launch(work.path, "music.d88", false, lang)) +
           Transcript(launch(work / "refusing", "../music.d88", false, lang)) +
           // The help in the language of where it goes: a terminal, or a file
           // while standard error is a terminal; and d88ls's words on a
           // sector that carries a deleted mark and was read well.
           Transcript(launch(work.path, "--help", true, lang)) +
           Transcript({.folder = work.path,
                       .args = {"--help"},
                       .lang = lang,
                       .errors_to_terminal = true}) +
           Transcript({work.path, {"music.d88"}, "d88ls", lang});
  });
  fs::remove(other / "MUS00");
  // The command runs as shown, pasted into sh in the same folder, whatever
  // the image's name; a cut-short image is called so.
  const Bytes music = MusicDisk().Build();
  for (const char* name : {"-notes x.d88", "it's 音楽 $HOME.d88"}) {
    WriteFile(other / name, Bytes(music.begin(), music.begin() + 700));
    const ToolRun told = RunTool(launch(other.path, name, true));
    const std::string why =
        "d88cut: nothing cut: the image is cut short: 700 of 16192 bytes; none of the 14 files is "
        "in it; the VOICE already in this folder is not from this image\n";
    ASSERT_TRUE(told.err.starts_with(why + "d88cut: to see why: " + ToolPath("d88ls") + " -- "))
        << told.err;
    std::string command = told.err.substr(why.size() + std::strlen("d88cut: to see why: "));
    command.pop_back();  // the line's end
    EXPECT_EQ(RunTool({other.path, {"-c", command}, "/bin/sh"}),
              RunTool({other.path, {"--", name}, "d88ls"}))
        << command;
  }
}

// Where a failed read of the image stops the cut, the files before it that
// the disk does not give are told first.
TEST(TerminalNotes, AStopTellsTheFilesNotCutBeforeIt) {
  D88_NEEDS_TERMINALS();
  D88_NEEDS_STRACE("makes the read fail");
  const ScratchDir work;
  DiskBuilder disk = MusicDisk();
  disk.tracks.erase(17);  // no DRIVER
  // VOICE's sector lies past the first read of the image, which fails.
  disk.tracks[15].insert(disk.tracks[15].begin(), {7, 1, 0, 1, Bytes(40000)});
  WriteFile(work / "image.d88", disk.Build());
  EXPECT_EQ(RunTool({.folder = work.path,
                     .args = {"image.d88"},
                     .output = Output::kWithErrors,
                     .errors_to_terminal = true,
                     .inject = Injection{"read", "error=EIO", 2, work / "image.d88"}}),
            (ToolRun{.status = 1,
                     .err = "d88cut: DRIVER: absent: track 17 (C8 H1) sector 14 is missing\n"
                            "d88cut: cannot read the image: Input/output error\n"}));
}

// What goes wrong before or around a cut, as only a POSIX system lets a user
// make it go wrong: a FIFO, no program name, failed calls, a standard output
// closed or full.
TEST(CommandLine, RefusalsOnAPosixSystem) {
  const ScratchDir work;
  ASSERT_EQ(mkfifo((work / "fifo").c_str(), 0644), 0);  // nobody writes to it
  WriteFile(work / "music.d88", MusicDisk().Build());
  WriteFile(work / "none.d88", Bytes(100));                                 // no disk in it
  WriteFile(work / "mus00.d88", DiskBuilder().AddSide(15, 5, 11).Build());  // MUS00 alone
  fs::create_directory(work / "MUS00");
  const std::string refused = "d88cut: cannot write MUS00: a folder has this name\n";
  const std::string listing = RunTool({work.path, {"music.d88"}, "d88ls"}).out;
  struct Case {
    Launch launch;
    std::string err;
    std::string out = {};
    int status = launch.tool == "d88ls" ? 2 : 1;
  };
  const Case cases[] = {
      {{.args = {"fifo"}}, kOpenError},
      // No argument at all, not even the program's name.
      {{.no_program_name = true}, "Usage: d88cut [d88file]\n"},
      {{.tool = "d88ls", .no_program_name = true},
       "Usage: d88ls [--] IMAGE...\nTry 'd88ls --help' for more information.\n"},
      {{.args = {"music.d88"},
        .tool = "d88ls",
        .inject = Injection{"newfstatat", "error=EIO", 1, work / "music.d88"}},
       "d88ls: cannot open 'music.d88': Input/output error\n"},
      // Where the listing's read (the second) fails, it stops there and the
      // verdicts and the next image follow.
      {{.args = {"music.d88", "music.d88"},
        .tool = "d88ls",
        .inject = Injection{"read", "error=ENXIO", 2, work / "music.d88"}},
       "d88ls: cannot read 'music.d88': No such device or address\n",
       "music.d88:\n" + listing.substr(listing.find("what d88cut")) + "\nmusic.d88:\n" + listing},
      // Control bytes in a name never reach the output raw, nor split a line.
      {{.args = {"--check", "\x1B[31mred\a.d88", "new\nline.d88"}, .tool = "d88ls"},
       "",
       "\\x1B[31mred\\x07.d88: cannot open: No such file or directory\n"
       "new\\x0Aline.d88: cannot open: No such file or directory\n"},
      {{.args = {"\x1B]0;x\a.d88"}, .tool = "d88ls"},
       "d88ls: cannot open '\\x1B]0;x\\x07.d88': No such file or directory\n"},
      // Progress that cannot be written is lost; the cut goes on, and says
      // what it refused.
      {{.args = {"mus00.d88"}, .output = Output::kClosedPipe}, refused},
      {{.args = {"mus00.d88"}, .output = Output::kFullDevice}, refused},
      // A listing that cannot be written whole.
      {{.args = {"music.d88"}, .tool = "d88ls", .output = Output::kFullDevice},
       "d88ls: cannot write the listing: No space left on device\n"},
      {{.args = {"--check", "music.d88"}, .tool = "d88ls", .output = Output::kFullDevice},
       "d88ls: cannot write the verdicts: No space left on device\n"},
      {{.args = {"--compare", ".", "music.d88"}, .tool = "d88ls", .output = Output::kFullDevice},
       "d88ls: cannot write the comparison: No space left on device\n"},
      {{.args = {"--help"}, .tool = "d88ls", .output = Output::kFullDevice},
       "d88ls: cannot write the help: No space left on device\n"},
      {{.args = {"--help"}, .output = Output::kFullDevice},
       "d88cut: cannot write the help: No space left on device\n"},
      // Nothing cut, so the folder is not put on the disk, and cannot fail.
      {{.args = {"none.d88"}, .inject = Injection{"fsync", "error=EIO"}}, "", "", 0},
  };
  for (Case c : cases) {
    if (c.launch.inject && !StraceAvailable()) continue;
    c.launch.folder = work.path;
    ToolRun run = RunTool(c.launch);
    EXPECT_EQ(run, (ToolRun{.status = c.status, .out = c.out, .err = c.err}));
  }
  EXPECT_EQ(work.List(),
            (std::vector<std::string>{"MUS00", "fifo", "mus00.d88", "music.d88", "none.d88"}));
  D88_NEEDS_STRACE("makes the calls fail in the cases above that were left out");
}

// A read of the image that fails is never taken for a track, a sector or a
// file that is not there: made to fail at each read of the image in turn
// (the cuts', the listing's and the search past a walk's end), every mode
// of d88ls says so, status 2, or gives exactly what it gives unhindered.
TEST(Collection, AFailedReadIsNeverAbsence) {
  D88_NEEDS_STRACE("makes the reads fail");
  const ScratchDir work;
  // Each track ends with 40,000 bytes no cut takes, so that each starts
  // where no earlier read reached; track 15's walk ends at its first record.
  DiskBuilder disk;
  disk.Add(15, {7, 1, 2, 1, SectorData(15, 2), 1});
  disk.AddSide(15, 3, 4).AddSide(15, 6, 16).AddSide(16, 1, 16);
  disk.AddSide(17, 1, 16).AddSide(18, 1, 10);
  for (int track = 15; track <= 18; ++track)
    disk.Add(track, {track / 2, track % 2, 0, 1, Bytes(40000)});
  WriteFile(work / "image.d88", disk.Build());  // no 15:5, searched for past track 15's walk
  fs::create_directory(work / "empty");
  const std::string cannot_read = "d88ls: cannot read 'image.d88': Input/output error\n";
  const struct {
    std::vector<std::string> args;
    ToolRun failed;
  } modes[] = {
      {{"image.d88"}, {.status = 2, .err = cannot_read}},
      {{"--check", "image.d88"},
       {.status = 2, .out = "image.d88: cannot read: Input/output error\n"}},
      {{"--compare", "empty", "image.d88"}, {.status = 2, .err = cannot_read}},
  };
  for (const auto& [args, failed] : modes) {
    const ToolRun clean = RunTool({work.path, args, "d88ls"});
    int when = 1;
    for (;; ++when) {
      ToolRun run = RunTool({.folder = work.path,
                             .args = args,
                             .tool = "d88ls",
                             .inject = Injection{"read", "error=EIO", when, "image.d88"}});
      if (run == clean) break;
      // A listing ends at the failed read: nothing it lists is left out
      // before it.
      const std::size_t listed = std::min(run.out.find("what d88cut"), run.out.size());
      if (args.size() == 1) {
        EXPECT_TRUE(clean.out.starts_with(run.out.substr(0, listed))) << when;
      }
      if (failed.out.empty()) run.out.clear();
      ASSERT_EQ(run, failed) << args[0] << " " << when;
    }
    EXPECT_GT(when, 5) << args[0];
  }
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

// Whatever holds the names of its temporary files, the tool creates new ones.
// Past a file-size limit a write fails as on a full disk: the old file stays.
TEST(OutputFiles, TakenNamesArePassedOverAndAFailedWriteKeepsTheOldFile) {
  const ScratchDir work, elsewhere;
  const Bytes image = MusicDisk().Build();
  WriteFile(work / "image.d88", image);
  WriteFile(work / "MUS11", Bytes(10, 11));
  WriteFile(elsewhere / "precious", Bytes(7, 7));

  // Files may grow to 4096 bytes: MUS11 (4864 bytes) fails.
  EXPECT_EQ(
      RunTool({.folder = work.path,
               .args = {"image.d88"},
               .file_size_limit = 4096,
               .before_start =
                   [&](int process_id) {
                     TakeTemporaryNames(work, process_id, elsewhere / "precious");
                   }}),
      (ToolRun{
          .status = 1, .out = Progress(), .err = "d88cut: cannot write MUS11: File too large\n"}));

  // The taken names and the old MUS11 are as they were; DRIVER was cut.
  EXPECT_EQ(ReadFile(work / "MUS11"), Bytes(10, 11));
  EXPECT_EQ(ReadFile(elsewhere / "precious"), Bytes(7, 7));
  const std::vector<std::string> names = work.List();  // DRIVER, then the taken names
  ASSERT_EQ(names.size(), kCuttingOrder.size() + 4);
  EXPECT_EQ(ReadFile(work / names[1]), image);
  EXPECT_TRUE(fs::is_symlink(work / names[2]));
  EXPECT_TRUE(fs::is_fifo(work / names[3]));
  EXPECT_EQ(ReadFile(work / "DRIVER"), Concat({Sectors(17, 14, 16), Sectors(18, 1, 10)}));
}

// Two runs in one folder at once, each held at its first rename until the
// other has begun: both succeed, and each file holds one image's whole cut.
TEST(OutputFiles, TwoRunsInOneFolderAtOnce) {
  D88_NEEDS_STRACE("holds the renames");
  const ScratchDir both;
  WriteFile(both / "a.d88", MusicDisk().Build());
  WriteFile(both / "b.d88",
            MusicDisk([](int, int r) { return Bytes(256, std::uint8_t(r)); }).Build());
  auto start = [&](const char* name) {
    return std::async(std::launch::async, [&, name] {
      return RunTool({.folder = both.path,
                      .args = {name},
                      .inject = Injection{"rename", "delay_enter=300000"}});
    });
  };
  auto first = start("a.d88"), second = start("b.d88");
  EXPECT_EQ(first.get(), (ToolRun{.status = 0, .out = Progress()}));
  EXPECT_EQ(second.get(), (ToolRun{.status = 0, .out = Progress()}));
  EXPECT_EQ(both.List().size(), kCuttingOrder.size() + 2);  // no temporary file
  const std::string of_a = RunTool({both.path, {"--compare", ".", "a.d88"}, "d88ls"}).out;
  const std::string of_b = RunTool({both.path, {"--compare", ".", "b.d88"}, "d88ls"}).out;
  for (const std::string& name : kCuttingOrder) {
    const std::string same = name + std::string(8 - name.size(), ' ') + "same\n";
    EXPECT_NE(of_a.find(same) == std::string::npos, of_b.find(same) == std::string::npos) << name;
  }
}

// A temporary file that cannot be removed after a failed write is named.
TEST(OutputFiles, ATemporaryFileThatCannotBeRemovedIsNamed) {
  D88_NEEDS_STRACE("makes the removal fail");
  const ScratchDir again;
  WriteFile(again / "image.d88", MusicDisk().Build());
  const ToolRun stuck = RunTool({.folder = again.path,
                                 .args = {"image.d88"},
                                 .file_size_limit = 4096,
                                 .inject = Injection{"unlink", "error=EACCES"}});
  std::string stray;  // the one name that the run left behind
  for (const std::string& name : again.List()) {
    if (name.starts_with("MUS11.d88cut-")) stray = name;
  }
  EXPECT_EQ(stuck,
            (ToolRun{.status = 1,
                     .out = Progress(),
                     .err = "d88cut: cannot write MUS11: File too large\nd88cut: cannot remove " +
                            stray + ": Permission denied\n"}));
}

// What a run did to make its files durable, read off its file-system calls:
// "N renamed durably" when each file's data was put on the disk (fsync)
// before its rename and the folder after the last rename; otherwise what
// broke that order.
std::string Durability(const fs::path& record) {
  std::ifstream calls(record);
  std::map<std::string, std::string> open;  // descriptor: path
  std::set<std::string> synced;             // files whose data is on the disk
  int renamed = 0;
  bool names_behind = false;  // a rename since the folder was last synced
  std::string faults;
  std::smatch call;
  for (std::string line; std::getline(calls, line);) {
    if (std::regex_search(line, call,
                          std::regex(R"re(openat\(AT_FDCWD, "([^"]*)".* = (\d+)$)re"))) {
      open[call[2]] = call[1];
    } else if (std::regex_search(line, call, std::regex(R"(fsync\((\d+)\) += 0)"))) {
      if (open[call[1]] == ".") names_behind = false;
      synced.insert(open[call[1]]);
    } else if (std::regex_search(line, call, std::regex(R"re(rename\("([^"]*)", .*\) += 0)re"))) {
      if (!synced.contains(call[1]))
        faults += call[1].str() + " renamed before its data was synced; ";
      if (!std::regex_match(call[1].str(), std::regex(R"(\w+\.d88cut-\d+-\d+)")))
        faults += call[1].str() + " is no temporary name; ";
      ++renamed;
      names_behind = true;
    }
  }
  if (names_behind) faults += "the folder not synced after the last rename";
  return faults.empty() ? std::to_string(renamed) + " renamed durably" : faults;
}

// However a run ends (at its end; stopped by a failed read of, or seek in,
// the image (a bad floppy, a USB stick pulled out) at its first file or at
// a later one, which the run's own lines and calls then tell; by an
// interrupt while a file is written, as it is renamed, between two files,
// by Ctrl-\ or as the folder is put on the disk), each file it
// renamed and then the folder's new names are on the disk, the earlier files
// under the names it did not cut are kept, no temporary file is left, and
// the progress lines of the files it began have gone into the pipe. An
// interrupt ends the run as it would have; started as nohup starts it, a run
// goes on through a hangup. A folder that cannot be put on the disk is said.
TEST(Durability, EveryWayOutLeavesWhatWasCutOnTheDisk) {
  D88_NEEDS_STRACE("makes the faults and records the calls");
  const std::string unreadable = "d88cut: cannot read the image: Input/output error\n";
  // A seek that fails at a later file: how many were cut before it is for
  // the run's lines to say (the C library may seek more or less often).
  constexpr std::size_t kLater = SIZE_MAX;
  // Each file's data is put on the disk, then the folder: its fsync is the
  // last.
  const int folder_sync = static_cast<int>(kCuttingOrder.size()) + 1;
  const struct {
    std::optional<Injection> fault;
    int signal;
    std::size_t renamed;    // files cut before the run ends
    std::size_t announced;  // progress lines
    std::string err = {};
    bool nohup = false;
  } cases[] = {
      {{}, 0, 14, 14},
      {Injection{"read", "error=EIO", 1, "image.d88"}, 0, 0, 0, unreadable},
      {Injection{"lseek", "error=EIO", 1}, 0, 0, 0, unreadable},
      {Injection{"lseek", "error=EIO", 70}, 0, kLater, kLater, unreadable},
      {Injection{"fsync", "error=EIO", folder_sync}, 0, 14, 14,
       "d88cut: cannot put the new names on the disk: Input/output error\n"},
      {Injection{"fsync", "signal=SIGINT", 2}, SIGINT, 1, 2},
      {Injection{"fsync", "signal=SIGTERM", 2}, SIGTERM, 1, 2},
      {Injection{"fsync", "signal=SIGHUP", 2}, SIGHUP, 1, 2},
      {Injection{"rename", "signal=SIGTERM", 2}, SIGTERM, 2, 2},
      {Injection{"rename", "signal=SIGINT", 14}, SIGINT, 14, 14},
      {Injection{"write", "signal=SIGINT", 3}, SIGINT, 1, 2},  // 1, 3: progress lines
      {Injection{"fsync", "signal=SIGQUIT", 3}, SIGQUIT, 2, 3},
      {Injection{"fsync", "signal=SIGTERM", folder_sync}, SIGTERM, 14, 14},
      {Injection{"fsync", "signal=SIGHUP", 2}, 0, 14, 14, "", true},
  };
  for (auto [fault, signal, renamed, announced, err, nohup] : cases) {
    const ScratchDir work;
    WriteFile(work / "image.d88", SpreadMusicDisk());
    for (const std::string& name : kCuttingOrder) WriteFile(work / name, Bytes(3, 0xEE));
    const fs::path record = NextCapture();
    const ToolRun run = RunTool({.folder = work.path,
                                 .args = {"image.d88"},
                                 .output = Output::kPipe,
                                 .hangups_ignored = nohup,
                                 .inject = fault,
                                 .record = record});
    const std::string at = fault ? fault->call + " " + fault->effect : "";
    if (renamed == kLater) {
      renamed = announced =
          static_cast<std::size_t>(std::count(run.out.begin(), run.out.end(), '\n'));
      EXPECT_TRUE(renamed > 0 && renamed < kCuttingOrder.size()) << at << ": " << renamed;
    }
    EXPECT_EQ(run, (ToolRun{.status = signal != 0   ? -1
                                      : err.empty() ? 0
                                                    : 1,
                            .signal = signal,
                            .out = Progress(0, announced),
                            .err = err}))
        << at;
    EXPECT_EQ(Durability(record), err.starts_with("d88cut: cannot put")
                                      ? "the folder not synced after the last rename"
                                      : std::to_string(renamed) + " renamed durably")
        << at;
    for (std::size_t i = 0; i < kCuttingOrder.size(); ++i) {
      EXPECT_EQ(ReadFile(work / kCuttingOrder[i]).size() == 3, i >= renamed) << at << " " << i;
    }
    EXPECT_EQ(work.List().size(), kCuttingOrder.size() + 1) << at;  // no temporary file
  }
}

// A file that grows while --compare reads it is not the same as the cut:
// the read is held half a second, and the file grows meanwhile. One whose
// read fails is said to be unreadable.
TEST(Durability, ACompareReadsToTheEndOfWhatItReads) {
  D88_NEEDS_STRACE("holds the read");
  const ScratchDir work;
  WriteFile(work / "image.d88", MusicDisk().Build());
  ASSERT_EQ(RunTool({.folder = work.path, .args = {"image.d88"}}).status, 0);
  std::future<void> growing;
  const ToolRun run =
      RunTool({.folder = work.path,
               .args = {"--compare", work.path.string(), "image.d88"},
               .tool = "d88ls",
               .inject = Injection{"read", "delay_enter=500000", 1, work / "DRIVER"},
               .before_start = [&](int) {
                 growing = std::async(std::launch::async, [&] {
                   std::this_thread::sleep_for(std::chrono::milliseconds(150));
                   std::ofstream(work / "DRIVER", std::ios::app) << "EXTRA\n";
                 });
               }});
  growing.get();
  EXPECT_TRUE(run.out.starts_with("DRIVER  differs from byte 3329 (it has more than 3328 bytes)\n"))
      << run.out;
  EXPECT_EQ(run.status, 1);
  // A look at, an open or a read of the folder's file that fails is no
  // difference: it is trouble.
  for (const char* call : {"newfstatat", "openat", "read"}) {
    const ToolRun failed = RunTool({.folder = work.path,
                                    .args = {"--compare", work.path.string(), "image.d88"},
                                    .tool = "d88ls",
                                    .inject = Injection{call, "error=EIO", 1, work / "VOICE"}});
    EXPECT_TRUE(
        failed.out.starts_with("DRIVER  differs from byte 3329 (it has more than 3328 "
                               "bytes)\nVOICE   cannot be read: Input/output error\n"))
        << call;
    EXPECT_EQ(failed.status, 2);
  }
}

// --compare trusts only regular files: a link is never the same as a cut,
// whatever it leads to, and one that leads to a device or a FIFO is not
// opened. An image d88cut cuts nothing from is called what it is first.
TEST(Collection, ACompareTrustsOnlyRegularFiles) {
  const ScratchDir work, elsewhere;
  WriteFile(work / "image.d88", MusicDisk().Build());
  ASSERT_EQ(RunTool({.folder = elsewhere.path, .args = {(work / "image.d88").string()}}).status, 0);
  fs::create_directory(work / "cut");
  for (const std::string& name : kCuttingOrder) {
    fs::create_symlink(elsewhere / name, work / "cut" / name);
  }
  WriteFile(elsewhere / "MUS00", Bytes(3));
  fs::remove(elsewhere / "MUS01");
  fs::create_symlink(elsewhere / "MUS03", work / "cut" / "MUS03.d88cut-1-0");
  WriteFile(work / "zeros.d88", Bytes(4096));  // d88cut cuts nothing from it
  const fs::path record = StraceAvailable() ? NextCapture() : fs::path();
  // Each link said so; one to a device never opened; then against an image
  // that gives nothing, why first.
  ExpectSaidInBoth("links", [&](const std::string& lang) {
    fs::remove(work / "cut" / "MUS02");
    fs::create_symlink("/dev/null", work / "cut" / "MUS02");
    std::string said = Transcript({.folder = work.path,
                                   .args = {"--compare", "cut", "image.d88"},
                                   .tool = "d88ls",
                                   .lang = lang,
                                   .record = record});
    if (!record.empty()) {
      EXPECT_EQ(ReadText(record).find("/dev/null"), std::string::npos);
    }
    fs::remove(work / "cut" / "MUS02");
    return said + Transcript({work.path, {"--compare", "cut", "zeros.d88"}, "d88ls", lang});
  });
  fs::create_directory(work / "empty");  // as d88cut leaves it
  EXPECT_EQ(RunTool({work.path, {"--compare", "empty", "zeros.d88"}, "d88ls"}).status, 0);
}

fs::perms PermissionsOf(const fs::path& path) {
  return fs::symlink_status(path).permissions();
}

gid_t GroupOf(const fs::path& path) {
  struct stat status {};
  stat(path.c_str(), &status);
  return status.st_gid;
}

// A file's access ACL as the system stores it; empty when it has none.
constexpr char kAccessAcl[] = "system.posix_acl_access";
Bytes AclOf(const fs::path& path) {
  Bytes acl(256);
  acl.resize(static_cast<std::size_t>(
      std::max(getxattr(path.c_str(), kAccessAcl, acl.data(), acl.size()), ssize_t{0})));
  return acl;
}

// An output name whose file, after links, is a folder or write-protected,
// or whose status the system cannot tell, is kept; any other is replaced by a
// new file (a link itself, never what it points to) that keeps who may read
// the file it replaces, if that was a file of data at that name itself: its
// permission bits and its access ACL. A link lends nothing.
TEST(OutputFiles, OneRuleForEveryOutputName) {
  const ScratchDir work, elsewhere;
  WriteFile(work / "image.d88", MusicDisk().Build());
  fs::create_directory(elsewhere / "folder");
  WriteFile(elsewhere / "read-only", Bytes(3, 1));
  fs::permissions(elsewhere / "read-only", fs::perms::owner_read);
  WriteFile(elsewhere / "writable", Bytes(3, 2));
  fs::permissions(elsewhere / "writable", fs::perms(0640));
  fs::create_symlink(elsewhere / "folder", work / "MUS00");
  fs::create_symlink(elsewhere / "read-only", work / "MUS01");
  fs::create_symlink(elsewhere / "writable", work / "MUS02");
  fs::create_symlink(elsewhere / "nothing", work / "MUS03");
  WriteFile(work / "MUS04", Bytes(3, 4));
  fs::permissions(work / "MUS04", fs::perms(0757));   // bits a umask takes away
  fs::create_symlink("MUS05", work / "MUS05");        // a loop
  fs::create_symlink("image.d88/x", work / "MUS06");  // not in a folder
  WriteFile(work / "MUS07", Bytes(3, 7));
  fs::permissions(work / "MUS07", fs::perms(0644));
  // An access ACL that keeps the user nobody out, where the system has ACLs.
  const bool acls =
      fs::exists("/usr/bin/setfacl") &&
      RunTool({work.path, {"-m", "u:nobody:---", "MUS07"}, "/usr/bin/setfacl"}).status == 0;
  const Bytes acl = AclOf(work / "MUS07");
  fs::create_symlink("/dev/null", work / "MUS09");  // lends the new file nothing

  // Standard output and error into one file, as 2>&1 does: each refusal
  // follows its progress line.
  EXPECT_EQ(
      RunTool({.folder = work.path, .args = {"image.d88"}, .output = Output::kWithErrors}),
      (ToolRun{.status = 1,
               .err = Progress(0, 3) + "d88cut: cannot write MUS00: a folder has this name\n" +
                      Progress(3, 4) + "d88cut: cannot write MUS01: it is write-protected\n" +
                      Progress(4, 8) + "d88cut: cannot write MUS05: Too many levels of symbolic " +
                      "links\n" + Progress(8, 9) + "d88cut: cannot write MUS06: Not a directory\n" +
                      Progress(9)}));
  for (const char* kept : {"MUS00", "MUS01", "MUS05", "MUS06"}) {
    EXPECT_TRUE(fs::is_symlink(work / kept)) << kept;
  }
  EXPECT_EQ(ReadFile(elsewhere / "read-only"), Bytes(3, 1));
  EXPECT_EQ(ReadFile(elsewhere / "writable"), Bytes(3, 2));
  for (const auto& [replaced, size] :
       {std::pair{"MUS02", 768u}, {"MUS03", 1792u}, {"MUS04", 512u}}) {
    EXPECT_FALSE(fs::is_symlink(work / replaced)) << replaced;
    EXPECT_EQ(ReadFile(work / replaced).size(), size) << replaced;
  }
  EXPECT_EQ(PermissionsOf(work / "MUS04"), fs::perms(0757));
  const mode_t mask = umask(0);
  umask(mask);
  for (const char* fresh : {"MUS02", "MUS03", "MUS09"}) {  // as a new file
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(work / fresh))) << fresh;
    EXPECT_EQ(PermissionsOf(work / fresh), fs::perms(0666 & ~mask)) << fresh;
  }
  EXPECT_EQ(PermissionsOf(work / "MUS07"), fs::perms(0644));
  if (!acls) GTEST_SKIP() << "no ACL could be set here (apt-get install acl)";
  EXPECT_EQ(AclOf(work / "MUS07"), acl);
}

// A replaced file's group goes to the new file where the user may give it;
// where not, the group's bits go with it.
TEST(OutputFiles, AReplacedFileKeepsItsGroupOrNoGroupBits) {
  if (geteuid() != 0) GTEST_SKIP() << "only root may give a file a group of its choice";
  D88_NEEDS_STRACE("makes fchown fail");
  const ScratchDir work;
  WriteFile(work / "image.d88", MusicDisk().Build());
  WriteFile(work / "MUS08", Bytes(3, 8));
  fs::permissions(work / "MUS08", fs::perms(0640));
  ASSERT_EQ(chown((work / "MUS08").c_str(), static_cast<uid_t>(-1), 4242), 0);
  EXPECT_EQ(RunTool({.folder = work.path, .args = {"image.d88"}}).status, 0);
  EXPECT_EQ(GroupOf(work / "MUS08"), 4242u);
  EXPECT_EQ(PermissionsOf(work / "MUS08"), fs::perms(0640));
  RunTool(
      {.folder = work.path, .args = {"image.d88"}, .inject = Injection{"fchown", "error=EPERM"}});
  EXPECT_EQ(GroupOf(work / "MUS08"), getegid());
  EXPECT_EQ(PermissionsOf(work / "MUS08"), fs::perms(0600));
}

// The first name in `folder` that starts with `prefix`, once there is one.
fs::path AwaitName(const ScratchDir& folder, const std::string& prefix) {
  for (int tries = 0; tries < kTimeLimitSeconds * 100; ++tries) {
    for (const std::string& name : folder.List()) {
      if (name.starts_with(prefix)) return folder / name;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return {};
}

// Held at its first write, the new DRIVER is no more readable than the one
// it replaces.
TEST(OutputFiles, ANewFileIsNeverMoreReadableThanTheOneItReplaces) {
  D88_NEEDS_STRACE("holds the write");
  const ScratchDir work;
  WriteFile(work / "image.d88", MusicDisk().Build());
  WriteFile(work / "DRIVER", Bytes(3, 1));
  fs::permissions(work / "DRIVER", fs::perms(0600));
  std::future<fs::perms> seen;  // while the run is held
  EXPECT_EQ(RunTool({.folder = work.path,
                     .args = {"image.d88"},
                     .inject = Injection{"write", "delay_enter=1000000", 2},  // 1: progress
                     .before_start =
                         [&](int) {
                           seen = std::async(std::launch::async, [&] {
                             return PermissionsOf(AwaitName(work, "DRIVER.d88cut-"));
                           });
                         }})
                .status,
            0);
  EXPECT_EQ(seen.get(), fs::perms(0600));
  EXPECT_EQ(PermissionsOf(work / "DRIVER"), fs::perms(0600));
}

}  // namespace d88test
