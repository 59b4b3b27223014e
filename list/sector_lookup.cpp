#include "list/sector_lookup.h"

#include "extract/cut_table.h"

namespace list {

// d88cut's walk ends at a record that counts no sectors (before its ID is
// compared) or after the record whose position is its own count - 1; this
// one notes that end and looks on.
SectorLookup FindSector(d88::D88Image& image, const d88::RunPosition& at) {
  SectorLookup lookup;
  auto end_walk_at = [&](const d88::SectorRecordHeader& record, int position) {
    lookup.walk_end = position;
    lookup.walk_end_count = record.sector_count;
  };
  image.WalkTrack(at.track, [&](const d88::SectorRecordHeader& record, int position) {
    if (lookup.walk_end < 0 && record.sector_count == 0) end_walk_at(record, position);
    if (record.HasId(at.c, at.h, at.r, extract::kSizeCode)) {
      lookup.kind =
          lookup.walk_end < 0 ? SectorLookup::Kind::kFound : SectorLookup::Kind::kNotReached;
      lookup.record = record;
      return false;
    }
    if (lookup.walk_end < 0 && record.EndsWalkAt(position)) end_walk_at(record, position);
    return position + 1 < kMaxRecordsWalked;
  });
  return lookup;
}

}  // namespace list
