#include "d88/header_signs.h"

#include "d88/record_flags.h"

namespace d88 {

std::optional<ForeignHeader> ForeignHeaderSign(const D88Image& image) {
  using Sign = ForeignHeader::Sign;
  if (image.MediaType() < 0) return std::nullopt;  // nothing selected
  constexpr auto kSmallestHeader = static_cast<std::int32_t>(kShortDiskHeaderSize);
  const std::int32_t size = image.DiskSize();
  if (size < kSmallestHeader) return ForeignHeader{Sign::kSizeBelowHeader, -1, size};
  for (int track = 0; track < kTracksInEveryTable; ++track) {
    const std::int32_t entry = image.TrackEntry(track);
    if (entry == 0) continue;
    if (entry < kSmallestHeader) return ForeignHeader{Sign::kTrackInHeader, track, entry};
    if (entry > size) return ForeignHeader{Sign::kTrackPastEnd, track, entry};
  }
  return std::nullopt;
}

std::string NotAnImage(const ForeignHeader& sign) {
  using Sign = ForeignHeader::Sign;
  const std::string value = Hex(sign.value, 8);
  std::string words;
  switch (sign.sign) {
    case Sign::kSizeBelowHeader:
      words = "its size field " + value +
              (sign.value < 0 ? " cannot be a size" : " is less than a disk header");
      break;
    case Sign::kTrackInHeader:
      words = "track " + std::to_string(sign.track) + " starts at " + value +
              ", inside the disk header";
      break;
    case Sign::kTrackPastEnd:
      words =
          "track " + std::to_string(sign.track) + " starts at " + value + ", past the disk's end";
      break;
  }
  return "not a D88 image: " + words;
}

}  // namespace d88
