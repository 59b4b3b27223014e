#include <gtest/gtest.h>

#include "d88/d88_image.h"
#include "tests/test_support.h"

namespace d88test {
namespace {

Record Sector(int track, int r, std::size_t size, std::optional<int> sector_count = {}) {
  return {track / 2, track % 2, r, 1, SectorData(track, r, size), sector_count};
}

class SectorAccessTest : public ::testing::Test {
 protected:
  void Load(const Bytes& bytes) {
    WriteFile(dir_ / "image.d88", bytes);
    ASSERT_TRUE(image_.Open((dir_ / "image.d88").string().c_str()));
    image_.SelectDisk(0);
  }
  // What a run, a sector or a listing gave: as many bytes as it returned.
  Bytes Run(int track, int r, int total, int n = 1) {
    Bytes dest(total);
    dest.resize(image_.ReadSectorRun(track, track / 2, track % 2, r, n, dest.data(), total));
    return dest;
  }
  Bytes Read(int track, int r, int limit = 256, int n = 1) {
    Bytes dest(limit);
    dest.resize(image_.ReadSector(track, track / 2, track % 2, r, n, dest.data(), limit));
    return dest;
  }
  Bytes Ids(int track, int limit = 1024) {
    Bytes dest(limit);
    dest.resize(image_.ReadTrackIds(track, dest.data(), limit));
    return dest;
  }

  ScratchDir dir_;
  d88::D88Image image_;
};

TEST_F(SectorAccessTest, RunsGoOnAtTheFirstSectorOfTheNextSide) {
  Load(MusicDisk().Build());
  EXPECT_EQ(Run(17, 14, 3328), Concat({Sectors(17, 14, 16), Sectors(18, 1, 10)}));
  EXPECT_EQ(Run(16, 13, 2048), Concat({Sectors(16, 13, 16), Sectors(17, 1, 4)}));
  EXPECT_EQ(Run(16, 1, 300), Sectors(16, 1, 2, 44));  // the last piece is a remainder
  EXPECT_EQ(Run(18, 9, 1024), Sectors(18, 9, 10));    // no sector 11
  image_.SetSectorRange(2, 15);
  EXPECT_EQ(Run(15, 15, 512), Concat({Sectors(15, 15, 15), Sectors(16, 2, 2)}));
}

TEST_F(SectorAccessTest, RunsStopAtAMissingOrShortSector) {
  DiskBuilder disk;
  disk.AddSide(16, 1, 2).AddSide(16, 4, 4).AddSide(163, 16, 16).AddSide(162, 17, 18);
  disk.Add(20, Sector(20, 1, 256)).Add(20, Sector(20, 2, 128)).Add(20, Sector(20, 3, 0));
  Load(disk.Build());
  EXPECT_EQ(Run(16, 1, 1024), Sectors(16, 1, 2));
  EXPECT_EQ(Run(20, 1, 512), Sectors(20, 1, 1));  // 128 bytes do not make a 256-byte piece
  EXPECT_EQ(Run(20, 1, 384), Concat({Sectors(20, 1, 1), SectorData(20, 2, 128)}));
  EXPECT_EQ(Run(20, 3, 256), Bytes{});                 // a matching record without data
  EXPECT_EQ(Run(163, 16, 512), Sectors(163, 16, 16));  // no track after 163
  EXPECT_EQ(Run(162, 17, 768), Sectors(162, 17, 18));  // above the last sector: same side
  EXPECT_EQ(Read(16, 4, 10), Sectors(16, 4, 4, 10));
}

TEST_F(SectorAccessTest, WalksEndAtTheRecordThatSaysSo) {
  DiskBuilder disk;
  disk.Add(2, Sector(2, 1, 16, 1)).Add(2, Sector(2, 2, 256, 1));  // "I am the only one"
  for (int r : {3, 1, 2, 4}) disk.Add(4, Sector(4, r, 256, 3));   // three counted, four stored
  disk.Add(6, Sector(6, 1, 16, 0)).Add(6, Sector(6, 2, 256, 2));  // counts no records
  disk.Add(8, Sector(8, 1, 256)).Add(8, {4, 0, 1, 2, SectorData(9, 9, 512)});
  Load(disk.Build());
  EXPECT_EQ(Read(2, 2), Bytes{});
  EXPECT_EQ(Ids(2), (Bytes{1, 0, 1, 1}));
  EXPECT_EQ(Run(4, 1, 768), Sectors(4, 1, 3));  // stored in any order
  EXPECT_EQ(Read(4, 4), Bytes{});
  EXPECT_EQ(Ids(4), (Bytes{2, 0, 3, 1, 2, 0, 1, 1, 2, 0, 2, 1}));
  EXPECT_EQ(Ids(4, 6), (Bytes{2, 0, 3, 1}));
  EXPECT_EQ(Read(6, 1), Bytes{});  // never matched, nor anything after it
  EXPECT_EQ(Read(6, 2), Bytes{});
  EXPECT_EQ(Ids(6), (Bytes{3, 0, 1, 1, 3, 0, 2, 1}));     // but listed
  EXPECT_EQ(Read(8, 1, 1024, 2), SectorData(9, 9, 512));  // N is part of the ID
  EXPECT_EQ(Read(8, 1, 1024, 1), SectorData(8, 1));
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
  EXPECT_EQ(Run(18, 9, 512), Sectors(18, 9, 9));
  Load(Bytes(whole.begin(), whole.end() - 264));  // inside the last record's header
  EXPECT_EQ(Read(18, 10), Bytes{});
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
  EXPECT_EQ(Read(-1, 1), Bytes{});
  EXPECT_EQ(Read(164, 1), Bytes{});
  ASSERT_TRUE(image_.SelectDisk(1));
  EXPECT_EQ(Read(0, 1), SectorData(0, 1));
  EXPECT_EQ(Ids(1), Bytes{});  // base + entry passes 2^31 - 1
  EXPECT_EQ(Ids(2), Bytes{});  // a negative entry
  EXPECT_FALSE(image_.SelectDisk(2));
  EXPECT_EQ(Read(0, 1), Bytes{});  // the table stays, but nothing is selected
  d88::D88Image fresh;
  EXPECT_EQ(fresh.ReadSectorRun(16, 8, 0, 1, 1, dest.data(), 256), 0);
}

}  // namespace
}  // namespace d88test
