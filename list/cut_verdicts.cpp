#include "list/cut_verdicts.h"

#include <optional>

#include "extract/cut_table.h"
#include "list/record_flags.h"

namespace list {

namespace {

using d88::RunPosition;
using d88::SectorLocation;
using extract::Cut;
using Kind = SectorLocation::Kind;

std::string Place(const RunPosition& at) {
  return "track " + std::to_string(at.track) + " (C" + std::to_string(at.c) + " H" +
         std::to_string(at.h) + ") sector " + std::to_string(at.r);
}

std::string Sectors(int count) {
  if (count == 0) return "no sectors";
  return std::to_string(count) + (count == 1 ? " sector" : " sectors");
}

// Where the walk of the track ends, in words.
std::string WalkEnd(const SectorLocation& location) {
  return "the track's walk ends at record " + std::to_string(location.walk_end + 1) +
         ", which counts " + Sectors(location.walk_end_count);
}

// Why the run stops at `stop`.
std::string Fault(const d88::RunPiece& stop) {
  const SectorLocation& location = stop.location;
  switch (location.kind) {
    case Kind::kNotOnTrack:
      if (!location.gave_up) return Place(stop.at) + " is missing";
      return Place(stop.at) + " is missing: " + WalkEnd(location) + ", and the " +
             std::to_string(d88::kMaxSearchedPastWalkEnd) +
             " records after it do not hold it (searched no further)";
    case Kind::kNotReached:
      return Place(stop.at) + " is never reached: " + WalkEnd(location);
    case Kind::kFound:
      break;
  }
  if (location.record.data_size == 0) return Place(stop.at) + " has a record with no data";
  return Place(stop.at) + " is short: " + std::to_string(location.stored_size) + " of " +
         std::to_string(stop.size) + " bytes";
}

// Follows the run of `cut` sector by sector as d88cut reads it. Each search
// may look past the end of a track's walk, which costs more only for the
// sector that stops the run: the others are found within it.
std::string Verdict(d88::D88Image& image, const Cut& cut) {
  std::optional<d88::RunPiece> stop;
  std::string notes;  // "; <place> was read with ..." for each sector taken
  const int got = image.WalkRun(
      cut.track, cut.cylinder, cut.head, cut.first_sector, extract::kSizeCode, cut.length,
      d88::Search::kPastWalkEnd, [&](const d88::RunPiece& piece) {
        if (!piece.Taken()) {
          stop = piece;
        } else if (const std::string note = ReadingNote(piece.location.record); !note.empty()) {
          notes += "; " + Place(piece.at) + " " + note;
        }
        return true;
      });
  const std::string length = std::to_string(cut.length);
  if (!stop) return "complete, " + length + " bytes" + notes;
  if (got == 0) return "absent: " + Fault(*stop);
  return "broken off, " + std::to_string(got) + " of " + length + " bytes: " + Fault(*stop) + notes;
}

}  // namespace

bool JudgeCuts(d88::D88Image& image, const LineSink& out) {
  if (!image.SelectDisk(0)) return out("no disk 0: d88cut would cut nothing\n");
  image.SetSectorRange(extract::kFirstSector, extract::kLastSector);
  if (!out("what d88cut would cut from disk 0:\n")) return false;
  for (const Cut& cut : extract::CuttingOrder()) {
    const std::string padding(8 - cut.name.size(), ' ');
    if (!out("  " + cut.name + padding + Verdict(image, cut) + "\n")) return false;
  }
  return true;
}

}  // namespace list
