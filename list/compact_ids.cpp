#include "list/compact_ids.h"

#include <cstdio>

#include "d88/d88_format.h"
#include "words/catalogue.h"

namespace list {

namespace {

using Id = std::span<const std::uint8_t, d88::kSectorIdSize>;

bool SameTrackAndSize(Id a, Id b) {
  return a[0] == b[0] && a[1] == b[1] && a[3] == b[3];
}

std::string Describe(Id id) {
  char text[32];
  std::snprintf(text, sizeof text, "C%d H%d N%d R%d", id[0], id[1], id[3], id[2]);
  return text;
}

}  // namespace

std::string CompactIds(std::span<const std::uint8_t> ids, std::size_t max_parts) {
  const std::size_t count = ids.size() / d88::kSectorIdSize;
  auto id = [&](std::size_t i) {
    return Id(ids.subspan(i * d88::kSectorIdSize, d88::kSectorIdSize));
  };
  std::string text;
  for (std::size_t first = 0, next, parts = 0; first < count; first = next, ++parts) {
    if (parts == max_parts) {
      return words::Say(words::kAndMore, {text, count - first});
    }
    const Id start = id(first);
    // Where R stops rising by one, and where the same ID stops repeating.
    std::size_t rising_end = first + 1, repeat_end = first + 1;
    while (rising_end < count && SameTrackAndSize(id(rising_end), start) &&
           id(rising_end)[2] == start[2] + (rising_end - first)) {
      ++rising_end;
    }
    while (repeat_end < count && SameTrackAndSize(id(repeat_end), start) &&
           id(repeat_end)[2] == start[2]) {
      ++repeat_end;
    }
    if (!text.empty()) text += ", ";
    text += Describe(start);
    if (rising_end > first + 1) {
      text.append("-").append(std::to_string(id(rising_end - 1)[2]));
      next = rising_end;
    } else if (repeat_end > first + 1) {
      text.append(" x").append(std::to_string(repeat_end - first));
      next = repeat_end;
    } else {
      next = first + 1;
    }
  }
  return text;
}

}  // namespace list
