// d88ls: the listing of disks and tracks, the verdict on each cut, and the
// executable as a user runs it. The expected texts are the listings as a
// user sees them.
#include <regex>

#include "d88/record_flags.h"
#include "list/cut_outcomes.h"
#include "list/cut_verdicts.h"
#include "list/disk_listing.h"
#include "list/image_check.h"
#include "platform/platform.h"
#include "tests/extract/cut_expectations.h"
#include "tests/test_support.h"
#include "tests/tool_run.h"

namespace d88test {

class ListingTest : public ReaderTest {
 protected:
  using List = std::function<bool(const list::LineSink&)>;
  List Disks() {
    return [this](const list::LineSink& out) {
      d88::D88Image reader;  // the cuts, read as d88cut reads them
      std::error_code error;
      const auto cuts = list::ReadCuts(reader, Utf8(path_), error);
      return cuts && list::ListDisks(image_, *cuts, out);
    };
  }
  // The verdicts on the cuts of the image last opened.
  List Verdicts() {
    return [this](const list::LineSink& out) {
      std::error_code error;
      const auto cuts = list::ReadCuts(image_, Utf8(path_), error);
      return cuts && list::JudgeCuts(image_, Utf8(path_), *cuts, out, error);
    };
  }
  // The lines a listing gives, when its sink takes them all.
  std::string Lines(const List& list) {
    std::string text;
    EXPECT_TRUE(list([&](const std::string& line) { return text += line, true; }));
    return text;
  }
  // How many lines a listing offers to a sink that takes only `taken`.
  int Offered(const List& list, int taken) {
    int offered = 0;
    EXPECT_FALSE(list([&](const std::string&) { return ++offered <= taken; }));
    return offered;
  }
};

TEST_F(ListingTest, ListsEveryDiskTrackAndFlag) {
  DiskBuilder first{
      .name = "FIRST\x01\x81\"\\ \x1F~\x7F", .media_type = 0x20, .write_protect = 0x10};
  first.AddSide(1, 1, 3);  // track 2 is missing; track 4 is irregular
  for (auto [r, n] : {std::pair{3, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 0}, {0, 1}, {0, 1}}) {
    first.Add(4, {2, 0, r, n, Bytes(16), {}, 0, 0, std::uint8_t(n == 0 ? 0xB0 : 0)});
  }
  // Track 6: more parts and more flagged records than a line shows; density,
  // deleted mark and status of each record (the last eight are usual).
  const std::uint8_t flags[17][3] = {{0, 0, 0x10}, {0, 0, 0xA0},    {0, 0, 0xB0},
                                     {0, 0, 0xE0}, {0, 0, 0xF0},    {0x02, 0, 0x55},
                                     {0x40, 0, 0}, {0x01, 0x20, 0}, {0, 0, 0xF0}};
  for (int i = 0; i < 17; ++i) {
    first.Add(6, {2, 0, 1 + 2 * i, 1, Bytes(16), {}, flags[i][0], flags[i][1], flags[i][2]});
  }
  DiskBuilder second{.name = "SECOND", .media_type = 0x30, .write_protect = 0x01};
  for (int i = 0; i < 65537; ++i) second.Add(7, {3, 1, 0, 1, {}, 0});  // past what is walked
  second.AddSide(8, 1, 1);
  const Bytes after_last(100);
  // Its size runs one byte past the end of the file (0x00100435 bytes).
  second.disk_size = static_cast<std::uint32_t>(second.Build().size() + after_last.size() + 1);
  ASSERT_TRUE(Open(Concat({first.Build(), second.Build(), after_last})));
  ExpectSaidInBoth("disks", [&](const std::string& lang) {
    return SaidIn(lang, [&] { return Lines(Disks()); });
  });
}

// Sizes that cannot be sizes, a header gone since the file was opened.
TEST_F(ListingTest, ListsSizesThatCannotBeAndAHeaderGone) {
  DiskBuilder claims{.media_type = 0x55, .disk_size = 0x10000};
  for (int r = 1; r <= 8; ++r) claims.Add(2, {1, 0, r, 1, {}, {}, 0, 0, 0xE0});  // 8 flagged
  const Bytes first = DiskBuilder{.media_type = 0x40}.Build();
  const std::vector<Bytes> images = {
      claims.AddSide(0, 2, 3).AddSide(1, 5, 5).Build(),
      DiskBuilder{.media_type = 0x10}.Build(),  // ends where the file ends
      Concat({first, DiskBuilder{.disk_size = 0x80000000}.Build(), first}),
      Concat({first, DiskBuilder{.disk_size = 0}.Build()})};  // 63 at one place, then the rest
  ExpectSaidInBoth("sizes", [&](const std::string& lang) {
    std::string said;
    for (const Bytes& image : images) {
      EXPECT_TRUE(Open(image));
      // Of the first, the verdicts too: no track 17, nothing to search past.
      const std::string lines = SaidIn(lang, [&] {
        return Lines(Disks()) + (&image == &images.front() ? Lines(Verdicts()) : "");
      });
      // Of the last, its last two lines.
      said += &image != &images.back()
                  ? lines
                  : lines.substr(lines.rfind('\n', lines.rfind('\n', lines.size() - 2) - 1) + 1);
    }
    return said;
  });
  EXPECT_TRUE(Open(Concat({first, DiskBuilder{.disk_size = 0xFFFFFFFF}.Build()})));
  EXPECT_TRUE(Lines(Disks()).starts_with(
      "disk 0: \"\", media type 1DD, 688 bytes\ndisk 1: \"\", media type 2D, size field "
      "0xFFFFFFFF, which cannot be a size\n"));
  // The second header, past the first read of the file, is cut off after
  // the file was opened: the listing ends after the first disk's lines, and
  // the reader says why.
  DiskBuilder large = MusicDisk();
  const Bytes gap(40000);  // the second header lies past the first read window
  large.disk_size = static_cast<std::uint32_t>(large.Build().size() + gap.size());
  EXPECT_TRUE(Open(Concat({large.Build(), gap, DiskBuilder().Build(), Bytes(10)})));
  std::filesystem::resize_file(path_, large.disk_size.value() + 100);  // in the second header
  EXPECT_EQ(Offered(Disks(), 100), 5);
  EXPECT_EQ(platform::Words(image_.ReadError()), "the file became shorter while it was read");
}

// A file whose first header is no D88 disk header is called so, by the first
// sign it shows, and d88cut cuts nothing from it; a real image cut short
// anywhere, or one whose table's last four entries hold its first track, is
// listed as one.
TEST_F(ListingTest, CallsAFileThatIsNoImageSo) {
  std::string text;
  while (text.size() < 2000) text += "Notes on my disks: the music disk, the game.\n";
  // Another disk (track 0 alone): nothing to cut from it.
  DiskBuilder in_header = DiskBuilder().AddSide(0, 1, 16), past_end = in_header;
  in_header.track_offsets = {{5, 0x10}};
  past_end.track_offsets = {{3, static_cast<std::uint32_t>(past_end.Build().size() + 1)}};
  DiskBuilder edges = in_header, cut = MusicDisk();
  edges.track_offsets = {{2, 0x2A0},
                         {3, static_cast<std::uint32_t>(edges.Build().size())},
                         {160, 0x10},  // the table's last four entries may hold a track
                         {163, 0x10}};
  cut.track_offsets = {{5, 0x10}};  // a sign, but d88cut cuts every file
  const std::pair<Bytes, std::string> foreign[] = {
      {Bytes(687), "shorter than a disk header"},
      {Bytes(4096), "its size field 0x00000000 is less than a disk header"},
      {Bytes(text.begin(), text.end()), "track 0 starts at 0x74202C6B, past the disk's end"},
      {DiskBuilder{.disk_size = 0x29F}.Build(),
       "its size field 0x0000029F is less than a disk header"},
      {DiskBuilder{.disk_size = 0xFFFFFFFF}.Build(), "its size field 0xFFFFFFFF cannot be a size"},
      {in_header.Build(), "track 5 starts at 0x00000010, inside the disk header"},
      {past_end.Build(), "track 3 starts at 0x000013B1, past the disk's end"},
  };
  for (const auto& [bytes, sign] : foreign) {
    ASSERT_TRUE(Open(bytes));
    EXPECT_EQ(Lines(Disks()), "not a D88 image: " + sign + "\n");
    EXPECT_EQ(Lines(Verdicts()), "no disk 0: d88cut would cut nothing\n");
    std::error_code error;
    bool whole = true;
    EXPECT_EQ(list::CheckVerdict(*list::ReadCuts(image_, Utf8(path_), error), whole),
              "not a D88 image: " + sign);
    EXPECT_FALSE(whole);
  }
  // An image cut short: a sector whose track's walk meets the file's end is
  // past it; one whose data the file's end cuts ends with it.
  const Bytes music = MusicDisk().Build();
  for (const auto& [size, verdict] :
       {std::pair{std::size_t{700}, "DRIVER  absent: track 17 (C8 H1) sector 14 is past the end"},
        {10000, "MUS11   absent: track 17 (C8 H1) sector 5 is past the end"},
        {music.size() - 10,
         "DRIVER  broken off, 3318 of 3328 bytes (the rest is zeros): track 18 "
         "(C9 H0) sector 10 ends with the image: 246 of 256 bytes"}}) {
    ASSERT_TRUE(Open(Bytes(music.begin(), music.begin() + static_cast<long>(size))));
    EXPECT_TRUE(Lines(Disks()).starts_with("disk 0: \"\", media type 2D, size field")) << size;
    EXPECT_NE(Lines(Verdicts()).find(verdict), std::string::npos) << Lines(Verdicts());
  }
  ASSERT_TRUE(Open(DiskBuilder{.disk_size = 0x2A0}.Build()));
  EXPECT_EQ(Lines(Disks()),
            "disk 0: \"\", media type 2D, 672 bytes\n16 bytes after the last disk\n");
  ASSERT_TRUE(Open(edges.Build()));
  EXPECT_TRUE(Lines(Disks()).starts_with("disk 0: \"\", media type 2D, 5040 bytes\n"));
  ASSERT_TRUE(Open(cut.Build()));
  EXPECT_TRUE(Lines(Disks()).starts_with("disk 0: \"\", media type 2D, 16192 bytes\n"));
  EXPECT_NE(Lines(Verdicts()).find("  MUS11   complete, 4864 bytes\n"), std::string::npos);
}

// A listing stops at the first line its sink cannot take.
TEST_F(ListingTest, StopsAtTheFirstLineItsSinkRefuses) {
  ASSERT_TRUE(Open(Concat({MusicDisk().Build(), DiskBuilder().Build(), Bytes(10)})));
  for (int taken : {0, 1, 4, 5, 6}) EXPECT_EQ(Offered(Disks(), taken), taken + 1);
  for (int taken : {0, 1, 14}) EXPECT_EQ(Offered(Verdicts(), taken), taken + 1);
}

TEST_F(ListingTest, TellsWhyEachCutIsShortOrFlagged) {
  // Track 15 ends its walk at its first record and holds sectors 1 to 4 only.
  // Track 16: sector 3 has no data, 5 holds 100 bytes, and the
  // record of 11 counts no sectors. Track 17: sector 1 is deleted data, 15
  // was read with a data CRC error. Track 18's walk ends at its 8th record.
  DiskBuilder disk;
  disk.AddSide(16, 1, 2).Add(16, {8, 0, 3, 1, {}}).AddSide(16, 4, 4);
  disk.Add(15, {7, 1, 1, 1, Bytes(256), 1}).AddSide(15, 2, 4);
  disk.Add(16, {8, 0, 5, 1, Bytes(100), {}, 0, 0, 0xB0}).AddSide(16, 6, 10);
  disk.Add(16, {8, 0, 11, 1, Bytes(256), 0}).AddSide(16, 12, 16);
  disk.Add(17, {8, 1, 1, 1, Bytes(256), {}, 0, 0x10, 0x10}).AddSide(17, 2, 14);
  disk.Add(17, {8, 1, 15, 1, Bytes(256), {}, 0, 0, 0xB0}).AddSide(17, 16, 16);
  for (int r = 1; r <= 10; ++r) disk.Add(18, {9, 0, r, 1, Bytes(256), r == 8 ? 8 : 10});
  ASSERT_TRUE(Open(disk.Build()));
  ExpectSaidInBoth("verdicts", [&](const std::string& lang) {
    return SaidIn(lang, [&] { return Lines(Verdicts()); });
  });
}

// Crafted images list within a small budget of reading: 64 disks whose every
// track walks one run of 32 KiB records walk it once, and a 64 MiB hole under
// tracks 15 to 18 is searched only so far past the end of their walks.
TEST_F(ListingTest, CraftedImagesListWithinABudget) {
  image_.SetReadingBudget(48 << 20);
  ASSERT_TRUE(Open(SharedRun(64, 0)));
  const std::string listing = Lines(Disks());
  EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 64 * 165);  // each disk and track
  Lines(Verdicts());
  EXPECT_EQ(image_.ReadError(), std::error_code());

