#include "list/cut_verdicts.h"

#include <algorithm>
#include <vector>

#include "extract/cut_table.h"
#include "list/record_flags.h"
#include "list/sector_lookup.h"

namespace list {

namespace {

using d88::RunPosition;
using extract::Cut;
using Kind = SectorLookup::Kind;

// The sector of `cut` that `offset` falls in.
RunPosition SectorAt(const Cut& cut, int offset) {
  RunPosition at{cut.track, cut.cylinder, cut.head, cut.first_sector};
  for (int sector = 0; sector < offset / extract::kSectorSize; ++sector) {
    at = d88::NextInRun(at, extract::kFirstSector, extract::kLastSector);
  }
  return at;
}

std::string Place(const RunPosition& at) {
  return "track " + std::to_string(at.track) + " (C" + std::to_string(at.c) + " H" +
         std::to_string(at.h) + ") sector " + std::to_string(at.r);
}

// Why the run of `cut` stops at `offset`.
std::string Fault(d88::D88Image& image, const Cut& cut, int offset) {
  const RunPosition at = SectorAt(cut, offset);
  const SectorLookup lookup = FindSector(image, at);
  const std::string end = "record " + std::to_string(lookup.walk_end + 1);
  switch (lookup.kind) {
    case Kind::kMissing:
      return Place(at) + " is missing";
    case Kind::kNotReached:
      return Place(at) + " is never reached: the track's walk ends at " + end +
             (lookup.walk_end_count == 0
                  ? ", which counts no sectors"
                  : ", which counts " + std::to_string(lookup.walk_end_count) +
                        (lookup.walk_end_count == 1 ? " sector" : " sectors"));
    case Kind::kFound:
      break;
  }
  if (lookup.record.data_size == 0) return Place(at) + " has a record with no data";
  const int piece = std::min(extract::kSectorSize, cut.length - offset);
  std::vector<std::uint8_t> dest(piece);
  const int got =
      image.ReadSector(at.track, at.c, at.h, at.r, extract::kSizeCode, dest.data(), piece);
  return Place(at) + " is short: " + std::to_string(got) + " of " + std::to_string(piece) +
         " bytes";
}

// "; <place> was read with ..." for each of the first `taken` bytes' sectors
// whose status or deleted mark says anything.
std::string ReadingNotes(d88::D88Image& image, const Cut& cut, int taken) {
  std::string notes;
  for (int offset = 0; offset < taken; offset += extract::kSectorSize) {
    const RunPosition at = SectorAt(cut, offset);
    const std::string note = ReadingNote(FindSector(image, at).record);
    if (!note.empty()) notes += "; " + Place(at) + " " + note;
  }
  return notes;
}

std::string Verdict(d88::D88Image& image, const Cut& cut) {
  std::vector<std::uint8_t> dest(cut.length);
  const int got = image.ReadSectorRun(cut.track, cut.cylinder, cut.head, cut.first_sector,
                                      extract::kSizeCode, dest.data(), cut.length);
  const std::string length = std::to_string(cut.length);
  const std::string notes = ReadingNotes(image, cut, got);
  if (got == cut.length) return "complete, " + length + " bytes" + notes;
  if (got == 0) return "absent: " + Fault(image, cut, 0);
  return "broken off, " + std::to_string(got) + " of " + length +
         " bytes: " + Fault(image, cut, got) + notes;
}

}  // namespace

void JudgeCuts(d88::D88Image& image, const LineSink& out) {
  if (!image.SelectDisk(0)) return out("no disk 0: d88cut would cut nothing\n");
  image.SetSectorRange(extract::kFirstSector, extract::kLastSector);
  out("what d88cut would cut from disk 0:\n");
  for (const Cut& cut : extract::CuttingOrder()) {
    out("  " + cut.name + std::string(8 - cut.name.size(), ' ') + Verdict(image, cut) + "\n");
  }
}

}  // namespace list
