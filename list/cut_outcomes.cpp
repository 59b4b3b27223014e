#include "list/cut_outcomes.h"

#include <algorithm>

namespace list {

std::string NameColumn(const extract::Cut& cut) {
  constexpr std::size_t kWidth = 8;
  return cut.name + std::string(kWidth - std::min(cut.name.size(), kWidth), ' ');
}

std::optional<extract::NothingCut> ImageCuts::WhyNothingIsCut() const {
  return extract::WhyNothingIsCut(shape, cuts);
}

bool ImageCuts::NotAnImage() const {
  const auto why = WhyNothingIsCut();
  return why && why->NotAnImage();
}

std::error_code ImageCuts::ReadFailure() const {
  for (const CutOutcome& outcome : cuts) {
    if (d88::IsReadFailure(outcome.error)) return outcome.error;
  }
  return {};
}

std::optional<ImageCuts> ReadCuts(d88::D88Image& image, const std::string& path,
                                  std::error_code& error, const TakeCut& take) {
  if (!extract::OpenForCutting(image, path.c_str(), error)) return std::nullopt;
  ImageCuts cuts{.shape = extract::ShapeOf(image)};
  std::vector<std::uint8_t> buffer;
  bool stopped = false;
  for (const extract::Cut& cut : extract::CuttingOrder()) {
    buffer.resize(static_cast<std::size_t>(cut.length));
    CutOutcome outcome = stopped ? CutOutcome{.cut = cut} : extract::ReadCut(image, cut, buffer);
    stopped |= outcome.kind == CutOutcome::Kind::kStopsHere;
    if (take) take(outcome, outcome.Written() ? std::span(buffer) : std::span<std::uint8_t>());
    cuts.cuts.push_back(std::move(outcome));
  }
  return cuts;
}

}  // namespace list
