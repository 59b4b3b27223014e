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

bool D88Image::Open(const char* path) {
  if (path == nullptr) {
    file.Close();
    disk_count = 0;
    media_type = -1;
    return true;
  }
  // A selection made on an earlier file never applies to this one.
  ClearSelection();
  if (!file.Open(path)) return false;

  disk_count = 0;
  std::int64_t offset = 0;
  DiskHeader header;
  while (disk_count < kMaxDisks) {
    // An offset outside the file positions ends the scan (Seek refuses it),
    // as a header that comes short does.
    if (!ReadDiskHeader(file, offset, header)) break;
    disk_offsets[disk_count] = static_cast<std::int32_t>(offset);
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
  disk_base = disk_offsets[index];
  if (!ReadDiskHeader(file, disk_base, header)) {
    ClearSelection();
    return false;
  }
  for (int track = 0; track < kTrackCount; ++track) {
    track_offsets[track] = ReadLe32Signed(&header[kTrackTableOffset + track * kTrackEntrySize]);
  }
  media_type = header[kMediaTypeOffset];
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

// The track table stays: with disk_size 0, no entry of it passes the track
// check until a disk is selected again.
void D88Image::ClearSelection() {
  disk_base = -1;
  media_type = -1;
  disk_size = 0;
  disk_name[0] = '\0';
}

}  // namespace d88