  // A walk that ends at its third record, 70,000 empty records before the
  // track's end, the 65,536th of them VOICE's first sector: each search past
  // the walk's end looks at 65,536 records, and so finds it, or stops where
  // the budget ends: within VOICE's (half of the 1.1 MB of records), and
  // before MUS00's begins.
  DiskBuilder late;
  for (int i = 0; i < 3; ++i) late.Add(15, {7, 1, 0, 1, {}, 3});
  for (int i = 0; i < 70000; ++i) late.Add(15, {7, 1, i == 65535 ? 2 : 0, 1, {}, 0});
  const std::string walk = ": the track's walk ends at record 3, which counts 3 sectors";
  const std::string missing = " is missing" + walk;
  const std::string past = " records after it do not hold it \\(searched no further\\)";
  for (const auto& [budget, voice, mus00] :
       {std::tuple{48 << 20, " is never reached" + walk, missing + ", and the 65536" + past},
        {1 << 19, missing + ", and the [0-9]+" + past, missing + " \\(searched no further\\)"}}) {
    image_.SetReadingBudget(budget);
    ASSERT_TRUE(Open(late.Build()));
    EXPECT_TRUE(std::regex_search(
        Lines(Verdicts()),
        std::regex("  VOICE   absent: track 15 \\(C7 H1\\) sector 2" + voice +
                   "\n  MUS00   absent: track 15 \\(C7 H1\\) sector 5" + mus00 + "\n")))
        << budget;
  }

