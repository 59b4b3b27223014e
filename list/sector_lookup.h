// Where a sector stands on its track, as d88cut's walk meets it, and why a
// walk that does not find it misses it.
#pragma once

#include "d88/d88_image.h"
#include "d88/run_position.h"

namespace list {

// A walk looks this far at the most, on any track.
inline constexpr int kMaxRecordsWalked = 65536;

struct SectorLookup {
  enum class Kind {
    kMissing,     // no record of the track carries its ID
    kNotReached,  // its record is stored after the one that ends the walk
    kFound,       // the walk reaches its record
  };
  Kind kind = Kind::kMissing;
  d88::SectorRecordHeader record{};  // its record, unless missing
  int walk_end = -1;                 // kNotReached: position of the record that ends the walk
  int walk_end_count = 0;            // and that record's sector_count
};

// Looks for the sector of a run at `at` (size code N of the cuts) on the
// selected disk.
SectorLookup FindSector(d88::D88Image& image, const d88::RunPosition& at);

}  // namespace list
