#include "list/disk_listing.h"

#include <cstdio>
#include <vector>

#include "list/compact_ids.h"

namespace list {

namespace {

// Room for the IDs of a track of 65,536 records; a longer walk is cut there.
constexpr int kIdsLimit = 65536 * static_cast<int>(d88::kSectorIdSize);

std::string DiskLine(int index, const d88::D88Image& image) {
  char numbers[64];
  std::snprintf(numbers, sizeof numbers, ", media type 0x%02X, %d bytes\n", image.MediaType(),
                image.DiskSize());
  return "disk " + std::to_string(index) + ": \"" + EscapeName(image.DiskName()) + "\"" + numbers;
}

std::string TrackLine(int track, std::span<const std::uint8_t> ids) {
  const std::size_t records = ids.size() / d88::kSectorIdSize;
  return "  track " + std::to_string(track) + " (cylinder " + std::to_string(track >> 1) +
         ", head " + std::to_string(track & 1) + "): " + std::to_string(records) +
         (records == 1 ? " record: " : " records: ") + CompactIds(ids) + "\n";
}

}  // namespace

std::string EscapeName(std::string_view name) {
  std::string text;
  for (const char byte : name) {
    const auto value = static_cast<unsigned char>(byte);
    if (value >= 0x20 && value < 0x7F && byte != '"' && byte != '\\') {
      text += byte;
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", value);
      text += escaped;
    }
  }
  return text;
}

std::string ListDisks(d88::D88Image& image) {
  std::string text;
  std::vector<std::uint8_t> ids(kIdsLimit);
  for (int index = 0; index < image.DiskCount(); ++index) {
    if (!image.SelectDisk(index)) {
      text += "disk " + std::to_string(index) + ": its header can no longer be read\n";
      continue;
    }
    text += DiskLine(index, image);
    for (int track = 0; track < d88::kTrackCount; ++track) {
      const int listed = image.ReadTrackIds(track, ids.data(), kIdsLimit);
      if (listed > 0) text += TrackLine(track, std::span(ids).first(listed));
    }
  }
  if (image.DiskCount() == 0) text += "no disk: the file is shorter than a disk header\n";
  return text;
}

}  // namespace list
