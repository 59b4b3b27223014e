#include "extract/cut_words.h"

#include <algorithm>

#include "d88/record_flags.h"
#include "platform/platform.h"

namespace extract {

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

}  // namespace

// Why the run stops at `stop`, as far as `search` can tell where its sector
// stands.
std::string SectorSearch::Fault(const d88::RunPiece& stop) {
  const SectorLocation location = Locate(stop);
  switch (location.kind) {
    case Kind::kNotOnTrack:
      if (location.past_file_end) return Place(stop.at) + " is past the end of the image";
      if (!location.gave_up) return Place(stop.at) + " is missing";
      if (failure_) {
        return Place(stop.at) + " is missing: " + WalkEnd(location) +
               ", and the image cannot be read past it: " + platform::Words(failure_);
      }
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
  // Data the file's end cuts, or a record that holds less than a sector.
  const char* short_by =
      location.stored_size < location.record.data_size ? " ends with the image: " : " is short: ";
  return Place(stop.at) + short_by + std::to_string(location.stored_size) + " of " +
         std::to_string(stop.size) + " bytes";
}

SectorLocation SectorSearch::Locate(const d88::RunPiece& stop) {
  SectorLocation within = stop.location;
  if (within.kind != Kind::kNotOnTrack || within.walk_end < 0) return within;
  if (!opened_) opened_ = OpenForCutting(image_, path_.c_str(), failure_);
  if (*opened_) {
    const SectorLocation past = image_.LocateSector(stop.at.track, stop.at.c, stop.at.h, stop.at.r,
                                                    kSizeCode, d88::Search::kPastWalkEnd);
    if (d88::IsReadFailure(image_.ReadError())) failure_ = image_.ReadError();
    if (past.walk_end >= 0) return past;
  }
  within.gave_up = true;  // the image could not be read again so far
  return within;
}

std::string Verdict(const CutOutcome& outcome, SectorSearch& search, std::string_view stopped_at) {
  std::string notes;  // "; <place> was read with ..." for each sector taken
  for (const d88::RunPiece& piece : outcome.noted) {
    notes += "; " + Place(piece.at) + " " + d88::ReadingNote(piece.location.record);
  }
  const std::string length = std::to_string(outcome.cut.length);
  switch (outcome.kind) {
    case CutOutcome::Kind::kComplete:
      return "complete, " + length + " bytes" + notes;
    case CutOutcome::Kind::kBrokenOff:
      return "broken off, " + std::to_string(outcome.Given()) + " of " + length +
             " bytes (the rest is zeros): " + search.Fault(*outcome.stop) + notes;
    case CutOutcome::Kind::kAbsent:
      return "absent: " + search.Fault(*outcome.stop);
    case CutOutcome::Kind::kStopsHere:
      return "d88cut stops here: " + std::string(kCannotReadImage) + ": " +
             platform::Words(outcome.error);
    case CutOutcome::Kind::kNotReached:
      break;
  }
  return "not cut: d88cut stops at " + std::string(stopped_at);
}

std::optional<NothingCut> WhyNothingIsCut(const ImageShape& shape,
                                          std::span<const CutOutcome> cuts) {
  using Why = NothingCut::Why;
  if (!std::all_of(cuts.begin(), cuts.end(), [](const CutOutcome& outcome) {
        return outcome.kind == CutOutcome::Kind::kAbsent;
      })) {
    return std::nullopt;
  }
  if (!shape.has_disk) return NothingCut{Why::kNoDisk, std::string(d88::kShorterThanAHeader)};
  if (shape.sign) return NothingCut{Why::kNotAnImage, d88::NotAnImage(*shape.sign)};
  const std::string files = "none of the " + std::to_string(cuts.size()) + " files is ";
  if (shape.CutShort())
    return NothingCut{Why::kCutShort, CutShortWords(shape) + "; " + files + "in it"};
  return NothingCut{Why::kNotOnDisk, files + "on disk 0"};
}

std::string CutShortWords(const ImageShape& shape) {
  return "the image is cut short: " + std::to_string(shape.file_size) + " of " +
         std::to_string(shape.disk_size) + " bytes";
}

}  // namespace extract
