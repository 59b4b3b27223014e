#include "d88/d88_image.h"

#include <algorithm>

#include "d88/little_endian.h"

namespace d88 {

namespace {

using DiskHeader = std::array<std::uint8_t, kDiskHeaderSize>;

bool ReadDiskHeader(ImageStream& file, std::int64_t position, DiskHeader& header) {
  return file.Seek(position) && file.Read(header.data(), header.size()) == header.size();
}

}  // namespace

bool D88Image::Open(const char* path, std::error_code& error) {
  if (path == nullptr) {
    file.Close();
    disk_count = 0;
    media_type = -1;
    write_protect = -1;
    return true;
  }
  // A selection made on an earlier file never applies to this one.
  ClearSelection();
  if (!file.Open(path, error)) return false;

  disk_count = 0;
  std::int64_t offset = 0;
  DiskHeader header;
  while (disk_count < kMaxDisks) {
    // An offset outside the file positions ends the scan (Seek refuses it),
    // as a header that comes short does.
    if (!ReadDiskHeader(file, offset, header)) break;
    disk_offsets[static_cast<std::size_t>(disk_count)] = static_cast<std::int32_t>(offset);
    offset += ReadLe32Signed(&header[kDiskSizeOffset]);
    ++disk_count;
  }
  return true;
}

bool D88Image::SelectDisk(int index) {
  if (!file.IsOpen()) return false;
  ClearSelection();
  if (index < 0 || index >= disk_count) return false;

  DiskHeader header;
  disk_base = disk_offsets[static_cast<std::size_t>(index)];
  if (!ReadDiskHeader(file, disk_base, header)) {
    ClearSelection();
    return false;
  }
  for (std::size_t track = 0; track < track_offsets.size(); ++track) {
    track_offsets[track] = ReadLe32Signed(&header[kTrackTableOffset + track * kTrackEntrySize]);
  }
  media_type = header[kMediaTypeOffset];
  write_protect = header[kWriteProtectOffset];
  disk_size = ReadLe32Signed(&header[kDiskSizeOffset]);
  const auto* name = &header[kDiskNameOffset];
  const auto* name_end = std::find(name, name + kDiskNameSize, 0);
  std::fill(std::copy(name, name_end, disk_name.begin()), disk_name.end(), '\0');
  return true;
}

void D88Image::SetSectorRange(int first, int last) {
  first_sector = first;
  last_sector = last;
}

int D88Image::ReadSector(int track, int c, int h, int r, int n, std::uint8_t* dest, int limit) {
  if (limit < 0) return 0;
  const SectorLocation location = LocateSector(track, c, h, r, n);
  if (location.kind != SectorLocation::Kind::kFound) return 0;
  const int count = std::min(location.record.data_size, limit);
  return static_cast<int>(file.Read(dest, static_cast<std::size_t>(count)));
}

bool D88Image::ReadPiece(const RunPiece& piece, std::uint8_t* dest) {
  if (piece.location.kind != SectorLocation::Kind::kFound) return true;
  // A sector that ends the run is copied too, as far as it goes.
  const auto count =
      static_cast<std::size_t>(std::min(piece.location.record.data_size, piece.size));
  return file.Read(dest + piece.offset, count) == count;
}

int D88Image::ReadTrackIds(int track, std::uint8_t* dest, int limit) {
  int written = 0;
  ListTrack(track, [&](const SectorRecordHeader& record, int) {
    if (limit - written < static_cast<int>(kSectorIdSize)) return false;
    std::copy(record.id.begin(), record.id.end(), dest + written);
    written += static_cast<int>(kSectorIdSize);
    return true;
  });
  return written;
}

SectorLocation D88Image::LocateSector(int track, int c, int h, int r, int n, Search search) {
  using Kind = SectorLocation::Kind;
  SectorLocation location;
  auto walk_ended = [&] { return location.walk_end >= 0; };
  auto end_walk = [&](const SectorRecordHeader& record, int position) {
    location.walk_end = position;
    location.walk_end_count = record.sector_count;
  };
  WalkRecords(track, [&](const SectorRecordHeader& record, int position) {
    // A record that counts no sectors ends the walk before its ID is compared.
    if (!walk_ended() && record.sector_count == 0) {
      end_walk(record, position);
      if (search == Search::kWithinWalk) return false;
    }
    if (record.HasId(c, h, r, n)) {
      location.kind = walk_ended() ? Kind::kNotReached : Kind::kFound;
      return false;
    }
    if (!walk_ended() && record.EndsWalkAt(position)) {
      end_walk(record, position);
      return search == Search::kPastWalkEnd;
    }
    if (!walk_ended()) return true;
    location.searched_past_end = position - location.walk_end;
    location.gave_up = location.searched_past_end == kMaxSearchedPastWalkEnd;
    return !location.gave_up;
  });
  // A search past the end that a failed read (a spent budget) cut short.
  if (search == Search::kPastWalkEnd && location.kind == Kind::kNotOnTrack && file.Error()) {
    location.gave_up = true;
  }
  // A walk of a track that is there stops short of its end only where a
  // header comes short: at the end of the file, or at a read that failed.
  location.past_file_end = location.kind == Kind::kNotOnTrack && !walk_ended() &&
                           TrackStart(track) >= 0 && !file.Error();
  // The walk copies no header out of it: keeping a copy of each header it
  // passes cost more (16% of the reader's instructions on a track of 65,535
  // records) than reading the one it stopped at again, which also leaves the
  // stream at that sector's data.
  if (location.kind != Kind::kNotOnTrack) {
    file.Skip(-std::int64_t{kSectorHeaderSize});
    ReadSectorRecordHeader(file, location.record);
  }
  if (location.kind == Kind::kFound) {
    const std::int64_t in_file = std::max(file.Size() - file.Position(), std::int64_t{0});
    location.stored_size =
        static_cast<int>(std::min(std::int64_t{location.record.data_size}, in_file));
  }
  return location;
}

// A track is there when its entry is non-zero and not past disk_size. An entry
// stored as 0x80000000 or more is negative and passes, but may land outside
// the file positions, where no track is.
std::int64_t D88Image::TrackStart(int track) const {
  if (!file.IsOpen() || track < 0 || track >= kTrackCount) return -1;
  const std::int32_t offset = track_offsets[static_cast<std::size_t>(track)];
  if (offset == 0 || offset > disk_size) return -1;
  const std::int64_t start = std::int64_t{disk_base} + offset;
  return IsFilePosition(start) ? start : -1;
}

// The track table stays: with disk_size 0, no entry of it passes the track
// check until a disk is selected again.
void D88Image::ClearSelection() {
  disk_base = -1;
  media_type = -1;
  write_protect = -1;
  disk_size = 0;
  disk_name[0] = '\0';
}

}  // namespace d88
