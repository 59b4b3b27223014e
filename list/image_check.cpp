#include "list/image_check.h"

#include <algorithm>

#include "extract/cut_words.h"
#include "platform/platform.h"
#include "words/catalogue.h"

namespace list {

namespace {

using Kind = CutOutcome::Kind;
using words::Say;

// "; <what>: A, B" for the files `pick` chooses, if any.
template <typename Pick>
std::string Files(const ImageCuts& cuts, words::Id what, Pick pick) {
  std::string names;
  for (const CutOutcome& outcome : cuts.cuts) {
    if (pick(outcome)) names = words::Listed(names, outcome.cut.name);
  }
  return names.empty() ? "" : Say(what, {names});
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
  const std::string flagged = Files(cuts, words::kCheckFlagged,
                                    [](const CutOutcome& outcome) { return outcome.Flagged(); });
  whole = count(Kind::kComplete) == all && flagged.empty();
  std::string verdict = whole ? Say(words::kAllComplete, {all})
                              : Say(words::kSomeComplete, {count(Kind::kComplete), all});
  verdict +=
      Files(cuts, words::kCheckBrokenOff, [](auto& o) { return o.kind == Kind::kBrokenOff; });
  verdict += Files(cuts, words::kCheckAbsent, [](auto& o) { return o.kind == Kind::kAbsent; });
  verdict += flagged;
  for (const CutOutcome& outcome : cuts.cuts) {
    if (outcome.kind == Kind::kStopsHere) {
      verdict += Say(words::kCheckStopsAt, {outcome.cut.name, platform::Words(outcome.error)});
    }
  }
  if (cuts.shape.CutShort())
    verdict += Say(words::kCheckAlso, {extract::CutShortWords(cuts.shape)});
  return verdict;
}

}  // namespace list
