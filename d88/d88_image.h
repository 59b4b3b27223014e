// D88Image: one D88 image file held open, the disk images found in it, and the
// header and track table of the selected disk image, against which sectors are
// found by their ID bytes. Failures are return values; nothing is printed.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "d88/d88_format.h"
#include "d88/image_stream.h"
#include "d88/run_position.h"
#include "d88/sector_location.h"
#include "d88/sector_record.h"

namespace d88 {

class D88Image {
 public:
  D88Image() = default;
  D88Image(const D88Image&) = delete;
  D88Image& operator=(const D88Image&) = delete;

  // With a path (UTF-8 on Windows): opens the image file (closing any earlier
  // one, and dropping any selection) and finds the disk images in it. False
  // when the file cannot be opened or is not a regular file, with the reason
  // in `error`; true otherwise, even when it holds no disk image. The open
  // never waits (for a FIFO's writer, say).
  // With a null path: closes the file; returns true.
  bool Open(const char* path, std::error_code& error);
  bool Open(const char* path) {
    std::error_code ignored;
    return Open(path, ignored);
  }

  // Makes disk image `index` (from 0, in file order) the selected one. On
  // failure nothing is selected afterwards, if the file is open.
  bool SelectDisk(int index);

  // Sector numbers R of the first and last sector of a track side; a run of
  // sectors moves to the next track side after `last`.
  void SetSectorRange(int first, int last);

  int DiskCount() const { return disk_count; }
  // The selected disk's name, up to its first NUL (at most 16 bytes).
  std::string_view DiskName() const { return disk_name.data(); }
  // The selected disk's media type byte; -1 while nothing is selected.
  int MediaType() const { return media_type; }
  // The selected disk's write-protect byte; -1 while nothing is selected.
  int WriteProtect() const { return write_protect; }
  // Where disk image `index` starts in the file; -1 for no such disk.
  std::int64_t DiskOffset(int index) const {
    return index >= 0 && index < disk_count ? disk_offsets[static_cast<std::size_t>(index)] : -1;
  }
  // The open file's size in bytes; 0 while no file is open.
  std::int64_t FileSize() const { return file.Size(); }
  // Which file the open image is (no other name is ever written over it).
  const platform::FileIdentity& Identity() const { return file.Identity(); }
  // The first read of the image file that failed (the system refused it, or
  // the file had become shorter than when it was opened) since it was
  // opened; none (false) otherwise. A read that met it gave what it got.
  std::error_code ReadError() const { return file.Error(); }
  // The most bytes fetched from each image file opened from now on; past
  // them every read that needs more fails (see ImageStream::SetBudget).
  void SetReadingBudget(std::int64_t bytes) { file.SetBudget(bytes); }
  // The selected disk's disk_size as stored (signed); 0 while nothing is
  // selected.
  int DiskSize() const { return disk_size; }

  // The selected disk's track table entry of `track` (0 to 163) as stored
  // (signed).
  std::int32_t TrackEntry(int track) const {
    return track_offsets[static_cast<std::size_t>(track)];
  }

  // Where the first sector record of `track` stands in the file; -1 when the
  // track is not there on the selected disk. Two tracks that start at one
  // place list the same records.
  std::int64_t TrackStart(int track) const;

  // Finds sector (c, h, r, n) on track `track` (cylinder * 2 + head) of the
  // selected disk and copies up to `limit` bytes of its data to `dest`.
  // Returns the bytes copied: 0 when the sector is not there.
  int ReadSector(int track, int c, int h, int r, int n, std::uint8_t* dest, int limit);

  // Reads `total` bytes from sector (c, h, r, n) of `track` on: R rises to the
  // last sector of the side, then the run goes on at the first sector of the
  // next track side. Returns the bytes of the pieces it took (see RunPiece)
  // before the first it did not; `dest` also holds what that one's sector
  // has, if it is there. Each piece goes to `observe(piece)` as the run meets
  // it (a whole sector each, the last maybe only the rest of `total`), the
  // one it stops at included.
  template <typename Observe>
  int ReadSectorRun(int track, int c, int h, int r, int n, std::uint8_t* dest, int total,
                    Observe observe) {
    if (n < 0 || n > kMaxSizeCode) return 0;
    const int sector_size = kSizeCodeBase << n;
    int done = 0;
    for (RunPosition at{track, c, h, r}; done < total;
         at = NextInRun(at, first_sector, last_sector)) {
      const RunPiece piece{at, done, std::min(sector_size, total - done),
                           LocateSector(at.track, at.c, at.h, at.r, n)};
      observe(piece);
      if (!ReadPiece(piece, dest) || !piece.Taken()) break;
      done += piece.size;
    }
    return done;
  }
  int ReadSectorRun(int track, int c, int h, int r, int n, std::uint8_t* dest, int total) {
    return ReadSectorRun(track, c, h, r, n, dest, total, [](const RunPiece&) {});
  }

  // Writes the ID (C, H, R, N) of each sector record of `track`, in storage
  // order, to `dest`, up to `limit` bytes. Returns the bytes written.
  int ReadTrackIds(int track, std::uint8_t* dest, int limit);

  // Where sector (c, h, r, n) stands on `track` of the selected disk, as
  // ReadSector's walk meets it: the walk ends at a record that counts no
  // sectors (before its ID is compared), or after the record whose position
  // is its own sector_count - 1. A search past that end looks at no more than
  // kMaxSearchedPastWalkEnd records after it. See SectorLocation.
  SectorLocation LocateSector(int track, int c, int h, int r, int n,
                              Search search = Search::kWithinWalk);

  // Hands each sector record of `track` to `visit(header, position)` as
  // ReadTrackIds lists them, in storage order: the listing ends after the
  // record whose position is its own sector_count - 1 (one that counts no
  // sectors does not end it), when a header comes short, or when `visit`
  // returns false.
  template <typename Visit>
  void ListTrack(int track, Visit visit) {
    WalkRecords(track, [&](const SectorRecordHeader& record, int position) {
      return visit(record, position) && !record.EndsWalkAt(position);
    });
  }

 private:
  // Reads the sector records of `track` in storage order: reads each header,
  // hands it to `visit(header, position)` (position from 0) and moves over
  // its data. Stops when `visit` returns false (the stream then stands at
  // that record's data), when a header comes short or when a move leaves the
  // file positions. A track that is not there has no record to visit.
  template <typename Visit>
  void WalkRecords(int track, Visit visit) {
    if (!SeekTrack(track)) return;
    SectorRecordHeader record;
    for (int position = 0; ReadSectorRecordHeader(file, record); ++position) {
      if (!visit(record, position) || !file.Skip(record.data_size)) break;
    }
  }

  // Copies the data of the piece's sector to its place in `dest`, as far as
  // the sector and the piece go; false when the file gave less.
  bool ReadPiece(const RunPiece& piece, std::uint8_t* dest);
  void ClearSelection();
  // Moves the stream to the first record of `track`; false when the track
  // is not there on the selected disk.
  bool SeekTrack(int track) {
    const std::int64_t start = TrackStart(track);
    return start >= 0 && file.Seek(start);
  }

  ImageStream file;
  std::int32_t disk_count = 0;
  std::int32_t first_sector = 1;
  std::int32_t last_sector = 16;
  std::array<std::int32_t, kMaxDisks> disk_offsets{};
  std::int32_t disk_size = 0;
  std::int32_t disk_base = 0;
  std::array<std::int32_t, kTrackCount> track_offsets{};
  std::int32_t media_type = -1;
  std::int32_t write_protect = -1;
  std::array<char, kDiskNameSize + 1> disk_name{};
};

}  // namespace d88
