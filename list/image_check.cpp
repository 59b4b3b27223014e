#include "list/image_check.h"

#include <algorithm>

#include "list/record_flags.h"
#include "platform/platform.h"

namespace list {

namespace {

using Kind = CutOutcome::Kind;

// "; <what>: A, B" for the files `pick` chooses, if any.
template <typename Pick>
std::string Files(const ImageCuts& cuts, const char* what, Pick pick) {
  std::string names;
  for (const CutOutcome& outcome : cuts.cuts) {
    if (pick(outcome)) names += (names.empty() ? "" : ", ") + outcome.cut.name;
  }
  return names.empty() ? "" : "; " + std::string(what) + ": " + names;
}

bool Flagged(const CutOutcome& outcome) {
  return std::any_of(outcome.noted.begin(), outcome.noted.end(), [](const d88::RunPiece& piece) {
    return ReadWithError(piece.location.record);
  });
}

}  // namespace

std::string CheckVerdict(const ImageCuts& cuts, bool& whole) {
  whole = false;
  if (!cuts.has_disk) return "not a D88 image: shorter than a disk header";
  const auto count = [&](Kind kind) {
    return std::count_if(cuts.cuts.begin(), cuts.cuts.end(),
                         [&](const CutOutcome& outcome) { return outcome.kind == kind; });
  };
  const std::string all = std::to_string(cuts.cuts.size());
  if (count(Kind::kAbsent) == static_cast<long>(cuts.cuts.size())) {
    return "none of the " + all + " files is on disk 0";
  }
  std::string verdict = std::to_string(count(Kind::kComplete)) + " of " + all + " complete";
  verdict += Files(cuts, "broken off", [](auto& o) { return o.kind == Kind::kBrokenOff; });
  verdict += Files(cuts, "absent", [](auto& o) { return o.kind == Kind::kAbsent; });
  verdict += Files(cuts, "flagged", Flagged);
  for (const CutOutcome& outcome : cuts.cuts) {
    if (outcome.kind == Kind::kStopsHere) {
      verdict += "; d88cut stops at " + outcome.cut.name + ": " + platform::Words(outcome.error);
    }
  }
  whole = verdict == all + " of " + all + " complete";
  return whole ? "all " + all + " files complete" : verdict;
}

}  // namespace list
