#include "list/image_check.h"

#include <algorithm>

#include "extract/cut_words.h"
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

}  // namespace

std::string CheckVerdict(const ImageCuts& cuts, bool& whole) {
  whole = false;
  const auto count = [&](Kind kind) {
    return std::count_if(cuts.cuts.begin(), cuts.cuts.end(),
                         [&](const CutOutcome& outcome) { return outcome.kind == kind; });
  };
  if (!cuts.has_disk || count(Kind::kAbsent) == static_cast<long>(cuts.cuts.size())) {
    return extract::WhyNothingIsCut(cuts.has_disk, cuts.sign);
  }
  const std::string all = std::to_string(cuts.cuts.size());
  std::string verdict = std::to_string(count(Kind::kComplete)) + " of " + all + " complete";
  verdict += Files(cuts, "broken off", [](auto& o) { return o.kind == Kind::kBrokenOff; });
  verdict += Files(cuts, "absent", [](auto& o) { return o.kind == Kind::kAbsent; });
  verdict += Files(cuts, "flagged", [](auto& o) { return o.Flagged(); });
  for (const CutOutcome& outcome : cuts.cuts) {
    if (outcome.kind == Kind::kStopsHere) {
      verdict += "; d88cut stops at " + outcome.cut.name + ": " + platform::Words(outcome.error);
    }
  }
  whole = verdict == all + " of " + all + " complete";
  return whole ? "all " + all + " files complete" : verdict;
}

}  // namespace list