  // What each read fetches counts (the shared run's walks; the music disk's
  // one read of 16,192 bytes), from the opening of each file.
  const Bytes music = MusicDisk().Build();
  for (const auto& [budget, bytes, spent] :
       {std::tuple{4 << 20, SharedRun(64, 0), true}, {16191, music, true}, {16192, music, false}}) {
    image_.SetReadingBudget(budget);
    ASSERT_TRUE(Open(bytes));
    Disks()([](const std::string&) { return true; });
    Lines(Verdicts());
    EXPECT_EQ(image_.ReadError() == d88::ReadingBudgetSpent(), spent) << budget;
  }
}

namespace fs = std::filesystem;

// A collection as a script checks it: one line for each image, and a status
// as cmp and diff give it (0 all well, 1 a finding, 2 trouble).
TEST(Collection, ChecksEachImageInALine) {
  const ScratchDir work;
  WriteFile(work / "whole.d88", MusicDisk().Build());
  DiskBuilder short_disk = MusicDisk();
  short_disk.tracks.erase(15);                                     // no VOICE, MUS00, MUS01
  short_disk.tracks[16].erase(short_disk.tracks[16].begin() + 5);  // no 16:6: MUS03 breaks off
  WriteFile(work / "short.d88", short_disk.Build());
  WriteFile(work / "other.d88", DiskBuilder().AddSide(0, 1, 16).Build());
  DiskBuilder marked = MusicDisk();
  marked.tracks[16][2].deleted_mark = marked.tracks[16][2].status = 0x10;  // 16:3, deleted data
  WriteFile(work / "deleted.d88", marked.Build());
  marked.tracks[17][14].status = 0xB0;  // 17:15, a data CRC error, in DRIVER and MUS11
  WriteFile(work / "flagged.d88", marked.Build());
  WriteFile(work / "tiny.d88", Bytes(100));
  // Images cut short: inside 18:10, the last sector DRIVER takes; before
  // any track; after every file, inside a track no cut takes.
  const Bytes whole = MusicDisk().Build(), longer = MusicDisk().AddSide(19, 1, 16).Build();
  WriteFile(work / "cut.d88", Bytes(whole.begin(), whole.end() - 56));
  WriteFile(work / "header.d88", Bytes(whole.begin(), whole.begin() + 700));
  WriteFile(work / "after.d88", Bytes(longer.begin(), longer.end() - 300));
  // Each finding, then a listing of a broken and a flagged image, the
  // errors, and the help.
  const std::vector<std::vector<std::string>> runs = {
      {"--check", "whole.d88", "deleted.d88", "after.d88"},
      {"--check", "flagged.d88"},
      {"--check", "tiny.d88", "other.d88", "header.d88"},
      {"--check", "short.d88", "missing.d88", "cut.d88"},
      {"short.d88", "flagged.d88"},
      {"missing.d88"},
      {"-x"},
      {"--help"}};
  ExpectSaidInBoth("check", [&](const std::string& lang) {
    std::string said;
    for (const auto& args : runs) {
      said += Transcript({.folder = work.path, .args = args, .tool = "d88ls", .lang = lang});
    }
    return said;
  });
}

