// The reader: the disks of an image file, and sector access on them.
#include "tests/test_support.h"

namespace d88test {

using OpenTest = ReaderTest;
using SectorAccessTest = ReaderTest;

// The bytes of one ID that ReadTrackIds lists: C, H, R, N.
constexpr std::size_t kIdBytes = 4;

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
  const auto size = static_cast<std::int64_t>(first.size());  // the fourth header is cut short
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

TEST_F(OpenTest, NewFileCloseOrShrinkDropsTheSelection) {
  ASSERT_TRUE(Open(Named("OLD", 0x20)) && Selected(0) == "OLD" && Open(Named("NEW")));
  EXPECT_EQ(State(), "disks 1, file 688, disk_size 0, media -1, protect -1, name \"\"");
  EXPECT_EQ(Selected(0), "NEW");
  EXPECT_FALSE(image_.Open(Utf8(dir_ / "missing").c_str()));
  EXPECT_FALSE(image_.Open(Utf8(dir_.path).c_str()));  // a folder
  EXPECT_EQ(Selected(0), "(failed)");                  // the earlier file was closed

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

// Runs go on at the first sector of the next side; a file that ends inside
// a sector gives what arrived.
TEST_F(SectorAccessTest, RunsAcrossSidesAndCutImages) {
  const Bytes whole = MusicDisk().Build();  // its last record: 18:10
  const std::size_t kept = 200;             // of the last sector's 256 bytes
  Load(Bytes(whole.begin(), whole.end() - (256 - kept)));
  EXPECT_EQ(Run(16, 1, 300), Sectors(16, 1, 2, 300 - 256));  // the last piece is a remainder
  // A reader fresh from construction numbers the sides' sectors 1 to 16.
  EXPECT_EQ(Run(16, 16, 512), Concat({Sectors(16, 16, 16), Sectors(17, 1, 1)}));
  image_.SetSectorRange(2, 15);
  EXPECT_EQ(Run(15, 15, 512), Concat({Sectors(15, 15, 15), Sectors(16, 2, 2)}));
  image_.SetSectorRange(1, 16);
  EXPECT_EQ(Read(18, 10), Sectors(18, 10, 10, kept));
  EXPECT_EQ(Run(18, 9, 512), Sectors(18, 9, 9));
  Load(Bytes(whole.begin(), whole.end() - 256 - 8));  // halfway into the last record's header
  EXPECT_EQ(Read(18, 10), Bytes{});
  EXPECT_EQ(Ids(18).size(), 9 * kIdBytes);  // the nine whole records before it
}

// A track's walk ends after the record whose position (from 0) is its own
// sector_count less one, or at one that counts no sectors, before its ID is
// compared: no sector stored after it is read. The listing of IDs ends with
// the walk, but goes on past a record that counts none.
TEST_F(SectorAccessTest, TheWalkEndsAtTheRecordThatSaysSo) {
  DiskBuilder disk;
  disk.Add(0, {0, 0, 1, 1, SectorData(0, 1), 1}).AddSide(0, 2, 2);  // record 0 counts 1
  disk.Add(1, {0, 1, 1, 1, SectorData(1, 1), 0}).AddSide(1, 2, 2);  // record 0 counts none
  disk.Add(2, {1, 0, 1, 1, SectorData(2, 1), 9}).AddSide(2, 2, 3);
  disk.tracks[2][1].sector_count = 2;  // record 1 counts 2
  Load(disk.Build());
  const struct {
    int track, r;
    bool read;
  } cases[] = {{0, 1, true},  {0, 2, false}, {1, 1, false},
               {1, 2, false}, {2, 2, true},  {2, 3, false}};
  for (const auto& [track, r, read] : cases) {
    EXPECT_EQ(Read(track, r), read ? SectorData(track, r) : Bytes{}) << track << ":" << r;
  }
  EXPECT_EQ(Ids(0).size() + Ids(1).size() + Ids(2).size(), (1 + 2 + 2) * kIdBytes);
}

// Track entries up to disk_size are tracks; arguments and offsets out of
// range read nothing.
TEST_F(SectorAccessTest, TrackEntriesAndArgumentsInAndOutOfRange) {
  const auto size = static_cast<std::uint32_t>(DiskBuilder().AddSide(16, 1, 1).Build().size());
  const Bytes beyond = DiskBuilder().AddSide(17, 1, 1).Build();  // its track follows the disk
  DiskBuilder disk{.disk_size = size, .track_offsets = {{17, size}, {18, size + 1}}};
  Load(Concat({disk.AddSide(16, 1, 1).Build(), Bytes(beyond.begin() + 0x2B0, beyond.end())}));
  EXPECT_EQ(Read(17, 1), SectorData(17, 1));
  EXPECT_EQ(Concat({Ids(18), Ids(0)}), Bytes{});
  DiskBuilder second{.disk_size = 0x7FFFFFFF, .track_offsets = {{1, 0x7FFFFFF0}, {2, 0x80000000}}};
  DiskBuilder music = MusicDisk();
  music.Add(16, {8, 0, 1, 24, Bytes(16)});  // a size code no run takes
  music.Add(16, {8, 0, 1, 0, Bytes(128)});  // the smallest and the largest a run takes
  music.Add(16, {8, 0, 1, 23, Bytes(16)});
  Load(Concat({music.Build(), second.AddSide(0, 1, 1).Build()}));
  Bytes dest(512);
  EXPECT_EQ(image_.ReadSector(16, 8, 0, 1, 1, dest.data(), -1), 0);
  EXPECT_EQ(image_.ReadSectorRun(16, 8, 0, 1, 1, dest.data(), -1), 0);
  EXPECT_EQ(image_.ReadSectorRun(16, 8, 0, 1, -1, dest.data(), 256), 0);
  EXPECT_EQ(image_.ReadSectorRun(16, 8, 0, 1, 24, dest.data(), 256), 0);
  EXPECT_EQ(image_.ReadSectorRun(16, 8, 0, 1, 0, dest.data(), 128), 128);
  EXPECT_EQ(image_.ReadSectorRun(16, 8, 0, 1, 23, dest.data(), 16), 16);
  EXPECT_EQ(image_.ReadTrackIds(16, dest.data(), -4), 0);
  EXPECT_EQ(image_.ReadTrackIds(16, dest.data(), 6), 4);  // no room for a second ID
  EXPECT_EQ(Concat({Ids(-1), Ids(164)}), Bytes{});        // the stream stands inside track 16
  EXPECT_EQ(Concat({Read(-1, 1), Read(164, 1)}), Bytes{});
  ASSERT_TRUE(image_.SelectDisk(1));
  EXPECT_EQ(Read(0, 1), SectorData(0, 1));
  EXPECT_EQ(Concat({Ids(1), Ids(2)}), Bytes{});  // past 2^31 - 1; a negative entry
  EXPECT_FALSE(image_.SelectDisk(2));
  EXPECT_EQ(Read(0, 1), Bytes{});  // the table stays, but nothing is selected
}

}  // namespace d88test
