#include <gtest/gtest.h>

#include "d88/d88_image.h"
#include "tests/image_builder.h"

namespace d88test {
namespace {

Bytes Sectors(int track, int first, int last) {
  Bytes all;
  for (int r = first; r <= last; ++r) all = Concat({all, SectorData(track, r)});
  return all;
}

Bytes Prefix(const Bytes& bytes, std::size_t size) {
  return Bytes(bytes.begin(), bytes.begin() + size);
}

Record MakeRecord(int track, int r, std::size_t size, std::optional<int> sector_count = {}) {
  return {track / 2, track % 2, r, 1, SectorData(track, r, size), sector_count};
}

class SectorAccessTest : public ::testing::Test {
 protected:
  void Load(const Bytes& bytes) {
    WriteFile(dir_ / "image.d88", bytes);
    ASSERT_TRUE(image_.Open((dir_ / "image.d88").string().c_str()));
    image_.SelectDisk(0);
  }
  // The bytes of a run; as many as it returned.
  Bytes Run(int track, int r, int total, int n = 1) {
    Bytes dest(total);
    dest.resize(image_.ReadSectorRun(track, track / 2, track % 2, r, n, dest.data(), total));
    return dest;
  }
  Bytes Sector(int track, int r, int limit = 256, int n = 1) {
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
  // A last piece shorter than a sector asks for the remainder only.
  EXPECT_EQ(Run(16, 1, 300), Prefix(Sectors(16, 1, 2), 300));
  // Stepping past the end of track 18 (R 1 to 10) finds no sector 11.
  EXPECT_EQ(Run(18, 9, 1024).size(), 512u);

  image_.SetSectorRange(2, 15);
  EXPECT_EQ(Run(15, 15, 512), Concat({Sectors(15, 15, 15), Sectors(16, 2, 2)}));
}

TEST_F(SectorAccessTest, RunsStopAtAMissingOrShortSector) {
  Load(DiskBuilder()
           .AddSide(16, 1, 2)
           .AddSide(16, 4, 4)
           .Add(20, MakeRecord(20, 1, 256))
           .Add(20, MakeRecord(20, 2, 128))
           .Add(20, MakeRecord(20, 3, 0))
           .AddSide(163, 16, 16)
           .AddSide(162, 17, 18)
           .Build());
  EXPECT_EQ(Run(16, 1, 1024), Sectors(16, 1, 2));
  // A 128-byte sector ends a 256-byte run, but serves a last piece of 128.
  EXPECT_EQ(Run(20, 1, 512), Sectors(20, 1, 1));
  EXPECT_EQ(Run(20, 1, 384), Concat({Sectors(20, 1, 1), SectorData(20, 2, 128)}));
  // A matching record without data is as good as missing.
  EXPECT_EQ(Sector(20, 3), Bytes{});
  EXPECT_EQ(Run(20, 3, 256), Bytes{});
  // Past track 163 there is no track.
  EXPECT_EQ(Run(163, 16, 512), Sectors(163, 16, 16));
  // A run started above the last sector stays on its track side.
  EXPECT_EQ(Run(162, 17, 768), Sectors(162, 17, 18));
  // A limit smaller than the sector copies exactly the limit.
  EXPECT_EQ(Sector(16, 4, 10), Prefix(SectorData(16, 4), 10));
}

TEST_F(SectorAccessTest, WalksEndAtTheRecordThatSaysSo) {
  Load(DiskBuilder()
           // The first record says it is the only one.
           .Add(2, MakeRecord(2, 1, 256, 1))
           .Add(2, MakeRecord(2, 2, 256, 1))
           // Three records counted, four stored.
           .Add(4, MakeRecord(4, 3, 256, 3))
           .Add(4, MakeRecord(4, 1, 256, 3))
           .Add(4, MakeRecord(4, 2, 256, 3))
           .Add(4, MakeRecord(4, 4, 256, 3))
           // A record that counts no records is never matched, nor any after it.
           .Add(6, MakeRecord(6, 1, 256, 0))
           .Add(6, MakeRecord(6, 2, 256, 2))
           .Build());
  EXPECT_EQ(Sector(2, 1), SectorData(2, 1));
  EXPECT_EQ(Sector(2, 2), Bytes{});
  EXPECT_EQ(Ids(2), (Bytes{1, 0, 1, 1}));

  // Stored in any order; a run takes them by R.
  EXPECT_EQ(Run(4, 1, 768), Sectors(4, 1, 3));
  EXPECT_EQ(Sector(4, 4), Bytes{});
  EXPECT_EQ(Ids(4), (Bytes{2, 0, 3, 1, 2, 0, 1, 1, 2, 0, 2, 1}));
  EXPECT_EQ(Ids(4, 6), (Bytes{2, 0, 3, 1}));

  EXPECT_EQ(Sector(6, 1), Bytes{});
  EXPECT_EQ(Sector(6, 2), Bytes{});
  EXPECT_EQ(Ids(6), (Bytes{3, 0, 1, 1, 3, 0, 2, 1}));
}

TEST_F(SectorAccessTest, SizeCodeIsPartOfTheId) {
  Load(DiskBuilder()
           .Add(16, MakeRecord(16, 1, 256))
           .Add(16, {8, 0, 1, 2, SectorData(99, 1, 512), {}})
           .Build());
  EXPECT_EQ(Sector(16, 1, 1024, 1), SectorData(16, 1));
  EXPECT_EQ(Sector(16, 1, 1024, 2), SectorData(99, 1, 512));
  EXPECT_EQ(Run(16, 1, 512, 2), SectorData(99, 1, 512));
}

TEST_F(SectorAccessTest, TrackEntriesUpToDiskSizeAreUsable) {
  DiskBuilder disk = DiskBuilder().AddSide(16, 1, 1);
  const Bytes plain = disk.Build();
  const auto size = static_cast<std::uint32_t>(plain.size());
  // A track stored just past the disk, reachable only through its entry.
  const Bytes beyond = DiskBuilder().AddSide(17, 1, 1).Build();
  const Bytes track17(beyond.begin() + 0x2B0, beyond.end());
  Load(Concat({disk.DiskSize(size).TrackOffset(17, size).TrackOffset(18, size + 1).Build(), track17,
               track17}));
  EXPECT_EQ(Sector(16, 1), SectorData(16, 1));
  EXPECT_EQ(Sector(17, 1), SectorData(17, 1));
  EXPECT_EQ(Ids(18), Bytes{});
  EXPECT_EQ(Ids(0), Bytes{});
}

TEST_F(SectorAccessTest, CutImagesGiveWhatArrived) {
  const Bytes whole = MusicDisk().Build();
  // Cut inside the last sector's data: what arrived, and not a whole sector.
  Load(Bytes(whole.begin(), whole.end() - 56));
  EXPECT_EQ(Sector(18, 10), Prefix(SectorData(18, 10), 200));
  EXPECT_EQ(Run(18, 9, 512), Sectors(18, 9, 9));
  // Cut inside the last record's header.
  Load(Bytes(whole.begin(), whole.end() - 256 - 8));
  EXPECT_EQ(Sector(18, 10), Bytes{});
  EXPECT_EQ(Ids(18).size(), 36u);
}

TEST_F(SectorAccessTest, OutOfRangeArgumentsAndOffsetsReadNothing) {
  const Bytes second = DiskBuilder()
                           .AddSide(0, 1, 1)
                           .DiskSize(0x7FFFFFFF)
                           .TrackOffset(1, 0x7FFFFFF0)
                           .TrackOffset(2, 0x80000000)
                           .Build();
  Load(Concat({MusicDisk().Build(), second}));
  Bytes dest(512);
  EXPECT_EQ(image_.ReadSector(16, 8, 0, 1, 1, dest.data(), -1), 0);
  EXPECT_EQ(image_.ReadSectorRun(16, 8, 0, 1, 1, dest.data(), -1), 0);
  EXPECT_EQ(image_.ReadSectorRun(16, 8, 0, 1, -1, dest.data(), 256), 0);
  EXPECT_EQ(image_.ReadSectorRun(16, 8, 0, 1, 24, dest.data(), 256), 0);
  EXPECT_EQ(image_.ReadTrackIds(16, dest.data(), -4), 0);
  EXPECT_EQ(Sector(-1, 1), Bytes{});
  EXPECT_EQ(Sector(164, 1), Bytes{});

  ASSERT_TRUE(image_.SelectDisk(1));
  EXPECT_EQ(Sector(0, 1), SectorData(0, 1));
  EXPECT_EQ(Ids(1), Bytes{});  // base + entry passes 2^31 - 1
  EXPECT_EQ(Ids(2), Bytes{});  // a negative entry

  // A failed selection leaves nothing to read, though the table stays.
  EXPECT_FALSE(image_.SelectDisk(2));
  EXPECT_EQ(Sector(0, 1), Bytes{});
  d88::D88Image fresh;
  EXPECT_EQ(fresh.ReadSectorRun(16, 8, 0, 1, 1, dest.data(), 256), 0);
}

}  // namespace
}  // namespace d88test
