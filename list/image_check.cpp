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
  if (const auto nothing = cuts.WhyNothingIsCut()) return nothing->words;
  const auto count = [&](Kind kind) {
    return std::count_if(cuts.cuts.begin(), cuts.cuts.end(),
                         [&](const CutOutcome& outcome) { return outcome.kind == kind; });
  };
  const auto all = static_cast<long>(cuts.cuts.size());
  const std::string flagged =
      Files(cuts, "flagged", [](const CutOutcome& outcome) { return outcome.Flagged(); });
  whole = count(Kind::kComplete) == all && flagged.empty();
  std::string verdict =
      whole ? "all " + std::to_string(all) + " files complete"
            : std::to_string(count(Kind::kComplete)) + " of " + std::to_string(all) + " complete";
  verdict += Files(cuts, "broken off", [](auto& o) { return o.kind == Kind::kBrokenOff; });
  verdict += Files(cuts, "absent", [](auto& o) { return o.kind == Kind::kAbsent; });
  verdict += flagged;
  for (const CutOutcome& outcome : cuts.cuts) {
    if (outcome.kind == Kind::kStopsHere) {
      verdict += "; d88cut stops at " + outcome.cut.name + ": " + platform::Words(outcome.error);
    }
  }
  if (cuts.shape.CutShort()) verdict += "; " + extract::CutShortWords(cuts.shape);
  return verdict;
}

}  // namespace list
