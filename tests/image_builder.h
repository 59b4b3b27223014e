// Builds D88 images in memory for the tests, and writes them to files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace d88test {

using Bytes = std::vector<std::uint8_t>;

struct Record {
  int c = 0, h = 0, r = 0, n = 1;
  Bytes data;
  std::optional<int> sector_count;  // default: the number of records on its track
};

// Recognisable contents of sector R of a track: track, R, then a pattern.
Bytes SectorData(int track, int r, std::size_t size = 256);

class DiskBuilder {
 public:
  DiskBuilder& Name(std::string_view name);
  DiskBuilder& Media(std::uint8_t media_type);
  DiskBuilder& Add(int track, Record record);
  // Sectors `first` to `last` of 256 bytes with the ID C = track / 2,
  // H = track % 2, N = 1, holding SectorData.
  DiskBuilder& AddSide(int track, int first, int last);
  // Stored values that override what Build works out.
  DiskBuilder& DiskSize(std::uint32_t size);
  DiskBuilder& TrackOffset(int track, std::uint32_t offset);

  Bytes Build() const;

 private:
  std::string name_;
  std::uint8_t media_type_ = 0;
  std::map<int, std::vector<Record>> tracks_;
  std::optional<std::uint32_t> disk_size_;
  std::map<int, std::uint32_t> track_offsets_;
};

// The tracks 15 to 18 of the music disk, holding R 2-16, 1-16, 1-16 and 1-10.
DiskBuilder MusicDisk();

Bytes Concat(const std::vector<Bytes>& parts);
void WriteFile(const std::filesystem::path& path, const Bytes& bytes);
Bytes ReadFile(const std::filesystem::path& path);

// A fresh, empty folder that is removed with everything in it.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }
  // The names in the folder, sorted.
  std::vector<std::string> List() const;

 private:
  std::filesystem::path path_;
};

}  // namespace d88test