// A folder compared with what d88cut leaves there, file by file; it is only
// read.
TEST(Collection, ComparesAFolderWithACut) {
  const ScratchDir work;
  WriteFile(work / "whole.d88", MusicDisk().Build());
  DiskBuilder no_track_15 = MusicDisk();
  no_track_15.tracks.erase(15);  // no VOICE, MUS00, MUS01
  WriteFile(work / "no15.d88", no_track_15.Build());
  fs::create_directory(work / "cut");
  ASSERT_EQ(RunTool({.folder = work / "cut", .args = {"../whole.d88"}}).status, 0);
  // Each step changes the folder, then the images named are compared with
  // it, in both languages.
  using Step = std::pair<std::function<void(const fs::path& cut)>, std::vector<const char*>>;
  const std::vector<Step> steps = {
      {[](const fs::path&) {}, {"whole.d88", "no15.d88", "missing.d88"}},
      // The temporary files an interrupted cut left are a finding; other
      // names are only named.
      {[](const fs::path& cut) {
         fs::copy_file(cut / "DRIVER", cut / "DRIVER.d88cut-999-0");
         WriteFile(cut / "MUS00.d88cut-1-2", Bytes(3));
         for (const char* other : {"d", "c", "b", "a", "MUS04.bak", "MUS02.d88cut-1-x",
                                   "MUS01.d88cut-12", ".d88cut-1-2", "e"})
           WriteFile(cut / other, {});
       },
       {"whole.d88"}},
      {[](const fs::path& cut) { fs::create_directory(cut / "MUS01.d88cut-3-4"); }, {"whole.d88"}},
      {[](const fs::path& cut) {
         for (const char* name :
              {"DRIVER.d88cut-999-0", "MUS00.d88cut-1-2", "MUS01.d88cut-3-4", "e"})
           fs::remove(cut / name);
       },
       {"whole.d88"}},
      {[](const fs::path& cut) {
         fs::remove(cut / "VOICE");
         fs::remove(cut / "MUS04");
         WriteFile(cut / "MUS03", Bytes(1792));
         fs::resize_file(cut / "MUS06", 100);
         WriteFile(cut / "MUS07", Bytes(1280 + 5));
         fs::remove(cut / "MUS08");
         fs::create_directory(cut / "MUS08");
       },
       {"no15.d88"}}};
  ExpectSaidInBoth("compare", [&](const std::string& lang) {
    fs::remove_all(work / "cut");
    fs::create_directory(work / "cut");
    EXPECT_EQ(RunTool({.folder = work / "cut", .args = {"../whole.d88"}}).status, 0);
    std::string said;
    for (const auto& [change, images] : steps) {
      change(work / "cut");
      for (const char* image : images) {
        said += Transcript({.folder = work.path,
                            .args = {"--compare", "cut", image},
                            .tool = "d88ls",
                            .lang = lang});
      }
    }
    return said;
  });
  EXPECT_EQ(ReadFile(work / "cut" / "MUS06").size(), 100u);  // nothing was written
}

