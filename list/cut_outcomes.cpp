#include "list/cut_outcomes.h"

#include <algorithm>

#include "extract/cut_reading.h"
#include "list/record_flags.h"
#include "platform/platform.h"

namespace list {

namespace {

using Kind = CutOutcome::Kind;

// Reads one cut into `bytes` as d88cut does and says what becomes of it.
CutOutcome ReadOne(d88::D88Image& image, const extract::Cut& cut, std::span<std::uint8_t> bytes) {
  CutOutcome outcome{.cut = cut};
  const extract::CutRead read =
      extract::ReadCut(image, cut, bytes, [&](const d88::RunPiece& piece) {
        if (!piece.Taken()) {
          outcome.stop = piece;
        } else if (!ReadingNote(piece.location.record).empty()) {
          outcome.noted.push_back(piece);
        }
      });
  outcome.got = read.got;
  outcome.error = read.error;
  if (read.error) {
    outcome.kind = Kind::kStopsHere;
  } else if (!outcome.stop) {
    outcome.kind = Kind::kComplete;
  } else {
    outcome.kind = read.got == 0 ? Kind::kAbsent : Kind::kBrokenOff;
  }
  return outcome;
}

}  // namespace

std::string NameColumn(const extract::Cut& cut) {
  constexpr std::size_t kWidth = 8;
  return cut.name + std::string(kWidth - std::min(cut.name.size(), kWidth), ' ');
}

std::error_code ImageCuts::ReadFailure() const {
  for (const CutOutcome& outcome : cuts) {
    if (outcome.error && outcome.error != d88::ReadingBudgetSpent()) return outcome.error;
  }
  return {};
}

std::optional<ImageCuts> ReadCuts(d88::D88Image& image, const std::string& path,
                                  std::error_code& error, const TakeCut& take) {
  if (!extract::OpenForCutting(image, path.c_str(), error)) return std::nullopt;
  ImageCuts cuts{.has_disk = image.DiskCount() > 0};
  std::vector<std::uint8_t> buffer;
  bool stopped = false;
  for (const extract::Cut& cut : extract::CuttingOrder()) {
    buffer.resize(static_cast<std::size_t>(cut.length));
    CutOutcome outcome = stopped ? CutOutcome{.cut = cut} : ReadOne(image, cut, buffer);
    stopped |= outcome.kind == Kind::kStopsHere;
    if (take) take(outcome, outcome.Written() ? std::span(buffer) : std::span<std::uint8_t>());
    cuts.cuts.push_back(std::move(outcome));
  }
  return cuts;
}

}  // namespace list
