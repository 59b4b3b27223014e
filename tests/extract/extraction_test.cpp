// The fourteen cuts, end to end: the built tool run in a fresh folder.
#include <gtest/gtest.h>

#include "tests/test_support.h"

namespace d88test {
namespace {

TEST(Extraction, CutsTheFourteenFilesInOrder) {
  const ScratchDir work;
  WriteFile(work / "music.d88", MusicDisk().Build());
  WriteFile(work / "MUS00", Bytes(5000, 0xEE));  // replaced whole
  const ToolRun run = RunTool(work.path(), {"music.d88"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, Progress(kOrder));
  EXPECT_EQ(run.err, "");
  const std::size_t sizes[] = {3328, 768, 1792, 1280, 768, 1792, 512,
                               2048, 256, 256,  256,  256, 256,  4864};
  for (std::size_t i = 0; i < kOrder.size(); ++i)
    EXPECT_EQ(ReadFile(work / kOrder[i]).size(), sizes[i]);
  EXPECT_EQ(ReadFile(work / "DRIVER"), Concat({Sectors(17, 14, 16), Sectors(18, 1, 10)}));
  EXPECT_EQ(ReadFile(work / "MUS00"), Sectors(15, 5, 11));
  EXPECT_EQ(ReadFile(work / "MUS05"), Concat({Sectors(16, 13, 16), Sectors(17, 1, 4)}));
  EXPECT_EQ(ReadFile(work / "MUS08"), SectorData(17, 1));
  EXPECT_EQ(ReadFile(work / "MUS09"), SectorData(17, 2));
  EXPECT_EQ(ReadFile(work / "MUS10"), SectorData(17, 4));
}

TEST(Extraction, SkipsRunsNotOnTheDiskAndZeroFillsBrokenOnes) {
  const ScratchDir work;
  // No track 15; track 16 lacks sector 6, three sectors into MUS03.
  DiskBuilder disk;
  disk.AddSide(16, 1, 5).AddSide(16, 7, 16).AddSide(17, 1, 16).AddSide(18, 1, 10);
  WriteFile(work / "music.d88", disk.Build());
  const ToolRun run = RunTool(work.path(), {"music.d88"});
  std::vector<std::string> cut = kOrder;
  std::erase_if(
      cut, [](const auto& name) { return name == "VOICE" || name == "MUS00" || name == "MUS01"; });
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, Progress(cut));
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(work.List().size(), cut.size() + 1);
  // Full length, and zeros where MUS02's third sector would otherwise stand.
  EXPECT_EQ(ReadFile(work / "MUS03"), Concat({Sectors(16, 4, 5), Bytes(1280, 0)}));
}

}  // namespace
}  // namespace d88test
