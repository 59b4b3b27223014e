// The 16-byte header of a sector record, as the track walks read it.
#pragma once

#include <array>
#include <cstdint>

#include "d88/d88_format.h"
#include "d88/image_stream.h"
#include "d88/little_endian.h"

namespace d88 {

struct SectorRecordHeader {
  std::array<std::uint8_t, kSectorIdSize> id{};  // C, H, R, N
  int sector_count = 0;
  int data_size = 0;
  int density = 0;
  int deleted_mark = 0;
  int status = 0;

  bool HasId(int c, int h, int r, int n) const {
    return id[0] == c && id[1] == h && id[2] == r && id[3] == n;
  }
  // A track's walk is over after the record whose position in the walk
  // (from 0) is its own sector_count - 1.
  bool EndsWalkAt(int position) const { return position == sector_count - 1; }
};

// Reads the record header at the stream's position; false if it comes short.
inline bool ReadSectorRecordHeader(ImageStream& file, SectorRecordHeader& header) {
  std::array<std::uint8_t, kSectorHeaderSize> bytes;
  if (file.Read(bytes.data(), bytes.size()) != bytes.size()) return false;
  header.id = {bytes[kCylinderOffset], bytes[kHeadOffset], bytes[kRecordOffset],
               bytes[kSizeCodeOffset]};
  header.sector_count = ReadLe16(&bytes[kSectorCountOffset]);
  header.data_size = ReadLe16(&bytes[kDataSizeOffset]);
  header.density = bytes[kDensityOffset];
  header.deleted_mark = bytes[kDeletedMarkOffset];
  header.status = bytes[kStatusOffset];
  return true;
}

}  // namespace d88
