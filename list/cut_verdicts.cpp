#include "list/cut_verdicts.h"

#include <algorithm>
#include <vector>

#include "d88/run_position.h"
#include "extract/cut_table.h"

namespace list {

namespace {

using d88::RunPosition;
using extract::Cut;

// The sector of `cut` that `offset` falls in.
RunPosition SectorAt(const Cut& cut, int offset) {
  RunPosition at{cut.track, cut.cylinder, cut.head, cut.first_sector};
  for (int sector = 0; sector < offset / extract::kSectorSize; ++sector) {
    at = d88::NextInRun(at, extract::kFirstSector, extract::kLastSector);
  }
  return at;
}

// Why the run of `cut` stops at `offset`: the sector there is missing or short.
std::string Fault(d88::D88Image& image, const Cut& cut, int offset) {
  const RunPosition at = SectorAt(cut, offset);
  const int piece = std::min(extract::kSectorSize, cut.length - offset);
  std::vector<std::uint8_t> dest(piece);
  const int got =
      image.ReadSector(at.track, at.c, at.h, at.r, extract::kSizeCode, dest.data(), piece);
  std::string text = "track " + std::to_string(at.track) + " (C" + std::to_string(at.c) + " H" +
                     std::to_string(at.h) + ") sector " + std::to_string(at.r);
  if (got == 0) return text + " is missing";
  return text + " is short: " + std::to_string(got) + " of " + std::to_string(piece) + " bytes";
}

std::string Verdict(d88::D88Image& image, const Cut& cut) {
  std::vector<std::uint8_t> dest(cut.length);
  const int got = image.ReadSectorRun(cut.track, cut.cylinder, cut.head, cut.first_sector,
                                      extract::kSizeCode, dest.data(), cut.length);
  const std::string length = std::to_string(cut.length);
  if (got == cut.length) return "complete, " + length + " bytes";
  if (got == 0) return "absent: " + Fault(image, cut, 0);
  return "broken off, " + std::to_string(got) + " of " + length +
         " bytes: " + Fault(image, cut, got);
}

}  // namespace

std::string JudgeCuts(d88::D88Image& image) {
  if (!image.SelectDisk(0)) return "no disk 0: d88cut would cut nothing\n";
  image.SetSectorRange(extract::kFirstSector, extract::kLastSector);
  std::string text = "what d88cut would cut from disk 0:\n";
  for (const Cut& cut : extract::CuttingOrder()) {
    text += "  " + cut.name + std::string(8 - cut.name.size(), ' ') + Verdict(image, cut) + "\n";
  }
  return text;
}

}  // namespace list
