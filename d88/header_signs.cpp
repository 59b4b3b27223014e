#include "d88/header_signs.h"

#include "d88/record_flags.h"
#include "words/catalogue.h"

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
  switch (sign.sign) {
    case Sign::kSizeBelowHeader:
      return words::Say(sign.value < 0 ? words::kSizeFieldNoSize : words::kSizeFieldBelowHeader,
                        {value});
    case Sign::kTrackInHeader:
      return words::Say(words::kTrackInHeader, {sign.track, value});
    case Sign::kTrackPastEnd:
      break;
  }
  return words::Say(words::kTrackPastDiskEnd, {sign.track, value});
}

std::string ShorterThanAHeader() {
  return words::Say(words::kShorterThanAHeader);
}

}  // namespace d88
