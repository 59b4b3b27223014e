#include "list/cut_verdicts.h"

#include "extract/cut_words.h"

namespace list {

bool JudgeCuts(d88::D88Image& image, const std::string& path, const ImageCuts& cuts,
               const LineSink& out, std::error_code& failure) {
  if (cuts.NotAnImage()) return out("no disk 0: d88cut would cut nothing\n");
  if (!out("what d88cut would cut from disk 0:\n")) return false;
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
