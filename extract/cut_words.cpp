#include "extract/cut_words.h"

#include <algorithm>

#include "d88/record_flags.h"
#include "platform/platform.h"
#include "words/catalogue.h"

namespace extract {

namespace {

using d88::RunPosition;
using d88::SectorLocation;
using Kind = SectorLocation::Kind;
using words::Say;
using words::SayCount;

std::string Place(const RunPosition& at) {
  return Say(words::kPlace, {at.track, at.c, at.h, at.r});
}

// Where the walk of the track ends, in words.
std::string WalkEnd(const SectorLocation& location) {
  const int record = location.walk_end + 1;
  if (location.walk_end_count == 0) return Say(words::kWalkEndsNoSectors, {record});
  return SayCount(words::kWalkEnds, location.walk_end_count, {record});
}

}  // namespace

// Why the run stops at `stop`, as far as `search` can tell where its sector
// stands.
std::string SectorSearch::Fault(const d88::RunPiece& stop) {
  const SectorLocation location = Locate(stop);
  const std::string place = Place(stop.at);
  switch (location.kind) {
    case Kind::kNotOnTrack:
      if (location.past_file_end) return Say(words::kPastImageEnd, {place});
      if (!location.gave_up) return Say(words::kMissing, {place});
      if (failure_) {
        return Say(words::kMissingUnreadable,
                   {place, WalkEnd(location), platform::Words(failure_)});
      }
      if (location.searched_past_end == 0) {
        return Say(words::kMissingSearchedNoFurther, {place, WalkEnd(location)});
      }
      return Say(words::kMissingSearchedPast,
                 {place, WalkEnd(location), location.searched_past_end});
    case Kind::kNotReached:
      return Say(words::kNeverReached, {place, WalkEnd(location)});
    case Kind::kFound:
      break;
  }
  if (location.record.data_size == 0) return Say(words::kNoData, {place});
  // Data the file's end cuts, or a record that holds less than a sector.
  return Say(location.stored_size < location.record.data_size ? words::kEndsWithImage
                                                              : words::kShortSector,
             {place, location.stored_size, stop.size});
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
    notes += Say(words::kSectorNote, {Place(piece.at), d88::ReadingNote(piece.location.record)});
  }
  const int length = outcome.cut.length;
  switch (outcome.kind) {
    case CutOutcome::Kind::kComplete:
      return Say(words::kComplete, {length}) + notes;
    case CutOutcome::Kind::kBrokenOff:
      return Say(words::kBrokenOff, {outcome.Given(), length, search.Fault(*outcome.stop)}) + notes;
    case CutOutcome::Kind::kAbsent:
      return Say(words::kAbsent, {search.Fault(*outcome.stop)});
    case CutOutcome::Kind::kStopsHere:
      return Say(words::kStopsHere, {platform::Words(outcome.error)});
    case CutOutcome::Kind::kNotReached:
      break;
  }
  return Say(words::kNotCut, {stopped_at});
}

std::optional<NothingCut> WhyNothingIsCut(const ImageShape& shape,
                                          std::span<const CutOutcome> cuts) {
  using Why = NothingCut::Why;
  if (!std::all_of(cuts.begin(), cuts.end(), [](const CutOutcome& outcome) {
        return outcome.kind == CutOutcome::Kind::kAbsent;
      })) {
    return std::nullopt;
  }
  if (!shape.has_disk) return NothingCut{Why::kNoDisk, d88::ShorterThanAHeader()};
  if (shape.sign) return NothingCut{Why::kNotAnImage, d88::NotAnImage(*shape.sign)};
  if (shape.CutShort()) {
    return NothingCut{Why::kCutShort, Say(words::kNoneInCutShortImage,
                                          {shape.file_size, shape.disk_size, cuts.size()})};
  }
  return NothingCut{Why::kNotOnDisk, Say(words::kNoneOnDisk, {cuts.size()})};
}

std::string CutShortWords(const ImageShape& shape) {
  return Say(words::kCutShort, {shape.file_size, shape.disk_size});
}

}  // namespace extract
