// Builds D88 images in memory: the tests' images, the bundled sample and the
// benchmark images.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace d88build {

using Bytes = std::vector<std::uint8_t>;

struct Record {
  int c = 0, h = 0, r = 0, n = 1;
  Bytes data{};
  std::optional<int> sector_count = {};  // default: the records on its track
  std::uint8_t density = 0, deleted_mark = 0, status = 0;
};

// Recognisable contents of sector R of a track: track, R, then a pattern.
Bytes SectorData(int track, int r, std::size_t size = 256);
using SectorFill = Bytes (*)(int track, int r);

struct DiskBuilder {
  std::string name{};
  std::uint8_t media_type = 0;
  std::uint8_t write_protect = 0;
  std::map<int, std::vector<Record>> tracks{};  // in storage order
  // Stored values that override what Build works out.
  std::optional<std::uint32_t> disk_size{};
  std::map<int, std::uint32_t> track_offsets{};

  DiskBuilder& Add(int track, Record record);
  // Sectors `first` to `last` of 256 bytes with the ID C = track / 2,
  // H = track % 2, N = 1.
  DiskBuilder& AddSide(int track, int first, int last, SectorFill fill = nullptr);
  Bytes Build() const;
};

// Tracks 15 to 18 of the music disk, holding R 2-16, 1-16, 1-16 and 1-10.
DiskBuilder MusicDisk(SectorFill fill = nullptr);

// 64 disks, disk 0 holding a run of `records` records of 32 KiB that count
// no sectors, so that no walk ends before the file does; every track of
// every disk starts in that run, `stagger` records further for each track
// index.
Bytes SharedRun(int records, int stagger);

Bytes Concat(const std::vector<Bytes>& parts);
void WriteFile(const std::filesystem::path& path, const Bytes& bytes);

}  // namespace d88build
