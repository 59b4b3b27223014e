#include <gtest/gtest.h>

#include <string>

#include "d88/d88_image.h"
#include "tests/image_builder.h"

namespace d88test {
namespace {

class OpenTest : public ::testing::Test {
 protected:
  std::string Write(const Bytes& bytes) {
    const auto path = dir_ / ("image" + std::to_string(files_++) + ".d88");
    WriteFile(path, bytes);
    return path.string();
  }
  bool Open(const Bytes& bytes) { return image_.Open(Write(bytes).c_str()); }

  ScratchDir dir_;
  int files_ = 0;
  d88::D88Image image_;
};

TEST_F(OpenTest, FindsDisksBackToBackAndSelectsEach) {
  const Bytes first = DiskBuilder().Name("FIRST").Media(0x00).AddSide(0, 1, 2).Build();
  const Bytes second = DiskBuilder().Name("SECOND").Media(0x10).Build();
  const Bytes third = DiskBuilder().Name("THIRD").Media(0x20).AddSide(5, 1, 1).Build();
  ASSERT_TRUE(Open(Concat({first, second, third, Bytes(100)})));  // a cut-off fourth header
  EXPECT_EQ(image_.DiskCount(), 3);
  EXPECT_EQ(image_.MediaType(), -1);
  EXPECT_EQ(image_.DiskName(), "");

  ASSERT_TRUE(image_.SelectDisk(2));
  EXPECT_EQ(image_.DiskName(), "THIRD");
  EXPECT_EQ(image_.MediaType(), 0x20);
  ASSERT_TRUE(image_.SelectDisk(1));
  EXPECT_EQ(image_.DiskName(), "SECOND");
  EXPECT_EQ(image_.MediaType(), 0x10);

  for (int index : {3, -1}) {
    EXPECT_FALSE(image_.SelectDisk(index));
    EXPECT_EQ(image_.MediaType(), -1);
    EXPECT_EQ(image_.DiskName(), "");
  }
}

TEST_F(OpenTest, CountsNoDiskInFilesShorterThanAHeader) {
  for (const Bytes& bytes : {Bytes{}, Bytes(687)}) {
    ASSERT_TRUE(Open(bytes));
    EXPECT_EQ(image_.DiskCount(), 0);
    EXPECT_FALSE(image_.SelectDisk(0));
  }
}

TEST_F(OpenTest, TakesAtMostSixtyFourDisks) {
  // disk_size 0 reads the same header again: 64 disks, all at offset 0.
  ASSERT_TRUE(Open(DiskBuilder().Name("ZERO").DiskSize(0).Build()));
  EXPECT_EQ(image_.DiskCount(), 64);
  ASSERT_TRUE(image_.SelectDisk(63));
  EXPECT_EQ(image_.DiskName(), "ZERO");

  std::vector<Bytes> disks;
  for (int i = 0; i < 70; ++i) disks.push_back(DiskBuilder().Name(std::to_string(i)).Build());
  ASSERT_TRUE(Open(Concat(disks)));
  EXPECT_EQ(image_.DiskCount(), 64);
  ASSERT_TRUE(image_.SelectDisk(63));
  EXPECT_EQ(image_.DiskName(), "63");
}

TEST_F(OpenTest, EndsTheScanAtAnOffsetBeyondTwoGigabytes) {
  // 0x80000000 is a negative size; 0x7FFFFFFF passes the last file position.
  for (std::uint32_t size : {0x80000000u, 0xFFFFFD50u, 0x7FFFFFFFu}) {
    const Bytes disk = DiskBuilder().DiskSize(size).Build();
    ASSERT_TRUE(Open(Concat({disk, disk})));
    EXPECT_EQ(image_.DiskCount(), 1) << size;
  }
}

TEST_F(OpenTest, TakesTheNameUpToItsFirstNulOrSixteenBytes) {
  ASSERT_TRUE(Open(DiskBuilder().Name("ABCDEFGHIJKLMNOPQRS").Build()));
  ASSERT_TRUE(image_.SelectDisk(0));
  EXPECT_EQ(image_.DiskName(), "ABCDEFGHIJKLMNOP");

  ASSERT_TRUE(Open(DiskBuilder().Name(std::string_view("AB\0CD\x81\x40", 7)).Build()));
  ASSERT_TRUE(image_.SelectDisk(0));
  EXPECT_EQ(image_.DiskName(), "AB");
}

TEST_F(OpenTest, FailsOnWhatCannotBeReadAsAFile) {
  ASSERT_TRUE(Open(DiskBuilder().Name("KEPT").Build()));
  EXPECT_FALSE(image_.Open((dir_ / "missing.d88").string().c_str()));
  EXPECT_FALSE(image_.Open(dir_.path().string().c_str()));
  EXPECT_FALSE(image_.SelectDisk(0));  // the earlier file was closed
}

TEST_F(OpenTest, NewFileOrCloseDropsTheSelection) {
  ASSERT_TRUE(Open(DiskBuilder().Name("OLD").Media(0x20).Build()));
  ASSERT_TRUE(image_.SelectDisk(0));
  ASSERT_TRUE(Open(DiskBuilder().Name("NEW").Build()));
  EXPECT_EQ(image_.DiskName(), "");
  EXPECT_EQ(image_.MediaType(), -1);
  ASSERT_TRUE(image_.SelectDisk(0));
  EXPECT_EQ(image_.DiskName(), "NEW");

  EXPECT_TRUE(image_.Open(nullptr));
  EXPECT_EQ(image_.DiskCount(), 0);
  EXPECT_EQ(image_.MediaType(), -1);
  EXPECT_FALSE(image_.SelectDisk(0));
}

}  // namespace
}  // namespace d88test
