// The reader: the disks of an image file, and sector access on them.
#include "tests/test_support.h"

namespace d88test {

using OpenTest = ReaderTest;

class SectorAccessTest : public ReaderTest {
 protected:
  // Where sector R of a track stands, in words.
  std::string Where(int track, int r, d88::Search search = d88::Search::kPastWalkEnd) {
    using Kind = d88::SectorLocation::Kind;
    const auto at = image_.LocateSector(track, track / 2, track % 2, r, 1, search);
    std::string text = at.kind == Kind::kFound ? "found, " + std::to_string(at.stored_size) +
                                                     " of " + std::to_string(at.record.data_size)
                       : at.kind == Kind::kNotReached ? "not reached"
                                                      : "not on track";
    if (at.walk_end < 0) return text;
    return text + "; walk ends at " + std::to_string(at.walk_end) + " counting " +
           std::to_string(at.walk_end_count);
  }
};

Bytes Named(const std::string& name, std::uint8_t media = 0,
            std::optional<std::uint32_t> size = {}) {
  return DiskBuilder{.name = name, .media_type = media, .disk_size = size}.Build();
}

TEST_F(OpenTest, FindsDisksBackToBack) {
  d88::D88Image fresh;
  Bytes dest(256);
  EXPECT_EQ(fresh.ReadSectorRun(16, 8, 0, 1, 1, dest.data(), 256), 0);
  EXPECT_EQ(StateOf(fresh), "disks 0, file 0, disk_size 0, media -1, protect -1, name \"\"");
  EXPECT_EQ(fresh.DiskOffset(0), -1);
  const Bytes first = DiskBuilder{.name = "FIRST", .write_protect = 0x10}.AddSide(0, 1, 2).Build();
  ASSERT_TRUE(Open(Concat({first, Named(std::string("SECOND\0X", 8), 0x10),
                           Named("THIRD6789ABCDEFGHIJ", 0x20), Bytes(100)})));
  const std::int64_t size = first.size();  // the fourth header is cut short
  const std::string file = "disks 3, file " + std::to_string(size + 2 * 0x2B0 + 100);
  const std::string unselected = file + ", disk_size 0, media -1, protect -1, name \"\"";
  EXPECT_EQ(State(), unselected);
  EXPECT_EQ(image_.DiskOffset(2), size + 0x2B0);
  EXPECT_EQ(image_.DiskOffset(3), -1);
  EXPECT_EQ(image_.DiskOffset(-1), -1);
  EXPECT_EQ(Selected(2), "THIRD6789ABCDEFG");  // up to a NUL or 16 bytes
  EXPECT_EQ(State(), file + ", disk_size 688, media 32, protect 0, name \"THIRD6789ABCDEFG\"");
  EXPECT_EQ(Selected(1), "SECOND");
  EXPECT_EQ(Selected(0), "FIRST");
  EXPECT_EQ(image_.WriteProtect(), 0x10);
  for (int index : {3, -1}) {
    EXPECT_EQ(Selected(index), "(failed)");
    EXPECT_EQ(State(), unselected) << index;
  }
  for (const Bytes& bytes : {Bytes{}, Bytes(687)}) {
    ASSERT_TRUE(Open(bytes));
    EXPECT_EQ(image_.DiskCount(), 0);
    EXPECT_EQ(Selected(0), "(failed)");
  }
}

TEST_F(OpenTest, TakesAtMostSixtyFourDisksWithinTwoGigabytes) {
  ASSERT_TRUE(Open(Named("ZERO", 0, 0)));  // disk_size 0 reads the same header again
  EXPECT_EQ(image_.DiskCount(), 64);
  EXPECT_EQ(Selected(63), "ZERO");
  // A negative size, or one that takes the next disk past 2^31 - 1.
  for (std::uint32_t size : {0x80000000u, 0xFFFFFD50u, 0x7FFFFFFFu}) {
    ASSERT_TRUE(Open(Concat({Named("A", 0, size), Named("B")})));
    EXPECT_EQ(image_.DiskCount(), 1) << size;
    EXPECT_EQ(Selected(0), "A");
    EXPECT_EQ(image_.DiskSize(), static_cast<int>(size));
  }
}

TEST_F(OpenTest, NewFileCloseOrShrinkDropsTheSelection) {
  ASSERT_TRUE(Open(Named("OLD", 0x20)) && Selected(0) == "OLD" && Open(Named("NEW")));
  EXPECT_EQ(State(), "disks 1, file 688, disk_size 0, media -1, protect -1, name \"\"");
  EXPECT_EQ(Selected(0), "NEW");
  EXPECT_FALSE(image_.Open((dir_ / "missing").string().c_str()));
  EXPECT_FALSE(image_.Open(dir_.path.string().c_str()));  // a folder
  EXPECT_EQ(Selected(0), "(failed)");                     // the earlier file was closed

  ASSERT_TRUE(Open(Named("AGAIN", 0x10)) && Selected(0) == "AGAIN" && image_.Open(nullptr));
  // A closed reader keeps the name and size it had.
  EXPECT_EQ(State(), "disks 0, file 0, disk_size 688, media -1, protect -1, name \"AGAIN\"");
  EXPECT_EQ(Selected(0), "(failed)");
  EXPECT_EQ(image_.DiskName(), "AGAIN");  // a closed reader changes nothing

  // A header found by the scan but gone when the disk is selected (no
  // longer in the read window, it is read anew).
  Load(Concat({DiskBuilder().AddSide(0, 1, 160).Build(), Named("B", 0x10)}));
  EXPECT_EQ(Read(0, 118), SectorData(0, 118));  // its data crosses the end of the read window
  std::filesystem::resize_file(path_, 100);
  EXPECT_EQ(Selected(0), "(failed)");
  EXPECT_EQ(image_.MediaType(), -1);
}

Record Sector(int track, int r, std::size_t size, std::optional<int> sector_count = {}) {
  return {track / 2, track % 2, r, 1, SectorData(track, r, size), sector_count};
}

TEST_F(SectorAccessTest, RunsGoOnAtTheFirstSectorOfTheNextSide) {
  Load(MusicDisk().Build());
  EXPECT_EQ(Run(17, 14, 3328), Concat({Sectors(17, 14, 16), Sectors(18, 1, 10)}));
  EXPECT_EQ(Run(16, 13, 2048), Concat({Sectors(16, 13, 16), Sectors(17, 1, 4)}));
  EXPECT_EQ(Run(16, 1, 300), Sectors(16, 1, 2, 44));  // the last piece is a remainder
  EXPECT_EQ(Run(18, 9, 1024), Sectors(18, 9, 10));    // no sector 11
  image_.SetSectorRange(2, 15);
  EXPECT_EQ(Run(15, 15, 512), Concat({Sectors(15, 15, 15), Sectors(16, 2, 2)}));
}

TEST_F(SectorAccessTest, WalksEndAtTheRecordThatSaysSo) {
  DiskBuilder disk;
  disk.Add(2, Sector(2, 1, 16, 1)).Add(2, Sector(2, 2, 256, 1));  // "I am the only one"
  for (int r : {3, 1, 2, 4}) disk.Add(4, Sector(4, r, 256, 3));   // three counted, four stored
  disk.Add(6, Sector(6, 1, 16, 0)).Add(6, Sector(6, 2, 256, 2));  // counts no records
  disk.Add(8, Sector(8, 1, 256)).Add(8, {4, 0, 1, 2, SectorData(9, 9, 512)});
  disk.Add(8, {4, 0, 2, 0, SectorData(8, 2, 128)});            // 128-byte sectors
  disk.Add(10, {5, 0, 1, 1, {}}).Add(10, Sector(10, 1, 256));  // the first match counts
  Load(disk.Build());
  EXPECT_EQ(Read(2, 2), Bytes{});
  EXPECT_EQ(Ids(2), (Bytes{1, 0, 1, 1}));
  EXPECT_EQ(Run(4, 1, 768), Sectors(4, 1, 3));  // stored in any order
  EXPECT_EQ(Read(4, 4), Bytes{});
  EXPECT_EQ(Ids(4), (Bytes{2, 0, 3, 1, 2, 0, 1, 1, 2, 0, 2, 1}));
  EXPECT_EQ(Ids(4, 6), (Bytes{2, 0, 3, 1}));
  EXPECT_EQ(Ids(4, 12), Ids(4));
  EXPECT_EQ(Read(6, 1), Bytes{});  // never matched, nor anything after it
  EXPECT_EQ(Read(6, 2), Bytes{});
  EXPECT_EQ(Ids(6), (Bytes{3, 0, 1, 1, 3, 0, 2, 1}));     // but listed
  EXPECT_EQ(Read(8, 1, 1024, 2), SectorData(9, 9, 512));  // N is part of the ID
  EXPECT_EQ(Read(8, 1, 1024, 1), SectorData(8, 1));
  EXPECT_EQ(Run(8, 2, 128, 0), SectorData(8, 2, 128));
  EXPECT_EQ(Read(10, 1), Bytes{});
  // Where the walk leaves each sector; past its end, the search looks on.
  EXPECT_EQ(Where(2, 2), "not reached; walk ends at 0 counting 1");
  EXPECT_EQ(Where(2, 2, d88::Search::kWithinWalk), "not on track; walk ends at 0 counting 1");
  EXPECT_EQ(Where(4, 2), "found, 256 of 256");
  EXPECT_EQ(Where(4, 4), "not reached; walk ends at 2 counting 3");
  EXPECT_EQ(Where(4, 9), "not on track; walk ends at 2 counting 3");
  EXPECT_EQ(Where(6, 1), "not reached; walk ends at 0 counting 0");
  EXPECT_EQ(Where(6, 1, d88::Search::kWithinWalk), "not on track; walk ends at 0 counting 0");
  EXPECT_EQ(Where(8, 3), "not on track; walk ends at 2 counting 3");
  EXPECT_EQ(Where(10, 1), "found, 0 of 0");
}

TEST_F(SectorAccessTest, TrackEntriesUpToDiskSizeAreUsable) {
  const Bytes plain = DiskBuilder().AddSide(16, 1, 1).Build();
  const auto size = static_cast<std::uint32_t>(plain.size());
  const Bytes beyond = DiskBuilder().AddSide(17, 1, 1).Build();  // its track follows the disk
  DiskBuilder disk{.disk_size = size, .track_offsets = {{17, size}, {18, size + 1}}};
  disk.AddSide(16, 1, 1);
  Load(Concat({disk.Build(), Bytes(beyond.begin() + 0x2B0, beyond.end())}));
  EXPECT_EQ(Read(17, 1), SectorData(17, 1));
  EXPECT_EQ(Ids(18), Bytes{});
  EXPECT_EQ(Ids(0), Bytes{});
}

TEST_F(SectorAccessTest, CutImagesGiveWhatArrived) {
  const Bytes whole = MusicDisk().Build();
  Load(Bytes(whole.begin(), whole.end() - 56));  // inside the last sector's data
  EXPECT_EQ(Read(18, 10), Sectors(18, 10, 10, 200));
  EXPECT_EQ(Where(18, 10), "found, 200 of 256");
  EXPECT_EQ(Run(18, 9, 512), Sectors(18, 9, 9));
  Load(Bytes(whole.begin(), whole.end() - 264));  // inside the last record's header
  EXPECT_EQ(Read(18, 10), Bytes{});
  EXPECT_EQ(Where(18, 10), "not on track");  // the file ends before the walk
  EXPECT_EQ(Ids(18).size(), 36u);
}

TEST_F(SectorAccessTest, OutOfRangeArgumentsAndOffsetsReadNothing) {
  DiskBuilder second{.disk_size = 0x7FFFFFFF, .track_offsets = {{1, 0x7FFFFFF0}, {2, 0x80000000}}};
  Load(Concat({MusicDisk().Build(), second.AddSide(0, 1, 1).Build()}));
  Bytes dest(512);
  EXPECT_EQ(image_.ReadSector(16, 8, 0, 1, 1, dest.data(), -1), 0);
  EXPECT_EQ(image_.ReadSectorRun(16, 8, 0, 1, 1, dest.data(), -1), 0);
  EXPECT_EQ(image_.ReadSectorRun(16, 8, 0, 1, -1, dest.data(), 256), 0);
  EXPECT_EQ(image_.ReadSectorRun(16, 8, 0, 1, 24, dest.data(), 256), 0);
  EXPECT_EQ(image_.ReadTrackIds(16, dest.data(), -4), 0);
  EXPECT_EQ(Concat({Ids(-1), Ids(164)}), Bytes{});  // the stream stands inside track 16
  EXPECT_EQ(Read(-1, 1), Bytes{});
  EXPECT_EQ(Read(164, 1), Bytes{});
  ASSERT_TRUE(image_.SelectDisk(1));
  EXPECT_EQ(Read(0, 1), SectorData(0, 1));
  EXPECT_EQ(Ids(1), Bytes{});  // base + entry passes 2^31 - 1
  EXPECT_EQ(Ids(2), Bytes{});  // a negative entry
  EXPECT_FALSE(image_.SelectDisk(2));
  EXPECT_EQ(Read(0, 1), Bytes{});  // the table stays, but nothing is selected
}

}  // namespace d88test
