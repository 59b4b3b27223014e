// How a run of sectors moves from one sector to the next, and which of its
// sectors it takes.
#pragma once

#include "d88/d88_format.h"
#include "d88/sector_location.h"

namespace d88 {

// Where a sector of a run is asked for: its track index (cylinder * 2 + head)
// and the C, H, R of its ID.
struct RunPosition {
  int track;
  int c;
  int h;
  int r;
};

// The sector after `at` in a run over track sides whose sectors are numbered
// `first` to `last`: R rises until it equals `last`, then the run goes on at
// `first` on the next track side, in track index order (head 0 to head 1 of
// the same cylinder; any other head to head 0 of the next). Only equality
// with `last` changes side, so a run that starts above `last` stays on its
// side. Steps from a sector that was found (C, H, R bytes, track in the
// table) cannot overflow.
constexpr RunPosition NextInRun(RunPosition at, int first, int last) {
  if (at.r != last) return {at.track, at.c, at.h, at.r + 1};
  const int next_side = TrackIndex(at.c, at.h == 0 ? 0 : 1) + 1;
  return {at.track + 1, CylinderOf(next_side), HeadOf(next_side), first};
}

// One piece of a run as the run meets it: its sector's place, where its
// bytes go in the run, how many of them the run wants, and where the sector
// stands. The run takes the piece when the sector is found with at least
// that many bytes in the file, and stops at the first piece it does not take.
struct RunPiece {
  RunPosition at;
  int offset;
  int size;
  SectorLocation location;

  bool Taken() const {
    return location.kind == SectorLocation::Kind::kFound && location.stored_size >= size;
  }
};

}  // namespace d88
