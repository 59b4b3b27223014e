// Signs that what the reader took for a disk header is none: a text file,
// random bytes or zeros read as a disk. No disk that a D88 writer makes shows
// one, however short its file was cut: the header alone is judged.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "d88/d88_image.h"

namespace d88 {

struct ForeignHeader {
  enum class Sign {
    kSizeBelowHeader,  // disk_size is less than the smallest disk header, or negative
    kTrackInHeader,    // a track entry points into the disk header
    kTrackPastEnd,     // a track entry points past the end of the disk (disk_size)
  };
  Sign sign;
  int track;           // the track whose entry shows it; -1 for the size
  std::int32_t value;  // disk_size, or that entry
};

// The first sign that the selected disk's header is no D88 header: its size,
// then the entries of the tracks every table has, in order. None when it
// shows none, or while no disk is selected.
std::optional<ForeignHeader> ForeignHeaderSign(const D88Image& image);

// What the sign says: "not a D88 image: track 0 starts at 0x6E69206E, past
// the disk's end".
std::string NotAnImage(const ForeignHeader& sign);
// What a file too short to hold a disk header is: "not a D88 image: shorter
// than a disk header".
std::string ShorterThanAHeader();

}  // namespace d88
