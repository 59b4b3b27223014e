// The D88 floppy-disk image format, as far as this tool reads it.
//
// An image file holds one or more disk images back to back; each starts where
// the previous one ends (its start plus its disk_size). All multi-byte fields
// are little-endian.
//
// Disk header, 0x2B0 bytes, at the start of each disk image:
//   0x00  16 bytes   disk name, NUL-padded (not necessarily NUL-terminated)
//   0x10  10 bytes   (not interpreted)
//   0x1A   1 byte    write protect: 0x10 protected (d88ls shows it)
//   0x1B   1 byte    media type: 0x00 2D, 0x10 2DD, 0x20 2HD, 0x30 1D, 0x40 1DD
//   0x1C   4 bytes   disk_size: this disk image's size, header included
//   0x20 164 x 4     track table: offset of each track's first sector record
//                    from the start of the disk image; 0 = no track.
//                    Track index = cylinder * 2 + head.
//
// A track is a run of sector records, each a 16-byte header and its data:
//   0x00   C H R N   the sector ID; N is the size code (128 << N bytes)
//   0x04   2 bytes   sector_count: records on this track (in every record)
//   0x06   1 byte    density: 0x00 double, 0x40 single, 0x01 high
//   0x07   1 byte    deleted-data mark: 0x10 deleted
//   0x08   1 byte    controller status when the disk was read: 0x00 normal,
//                    0x10 deleted data, 0xA0 ID CRC error, 0xB0 data CRC
//                    error, 0xE0 no address mark, 0xF0 no data mark
//   0x09   5 bytes   (not interpreted)
//   0x0E   2 bytes   data_size: bytes of data that follow this header
//   0x10   data_size bytes of data
// Records may be stored in any order; a sector is known by its ID only. The
// flags (write protect, density, deleted mark, status) are only listed:
// d88cut cuts what is stored, whatever they say.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

namespace d88 {

// Disk header.
inline constexpr std::size_t kDiskNameOffset = 0x00;
inline constexpr std::size_t kDiskNameSize = 16;
inline constexpr std::size_t kWriteProtectOffset = 0x1A;
inline constexpr std::size_t kMediaTypeOffset = 0x1B;
inline constexpr std::size_t kDiskSizeOffset = 0x1C;
inline constexpr std::size_t kTrackTableOffset = 0x20;
inline constexpr std::size_t kTrackEntrySize = 4;
inline constexpr int kTrackCount = 164;
inline constexpr std::size_t kDiskHeaderSize = 0x2B0;
static_assert(kTrackTableOffset + kTrackCount * kTrackEntrySize == kDiskHeaderSize);

// A track index is cylinder * 2 + head: a double-sided disk's track sides in
// order, head 0 then head 1 of each cylinder.
constexpr int TrackIndex(int cylinder, int head) {
  return cylinder * 2 + head;
}
constexpr int CylinderOf(int track) {
  return track >> 1;
}
constexpr int HeadOf(int track) {
  return track & 1;
}

// Some writers keep a track table of 160 entries and start the first track
// at 0x2A0, where the last four entries would be: the first 160 entries are
// those of tracks on every disk, and no track starts before 0x2A0.
inline constexpr int kTracksInEveryTable = 160;
inline constexpr std::size_t kShortDiskHeaderSize = 0x2A0;
static_assert(kTrackTableOffset + kTracksInEveryTable * kTrackEntrySize == kShortDiskHeaderSize);

// Values of the write-protect and media-type bytes.
inline constexpr int kWriteProtected = 0x10;
inline constexpr int kMedia2D = 0x00;
inline constexpr int kMedia2DD = 0x10;
inline constexpr int kMedia2HD = 0x20;
inline constexpr int kMedia1D = 0x30;
inline constexpr int kMedia1DD = 0x40;

// At most this many disk images are taken from one file.
inline constexpr int kMaxDisks = 64;

// Sector record header.
inline constexpr std::size_t kCylinderOffset = 0x00;
inline constexpr std::size_t kHeadOffset = 0x01;
inline constexpr std::size_t kRecordOffset = 0x02;
inline constexpr std::size_t kSizeCodeOffset = 0x03;
inline constexpr std::size_t kSectorCountOffset = 0x04;
inline constexpr std::size_t kDensityOffset = 0x06;
inline constexpr std::size_t kDeletedMarkOffset = 0x07;
inline constexpr std::size_t kStatusOffset = 0x08;
inline constexpr std::size_t kDataSizeOffset = 0x0E;
inline constexpr std::size_t kSectorHeaderSize = 0x10;

// Values of the density, deleted-mark and status bytes.
inline constexpr int kDoubleDensity = 0x00;
inline constexpr int kSingleDensity = 0x40;
inline constexpr int kHighDensity = 0x01;
inline constexpr int kDeletedMark = 0x10;
inline constexpr int kStatusNormal = 0x00;
inline constexpr int kStatusDeletedData = 0x10;
inline constexpr int kStatusIdCrcError = 0xA0;
inline constexpr int kStatusDataCrcError = 0xB0;
inline constexpr int kStatusNoAddressMark = 0xE0;
inline constexpr int kStatusNoDataMark = 0xF0;

// One sector ID as listed by ReadTrackIds: C, H, R, N.
inline constexpr std::size_t kSectorIdSize = 4;

// A sector of size code N nominally holds kSizeCodeBase << N bytes; runs
// take size codes up to kMaxSizeCode, whose sector size is still an int.
inline constexpr int kSizeCodeBase = 128;
inline constexpr int kMaxSizeCode = 23;
static_assert((std::int64_t{kSizeCodeBase} << kMaxSizeCode) <= std::numeric_limits<int>::max() &&
              (std::int64_t{kSizeCodeBase} << (kMaxSizeCode + 1)) >
                  std::numeric_limits<int>::max());

// File positions are signed 32-bit: an image is usable up to 2^31 - 1 bytes.
inline constexpr std::int64_t kMaxFilePosition = std::numeric_limits<std::int32_t>::max();
constexpr bool IsFilePosition(std::int64_t position) {
  return position >= 0 && position <= kMaxFilePosition;
}

}  // namespace d88
