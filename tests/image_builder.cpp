#include "tests/image_builder.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>

#include "d88/d88_format.h"

namespace d88test {

namespace {

void PutLe(Bytes& bytes, std::size_t at, std::uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

Bytes SectorData(int track, int r, std::size_t size) {
  Bytes data(size);
  for (std::size_t i = 0; i < size; ++i)
    data[i] = static_cast<std::uint8_t>(track * 31 + r * 7 + i);
  if (size >= 2) {
    data[0] = static_cast<std::uint8_t>(track);
    data[1] = static_cast<std::uint8_t>(r);
  }
  return data;
}

DiskBuilder& DiskBuilder::Name(std::string_view name) {
  name_ = name;
  return *this;
}

DiskBuilder& DiskBuilder::Media(std::uint8_t media_type) {
  media_type_ = media_type;
  return *this;
}

DiskBuilder& DiskBuilder::Add(int track, Record record) {
  tracks_[track].push_back(std::move(record));
  return *this;
}

DiskBuilder& DiskBuilder::AddSide(int track, int first, int last) {
  for (int r = first; r <= last; ++r) {
    Add(track, {track / 2, track % 2, r, 1, SectorData(track, r), std::nullopt});
  }
  return *this;
}

DiskBuilder& DiskBuilder::DiskSize(std::uint32_t size) {
  disk_size_ = size;
  return *this;
}

DiskBuilder& DiskBuilder::TrackOffset(int track, std::uint32_t offset) {
  track_offsets_[track] = offset;
  return *this;
}

Bytes DiskBuilder::Build() const {
  using namespace d88;
  Bytes image(kDiskHeaderSize);
  std::copy_n(name_.begin(), std::min(name_.size(), kDiskNameSize), image.begin());
  image[kMediaTypeOffset] = media_type_;
  for (const auto& [track, records] : tracks_) {
    PutLe(image, kTrackTableOffset + track * kTrackEntrySize, image.size(), 4);
    for (const Record& record : records) {
      const std::size_t at = image.size();
      image.resize(at + kSectorHeaderSize);
      image[at + kCylinderOffset] = static_cast<std::uint8_t>(record.c);
      image[at + kHeadOffset] = static_cast<std::uint8_t>(record.h);
      image[at + kRecordOffset] = static_cast<std::uint8_t>(record.r);
      image[at + kSizeCodeOffset] = static_cast<std::uint8_t>(record.n);
      PutLe(image, at + kSectorCountOffset, record.sector_count.value_or(records.size()), 2);
      PutLe(image, at + kDataSizeOffset, record.data.size(), 2);
      image.insert(image.end(), record.data.begin(), record.data.end());
    }
  }
  for (const auto& [track, offset] : track_offsets_) {
    PutLe(image, kTrackTableOffset + track * kTrackEntrySize, offset, 4);
  }
  PutLe(image, kDiskSizeOffset, disk_size_.value_or(image.size()), 4);
  return image;
}

DiskBuilder MusicDisk() {
  DiskBuilder disk;
  disk.AddSide(15, 2, 16).AddSide(16, 1, 16).AddSide(17, 1, 16).AddSide(18, 1, 10);
  return disk;
}

Bytes Concat(const std::vector<Bytes>& parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ScratchDir::ScratchDir() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path_ = std::filesystem::temp_directory_path() /
          ("d88test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> ScratchDir::List() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace d88test
