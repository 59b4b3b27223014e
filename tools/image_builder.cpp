#include "tools/image_builder.h"

#include <algorithm>
#include <fstream>

namespace d88build {

namespace {

// The D88 layout, spelled out here from the format's description and not
// taken from the reader's constants, so that a wrong constant in the reader
// makes images it cannot read.
constexpr std::size_t kWriteProtectAt = 0x1A;
constexpr std::size_t kMediaTypeAt = 0x1B;
constexpr std::size_t kDiskSizeAt = 0x1C;
constexpr std::size_t kTrackTableAt = 0x20;
constexpr std::size_t kHeaderSize = 0x2B0;  // 0x20 + 164 entries of 4 bytes
constexpr std::size_t kSectorCountAt = 0x04;
constexpr std::size_t kDensityAt = 0x06;
constexpr std::size_t kDeletedMarkAt = 0x07;
constexpr std::size_t kStatusAt = 0x08;
constexpr std::size_t kDataSizeAt = 0x0E;
constexpr std::size_t kRecordHeaderSize = 0x10;

void PutLe(Bytes& bytes, std::size_t at, std::size_t value, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i)
    bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::size_t TrackEntryAt(int track) {
  return kTrackTableAt + static_cast<std::size_t>(track) * 4;
}

}  // namespace

Bytes SectorData(int track, int r, std::size_t size) {
  Bytes data(size);
  for (std::size_t i = 0; i < size; ++i)
    data[i] = static_cast<std::uint8_t>(track * 31 + r * 7 + static_cast<int>(i));
  if (size >= 2) data[0] = static_cast<std::uint8_t>(track), data[1] = static_cast<std::uint8_t>(r);
  return data;
}

DiskBuilder& DiskBuilder::Add(int track, Record record) {
  tracks[track].push_back(std::move(record));
  return *this;
}

DiskBuilder& DiskBuilder::AddSide(int track, int first, int last, SectorFill fill) {
  for (int r = first; r <= last; ++r) {
    Add(track, {track / 2, track % 2, r, 1, fill ? fill(track, r) : SectorData(track, r)});
  }
  return *this;
}

Bytes DiskBuilder::Build() const {
  Bytes image(kHeaderSize);
  // A name longer than 16 bytes runs on into the bytes after it.
  std::copy_n(name.begin(), std::min(name.size(), kWriteProtectAt), image.begin());
  image[kWriteProtectAt] = write_protect;
  image[kMediaTypeAt] = media_type;
  for (const auto& [track, records] : tracks) {
    PutLe(image, TrackEntryAt(track), image.size(), 4);
    for (const Record& record : records) {
      const std::size_t at = image.size();
      image.resize(at + kRecordHeaderSize);
      for (std::size_t i = 0; const int byte : {record.c, record.h, record.r, record.n}) {
        image[at + i++] = static_cast<std::uint8_t>(byte);  // the ID: C, H, R, N
      }
      const int count = record.sector_count.value_or(static_cast<int>(records.size()));
      PutLe(image, at + kSectorCountAt, static_cast<std::size_t>(count), 2);
      image[at + kDensityAt] = record.density;
      image[at + kDeletedMarkAt] = record.deleted_mark;
      image[at + kStatusAt] = record.status;
      PutLe(image, at + kDataSizeAt, record.data.size(), 2);
      image.insert(image.end(), record.data.begin(), record.data.end());
    }
  }
  for (const auto& [track, offset] : track_offsets) PutLe(image, TrackEntryAt(track), offset, 4);
  PutLe(image, kDiskSizeAt, disk_size.value_or(image.size()), 4);
  return image;
}

DiskBuilder MusicDisk(SectorFill fill) {
  DiskBuilder disk;
  disk.AddSide(15, 2, 16, fill).AddSide(16, 1, 16, fill).AddSide(17, 1, 16, fill);
  return disk.AddSide(18, 1, 10, fill);
}

Bytes SharedRun(int records, int stagger) {
  constexpr std::uint32_t kRecordSize = 32 * 1024;
  DiskBuilder first{.name = "SHARED RUN"};
  for (int i = 0; i < records; ++i) {
    first.Add(0, {0, 0, 1 + i % 2, 1, Bytes(kRecordSize - 16), 0});
  }
  auto track_start = [&](int track) {
    return static_cast<std::uint32_t>(kHeaderSize +
                                      static_cast<std::uint32_t>(track * stagger) * kRecordSize);
  };
  for (int track = 1; track < 164; ++track) first.track_offsets[track] = track_start(track);
  std::vector<Bytes> disks = {first.Build()};
  std::uint32_t start = static_cast<std::uint32_t>(disks[0].size());
  for (int disk = 1; disk < 64; ++disk, start += static_cast<std::uint32_t>(kHeaderSize)) {
    DiskBuilder next{.name = "SHARED RUN " + std::to_string(disk)};
    for (int track = 0; track < 164; ++track)
      next.track_offsets[track] = track_start(track) - start;
    disks.push_back(next.Build());
  }
  return Concat(disks);
}

Bytes Concat(const std::vector<Bytes>& parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

}  // namespace d88build
