// d88ls: the listing of disks and tracks, and the verdict on each cut.
#include <gtest/gtest.h>

#include "d88/d88_image.h"
#include "list/cut_verdicts.h"
#include "list/disk_listing.h"
#include "tests/test_support.h"

namespace d88test {
namespace {

class ListingTest : public ::testing::Test {
 protected:
  void Load(const Bytes& bytes) {
    WriteFile(dir_ / "image.d88", bytes);
    ASSERT_TRUE(image_.Open((dir_ / "image.d88").string().c_str()));
  }
  std::string Verdicts(const DiskBuilder& disk) {
    Load(disk.Build());
    return list::JudgeCuts(image_);
  }

  ScratchDir dir_;
  d88::D88Image image_;
};

TEST_F(ListingTest, ListsEveryDiskAndItsPresentTracks) {
  DiskBuilder first{.name = "FIRST\x81\"", .media_type = 0x20};
  first.AddSide(1, 1, 3);  // track 2 is missing; track 4 is irregular
  for (auto [r, n] : {std::pair{3, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 0}, {0, 1}, {0, 1}}) {
    first.Add(4, {2, 0, r, n, Bytes(16)});
  }
  DiskBuilder second{.name = "SECOND"};
  second.AddSide(7, 9, 9);
  Load(Concat({first.Build(), second.Build()}));
  EXPECT_EQ(list::ListDisks(image_),
            "disk 0: \"FIRST\\x81\\x22\", media type 0x20, " +
                std::to_string(first.Build().size()) +
                " bytes\n"
                "  track 1 (cylinder 0, head 1): 3 records: C0 H1 N1 R1-3\n"
                "  track 4 (cylinder 2, head 0): 7 records: C2 H0 N1 R3, C2 H0 N1 R1-3, "
                "C2 H0 N0 R4, C2 H0 N1 R0 x2\n"
                "disk 1: \"SECOND\", media type 0x00, " +
                std::to_string(second.Build().size()) +
                " bytes\n"
                "  track 7 (cylinder 3, head 1): 1 record: C3 H1 N1 R9\n");
}

TEST_F(ListingTest, JudgesEveryCut) {
  const std::string complete = Verdicts(MusicDisk());
  EXPECT_TRUE(
      complete.starts_with("what d88cut would cut from disk 0:\n"
                           "  DRIVER  complete, 3328 bytes\n"
                           "  VOICE   complete, 768 bytes\n"));
  EXPECT_TRUE(complete.ends_with("  MUS11   complete, 4864 bytes\n"));

  DiskBuilder no_track_15;
  no_track_15.AddSide(16, 1, 16).AddSide(17, 1, 16).AddSide(18, 1, 10);
  EXPECT_NE(Verdicts(no_track_15)
                .find("  VOICE   absent: track 15 (C7 H1) sector 2 is missing\n"
                      "  MUS00   absent: track 15 (C7 H1) sector 5 is missing\n"),
            std::string::npos);

  // MUS05 runs from track 16 sector 13 into track 17, whose sector 3 is short.
  DiskBuilder broken;
  broken.AddSide(15, 2, 16).AddSide(16, 1, 16).AddSide(17, 1, 2).AddSide(17, 4, 16);
  broken.Add(17, {8, 1, 3, 1, Bytes(100)});
  EXPECT_NE(Verdicts(broken).find("  MUS05   broken off, 1536 of 2048 bytes: track 17 (C8 H1) "
                                  "sector 3 is short: 100 of 256 bytes\n  MUS06   complete"),
            std::string::npos);

  Load({});
  EXPECT_EQ(list::JudgeCuts(image_), "no disk 0: d88cut would cut nothing\n");
}

TEST(Lister, RunsAsTheCutterDoesWithoutWriting) {
  const ScratchDir work;
  WriteFile(work / "music.d88", MusicDisk().Build());
  const ToolRun listing = RunTool(work.path(), {"music.d88"}, "d88ls");
  EXPECT_EQ(listing.status, 0);
  EXPECT_TRUE(listing.out.starts_with("disk 0: \"\", media type 0x00, ")) << listing.out;
  EXPECT_EQ(listing.err, "");
  EXPECT_EQ(work.List(), std::vector<std::string>{"music.d88"});
  const ToolRun usage = RunTool(work.path(), {}, "d88ls");
  EXPECT_EQ(usage.status, 1);
  EXPECT_EQ(usage.err, "Usage: " + ToolPath("d88ls") + " [d88file]\n");
  EXPECT_EQ(RunTool(work.path(), {"missing.d88"}, "d88ls").status, 1);
}

}  // namespace
}  // namespace d88test
