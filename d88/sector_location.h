// Where a sector stands on its track, as the reader's walk meets it.
#pragma once

#include "d88/sector_record.h"

namespace d88 {

// How far a search for a sector looks.
enum class Search {
  kWithinWalk,   // as ReadSector: the end of the track's walk ends the search
  kPastWalkEnd,  // on past that end, up to kMaxSearchedPastWalkEnd records, to
                 // tell a sector stored after the end from one not stored
                 // (d88ls's explanations only: d88cut never looks there)
};

inline constexpr int kMaxSearchedPastWalkEnd = 65536;

struct SectorLocation {
  enum class Kind {
    kFound,       // the walk reaches its record; the stream stands at its data
    kNotOnTrack,  // no record that the search looked at carries its ID
    kNotReached,  // its record is stored after the record that ends the walk
  };
  Kind kind = Kind::kNotOnTrack;
  SectorRecordHeader record{};  // kFound and kNotReached: the sector's record
  int stored_size = 0;          // kFound: the bytes of its data the file holds
  int walk_end = -1;            // the position (from 0) of the record that
  int walk_end_count = 0;       // ended the walk, and its sector_count
  int searched_past_end = 0;    // the records a search looked at past that end
  bool gave_up = false;         // kNotOnTrack: the search past the walk's end
                                // stopped there (kMaxSearchedPastWalkEnd, or
                                // a read that failed)
  bool past_file_end = false;   // kNotOnTrack: the walk met the end of the
                                // file before its own end
};

}  // namespace d88
