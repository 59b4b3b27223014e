// make_image: writes the D88 images that the sample and the benchmarks use.
//
//   make_image sample PATH   tracks 15 to 18 of the music disk, each sector
//                            holding lines that name its place on the disk
//   make_image 2d PATH       a whole 2D disk: 80 track sides of 16 sectors
//   make_image small PATH    two disks with a few sectors of every kind: runs
//                            across sides, odd sizes, a record that counts no
//                            records (a seed for the fuzzer)
//   make_image deep PATH     tracks 15 to 18 with 65,535 records each, the
//                            wanted sectors stored last
//   make_image hostile PATH  64 chained disks whose every track entry reaches
//                            one track of 65,536 records with alternating IDs
//                            (positive entries in disk 0, negative ones in
//                            the others): a listing bomb for d88ls
//   make_image shared PATH   64 chained disks whose every track walks one run
//                            of 1,024 records of 32 KiB (32 MiB)
//   make_image staggered PATH  the same, with track T of every disk starting
//                            T records into the run
//   make_image sparse PATH   a sparse 2 GiB file whose one disk claims all of
//                            it, with tracks 15 to 18 pointing into zeros
//   make_image endless PATH  a 2 GiB disk whose tracks 15 to 18 walk one run
//                            of empty records that never ends the walk: every
//                            sector looked up would read all of it
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/image_builder.h"

namespace {

using d88build::Bytes;
using d88build::DiskBuilder;

constexpr int kSectorSize = 256;
constexpr int kRecordsPerDeepTrack = 65535;

// "T16 C08 H0 R13 \n" over and over: 16 lines of 16 bytes.
Bytes LabelledSector(int track, int r) {
  char line[64];
  const int length =
      std::snprintf(line, sizeof line, "T%02d C%02d H%d R%02d \n", track, track / 2, track % 2, r);
  Bytes data;
  while (data.size() < kSectorSize) data.insert(data.end(), line, line + length);
  data.resize(kSectorSize);
  return data;
}

DiskBuilder Sample() {
  DiskBuilder disk = d88build::MusicDisk(LabelledSector);
  disk.name = "D88CUT SAMPLE";
  return disk;
}

DiskBuilder TwoD() {
  DiskBuilder disk{.name = "2D DISK"};
  for (int track = 0; track < 80; ++track) disk.AddSide(track, 1, 16);
  return disk;
}

d88build::Bytes Small() {
  DiskBuilder first{.name = "SMALL"};
  first.AddSide(17, 15, 16).AddSide(18, 1, 2);
  first.Add(3, {1, 1, 1, 0, d88build::SectorData(3, 1, 128), 0});
  first.Add(3, {1, 1, 2, 2, d88build::SectorData(3, 2, 40)});
  const Bytes second = DiskBuilder{.name = "SECOND", .media_type = 0x10}.AddSide(0, 1, 1).Build();
  return d88build::Concat({first.Build(), second});
}

DiskBuilder Deep() {
  DiskBuilder disk{.name = "DEEP TRACKS"};
  for (int track = 15; track <= 18; ++track) {
    // Records that match no wanted sector, each without data.
    for (int i = 0; i < kRecordsPerDeepTrack - 16; ++i) {
      disk.Add(track, {track / 2, track % 2, 0, 1, {}});
    }
    disk.AddSide(track, 1, 16);
  }
  return disk;
}

// Every entry of every disk's track table reaches disk 0's one track, which
// starts right after its header. The records count no sectors, so that no
// walk ends before the file does.
Bytes Hostile() {
  constexpr int kRecords = 65536;
  constexpr std::uint32_t kHeaderSize = 0x2B0;
  DiskBuilder first{.name = "HOSTILE"};
  for (int i = 0; i < kRecords; ++i) first.Add(0, {0, 0, 1 + i % 2, 1, {}, 0});
  for (int track = 1; track < 164; ++track) first.track_offsets[track] = kHeaderSize;
  std::vector<Bytes> disks = {first.Build()};
  std::uint32_t start = static_cast<std::uint32_t>(disks[0].size());
  for (int disk = 1; disk < 64; ++disk, start += kHeaderSize) {
    DiskBuilder next{.name = "HOSTILE " + std::to_string(disk)};
    for (int track = 0; track < 164; ++track) next.track_offsets[track] = kHeaderSize - start;
    disks.push_back(next.Build());
  }
  return d88build::Concat(disks);
}

// A disk header claiming 2^31 - 1 bytes, then nothing but a hole.
void WriteSparse(const char* path) {
  constexpr std::uint32_t kSize = 0x7FFFFFFF;
  DiskBuilder disk{.name = "SPARSE", .disk_size = kSize};
  for (int track = 15; track <= 18; ++track)
    disk.track_offsets[track] = 0x10000000u * static_cast<std::uint32_t>(track - 14);
  d88build::WriteFile(path, disk.Build());
  std::filesystem::resize_file(path, kSize);
}

// Tracks 15 to 18 start at the first record after the header; every record
// is a 16-byte header without data that matches no wanted sector, and none
// ends the walk (its position is never its count less one).
void WriteEndless(const char* path) {
  constexpr std::uint32_t kSize = 0x7FFFFFFF;
  constexpr std::size_t kRecordSize = 16;
  DiskBuilder disk{.name = "ENDLESS", .disk_size = kSize};
  for (int track = 15; track <= 18; ++track) disk.track_offsets[track] = 0x2B0;
  std::ofstream out(path, std::ios::binary);
  const Bytes header = disk.Build();
  out.write(reinterpret_cast<const char*>(header.data()),
            static_cast<std::streamsize>(header.size()));
  Bytes records(1 << 20);
  for (std::size_t at = 0; at < records.size(); at += kRecordSize) {
    records[at + 3] = 1;  // N
    records[at + 4] = 1;  // sector_count: a walk ends at position 0 only...
  }
  records[4] = 2;  // ...which counts 2
  for (std::uint64_t written = header.size(); written < kSize; written += records.size()) {
    const auto part =
        static_cast<std::streamsize>(std::min<std::uint64_t>(records.size(), kSize - written));
    out.write(reinterpret_cast<const char*>(records.data()), part);
    records[4] = 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs(
        "Usage: make_image sample|2d|small|deep|hostile|shared|staggered|sparse|endless PATH\n",
        stderr);
    return 1;
  }
  const std::string kind = argv[1];
  DiskBuilder disk;
  if (kind == "small" || kind == "hostile") {
    d88build::WriteFile(argv[2], kind == "small" ? Small() : Hostile());
    return 0;
  }
  if (kind == "shared" || kind == "staggered") {
    d88build::WriteFile(argv[2], d88build::SharedRun(1024, kind == "shared" ? 0 : 1));
    return 0;
  }
  if (kind == "sparse" || kind == "endless") {
    (kind == "sparse" ? WriteSparse : WriteEndless)(argv[2]);
    return 0;
  }
  if (kind == "sample") {
    disk = Sample();
  } else if (kind == "2d") {
    disk = TwoD();
  } else if (kind == "deep") {
    disk = Deep();
  } else {
    std::fprintf(stderr, "make_image: no image kind '%s'\n", argv[1]);
    return 1;
  }
  d88build::WriteFile(argv[2], disk.Build());
  return 0;
}
