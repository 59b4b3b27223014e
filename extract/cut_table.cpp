#include "extract/cut_table.h"

#include <cstdio>

namespace extract {

namespace {

constexpr std::string_view kTemporaryInfix = ".d88cut-";

// Whether `text` is a number in decimal digits.
bool IsNumber(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

Cut MakeCut(std::string name, const TrackLocation& location) {
  return {std::move(name),
          location.track,
          d88::CylinderOf(location.track),
          d88::HeadOf(location.track),
          location.first_sector,
          location.length};
}

}  // namespace

std::vector<Cut> CuttingOrder() {
  std::vector<Cut> cuts = {MakeCut("DRIVER", kDriver), MakeCut("VOICE", kVoice)};
  for (std::size_t i = 0; MusicTable[i].first_sector != 0; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "MUS%02d", static_cast<int>(i));
    cuts.push_back(MakeCut(name, MusicTable[i]));
  }
  return cuts;
}

std::string TemporaryName(const std::string& name, int process, int counter) {
  return name + std::string(kTemporaryInfix) + std::to_string(process) + "-" +
         std::to_string(counter);
}

std::string_view TemporaryOf(std::string_view name) {
  const std::size_t infix = name.rfind(kTemporaryInfix);
  if (infix == std::string_view::npos) return {};
  const std::string_view numbers = name.substr(infix + kTemporaryInfix.size());
  const std::size_t dash = numbers.find('-');
  if (dash == std::string_view::npos || !IsNumber(numbers.substr(0, dash)) ||
      !IsNumber(numbers.substr(dash + 1))) {
    return {};
  }
  return name.substr(0, infix);
}

}  // namespace extract
