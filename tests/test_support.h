// What the tests share: the image builder, scratch folders, and a reader on
// images of the builder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "d88/d88_image.h"
#include "tools/image_builder.h"

namespace d88test {

using namespace d88build;

Bytes ReadFile(const std::filesystem::path& path);

// A path in UTF-8, as the tools and the reader take it on every system.
std::string Utf8(const std::filesystem::path& path);

// SectorData of sectors `first` to `last` of a track, back to back; of the
// last one only its first `last_size` bytes.
Bytes Sectors(int track, int first, int last, std::size_t last_size = 256);

// A fresh, empty folder, removed with everything in it. Its name is not
// ASCII: every path the tests hand the tools is one that only UTF-8 (and
// UTF-16 on Windows) carries.
struct ScratchDir {
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  std::filesystem::path operator/(std::string_view name) const { return path / name; }
  std::vector<std::string> List() const;  // the names in it, sorted

  std::filesystem::path path;
};

// The open error: "ファイルをオープンできません." and a line feed, in Shift_JIS.
inline const std::string kOpenError =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x83\x49\x81\x5B\x83\x76"
    "\x83\x93\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x2E\x0A";

// What a reader tells of its file and its selected disk, each value named:
// "disks 1, file 688, disk_size 688, media -1, protect -1, name \"A\"".
std::string StateOf(const d88::D88Image& image);

// A reader on images written to a scratch folder, a new file each time.
class ReaderTest : public ::testing::Test {
 protected:
  bool Open(const Bytes& bytes);
  void Load(const Bytes& bytes) { ASSERT_TRUE(Open(bytes) && image_.SelectDisk(0)); }
  std::string Selected(int index);  // the disk's name, or "(failed)"
  std::string State() const { return StateOf(image_); }
  // What a run, a sector or a listing gave: as many bytes as it returned.
  Bytes Run(int track, int r, int total, int n = 1);
  Bytes Read(int track, int r, int limit = 256, int n = 1);
  Bytes Ids(int track, int limit = 1024);

  ScratchDir dir_;
  d88::D88Image image_;
  std::filesystem::path path_;
  int files_ = 0;
};

}  // namespace d88test
