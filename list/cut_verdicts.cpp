#include "list/cut_verdicts.h"

#include "extract/cut_reading.h"
#include "extract/messages.h"
#include "list/record_flags.h"
#include "platform/platform.h"

namespace list {

namespace {

using d88::RunPosition;
using d88::SectorLocation;
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

// Why the run stops at `stop`, whose sector is where `location` says.
std::string Fault(const d88::RunPiece& stop, const SectorLocation& location) {
  switch (location.kind) {
    case Kind::kNotOnTrack:
      if (!location.gave_up) return Place(stop.at) + " is missing";
      if (location.searched_past_end == 0) {
        return Place(stop.at) + " is missing: " + WalkEnd(location) + " (searched no further)";
      }
      return Place(stop.at) + " is missing: " + WalkEnd(location) + ", and the " +
             std::to_string(location.searched_past_end) +
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

// Where the sectors d88cut does not find stand: a search past the end of
// their track's walk, in the image opened again for it, once.
class Explainer {
 public:
  Explainer(d88::D88Image& image, const std::string& path) : image_(image), path_(path) {}

  SectorLocation Locate(const d88::RunPiece& stop) {
    SectorLocation within = stop.location;
    if (within.kind != Kind::kNotOnTrack || within.walk_end < 0) return within;
    std::error_code ignored;
    if (!opened_) opened_ = extract::OpenForCutting(image_, path_.c_str(), ignored);
    if (*opened_) {
      const SectorLocation past =
          image_.LocateSector(stop.at.track, stop.at.c, stop.at.h, stop.at.r, extract::kSizeCode,
                              d88::Search::kPastWalkEnd);
      if (past.walk_end >= 0) return past;
    }
    within.gave_up = true;  // the image could not be read again so far
    return within;
  }

 private:
  d88::D88Image& image_;
  const std::string& path_;
  std::optional<bool> opened_;
};

std::string Verdict(const CutOutcome& outcome, const std::string& stopped_at,
                    Explainer& explainer) {
  std::string notes;  // "; <place> was read with ..." for each sector taken
  for (const d88::RunPiece& piece : outcome.noted) {
    notes += "; " + Place(piece.at) + " " + ReadingNote(piece.location.record);
  }
  const std::string length = std::to_string(outcome.cut.length);
  switch (outcome.kind) {
    case CutOutcome::Kind::kComplete:
      return "complete, " + length + " bytes" + notes;
    case CutOutcome::Kind::kBrokenOff:
      return "broken off, " + std::to_string(outcome.got) + " of " + length +
             " bytes: " + Fault(*outcome.stop, explainer.Locate(*outcome.stop)) + notes;
    case CutOutcome::Kind::kAbsent:
      return "absent: " + Fault(*outcome.stop, explainer.Locate(*outcome.stop));
    case CutOutcome::Kind::kStopsHere:
      return "d88cut stops here: " + std::string(extract::kCannotReadImage) + ": " +
             platform::Words(outcome.error);
    case CutOutcome::Kind::kNotReached:
      break;
  }
  return "not cut: d88cut stops at " + stopped_at;
}

}  // namespace

bool JudgeCuts(d88::D88Image& image, const std::string& path, const ImageCuts& cuts,
               const LineSink& out) {
  if (!cuts.has_disk) return out("no disk 0: d88cut would cut nothing\n");
  if (!out("what d88cut would cut from disk 0:\n")) return false;
  Explainer explainer(image, path);
  std::string stopped_at;
  for (const CutOutcome& outcome : cuts.cuts) {
    if (outcome.kind == CutOutcome::Kind::kStopsHere) stopped_at = outcome.cut.name;
    if (!out("  " + NameColumn(outcome.cut) + Verdict(outcome, stopped_at, explainer) + "\n")) {
      return false;
    }
  }
  return true;
}

}  // namespace list
