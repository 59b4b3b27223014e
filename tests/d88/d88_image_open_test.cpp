#include <gtest/gtest.h>

#include "d88/d88_image.h"
#include "tests/test_support.h"

namespace d88test {
namespace {

class OpenTest : public ::testing::Test {
 protected:
  bool Open(const Bytes& bytes) {
    const auto path = dir_ / std::to_string(files_++);  // a new file each time
    WriteFile(path, bytes);
    return image_.Open(path.string().c_str());
  }
  std::string Selected(int index) {
    return image_.SelectDisk(index) ? std::string(image_.DiskName()) : "(failed)";
  }

  ScratchDir dir_;
  int files_ = 0;
  d88::D88Image image_;
};

Bytes Named(const std::string& name, std::uint8_t media = 0,
            std::optional<std::uint32_t> size = {}) {
  return DiskBuilder{.name = name, .media_type = media, .disk_size = size}.Build();
}

TEST_F(OpenTest, FindsDisksBackToBack) {
  const Bytes first = DiskBuilder{.name = "FIRST"}.AddSide(0, 1, 2).Build();
  ASSERT_TRUE(Open(Concat({first, Named("SECOND", 0x10), Named("THIRD", 0x20), Bytes(100)})));
  EXPECT_EQ(image_.DiskCount(), 3);  // the fourth header is cut short
  EXPECT_EQ(image_.MediaType(), -1);
  EXPECT_EQ(Selected(2), "THIRD");
  EXPECT_EQ(image_.MediaType(), 0x20);
  EXPECT_EQ(Selected(1), "SECOND");
  EXPECT_EQ(Selected(3), "(failed)");
  EXPECT_EQ(image_.MediaType(), -1);
  EXPECT_EQ(image_.DiskName(), "");
  EXPECT_EQ(Selected(-1), "(failed)");

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
  std::vector<Bytes> disks;
  for (int i = 0; i < 70; ++i) disks.push_back(Named(std::to_string(i)));
  ASSERT_TRUE(Open(Concat(disks)));
  EXPECT_EQ(image_.DiskCount(), 64);
  EXPECT_EQ(Selected(63), "63");
  // A negative size, or one that takes the next disk past 2^31 - 1.
  for (std::uint32_t size : {0x80000000u, 0xFFFFFD50u, 0x7FFFFFFFu}) {
    ASSERT_TRUE(Open(Concat({Named("A", 0, size), Named("B")})));
    EXPECT_EQ(image_.DiskCount(), 1) << size;
  }
}

TEST_F(OpenTest, TakesTheNameUpToItsFirstNulOrSixteenBytes) {
  ASSERT_TRUE(Open(Concat({Named("ABCDEFGHIJKLMNOPQRS"), Named(std::string("AB\0CD", 5))})));
  EXPECT_EQ(Selected(0), "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(Selected(1), "AB");
}

TEST_F(OpenTest, NewFileOrCloseDropsTheSelection) {
  ASSERT_TRUE(Open(Named("OLD", 0x20)));
  EXPECT_EQ(Selected(0), "OLD");
  ASSERT_TRUE(Open(Named("NEW")));
  EXPECT_EQ(image_.DiskName(), "");
  EXPECT_EQ(image_.MediaType(), -1);
  EXPECT_EQ(Selected(0), "NEW");
  EXPECT_FALSE(image_.Open((dir_ / "missing").string().c_str()));
  EXPECT_FALSE(image_.Open(dir_.path().string().c_str()));  // a folder
  EXPECT_EQ(Selected(0), "(failed)");                       // the earlier file was closed

  ASSERT_TRUE(Open(Named("AGAIN")));
  EXPECT_TRUE(image_.Open(nullptr));
  EXPECT_EQ(image_.DiskCount(), 0);
  EXPECT_EQ(Selected(0), "(failed)");
}

}  // namespace
}  // namespace d88test