// An image that takes more reading than any real disk: track 16 holds 600
// records of 32 KiB before its sectors, so that each lookup of one of them
// fetches 18.75 MiB. The reading budget (256 MiB from each opening) runs out
// at the 14th such lookup, MUS05's second sector: d88cut stops there, keeping
// the files it cut, and d88ls says so however much its listing read.
TEST(Collection, BothToolsStopWhereTheReadingBudgetEnds) {
  const ScratchDir work;
  DiskBuilder disk;
  for (int i = 0; i < 600; ++i) disk.Add(16, {8, 0, 0, 1, Bytes(32 * 1024 - 16)});
  disk.AddSide(15, 2, 16).AddSide(16, 1, 16).AddSide(17, 1, 16).AddSide(18, 1, 10);
  WriteFile(work / "long.d88", disk.Build());
  fs::create_directory(work / "cut");
  const std::string spent = "it takes more reading than any real disk needs";
  EXPECT_EQ(RunTool({.folder = work / "cut", .args = {"../long.d88"}}),
            (ToolRun{.status = 1,
                     .out = Progress(0, 7),
                     .err = "d88cut: cannot read the image: " + spent + "\n"}));
  std::string verdicts =
      "  MUS04   complete, 512 bytes\n  MUS05   d88cut stops here: cannot read the image: " +
      spent + "\n";
  for (std::size_t i = 8; i < kCuttingOrder.size(); ++i)
    verdicts += "  " + kCuttingOrder[i] + "   not cut: d88cut stops at MUS05\n";
  const ToolRun listed = RunTool({.folder = work.path, .args = {"long.d88"}, .tool = "d88ls"});
  EXPECT_TRUE(listed.out.ends_with(verdicts)) << listed.out;
  EXPECT_EQ(listed.status, 0);
  EXPECT_EQ(RunTool({.folder = work.path, .args = {"--check", "long.d88"}, .tool = "d88ls"}),
            (ToolRun{.status = 1,
                     .out = "long.d88: 7 of 14 complete; d88cut stops at MUS05: " + spent + "\n"}));
  EXPECT_EQ(
      RunTool({.folder = work.path, .args = {"--compare", "cut", "long.d88"}, .tool = "d88ls"})
          .status,
      0);
}

}  // namespace d88test
