#include "list/cut_verdicts.h"

#include "extract/cut_words.h"
#include "words/catalogue.h"

namespace list {

bool JudgeCuts(d88::D88Image& image, const std::string& path, const ImageCuts& cuts,
               const LineSink& out, std::error_code& failure) {
  if (cuts.NotAnImage()) return out(words::Say(words::kNoDiskZero) + "\n");
  if (!out(words::Say(words::kWouldCut) + "\n")) return false;
  extract::SectorSearch search(image, path);
  std::string stopped_at;
  for (const CutOutcome& outcome : cuts.cuts) {
    if (outcome.kind == CutOutcome::Kind::kStopsHere) stopped_at = outcome.cut.name;
    const std::string verdict = extract::Verdict(outcome, search, stopped_at);
    if ((failure = search.Failure())) return true;
    if (!out("  " + NameColumn(outcome.cut) + verdict + "\n")) return false;
  }
  return true;
}

}  // namespace list
