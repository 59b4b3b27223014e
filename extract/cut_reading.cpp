#include "extract/cut_reading.h"

#include <algorithm>

#include "d88/record_flags.h"

namespace extract {

bool OpenForCutting(d88::D88Image& image, const char* path, std::error_code& error) {
  if (!image.Open(path, error)) return false;
  // When this fails, every read finds nothing and no file is cut.
  image.SelectDisk(0);
  image.SetSectorRange(kFirstSector, kLastSector);
  return true;
}

ImageShape ShapeOf(const d88::D88Image& image) {
  return {.has_disk = image.DiskCount() > 0 || bool(image.ReadError()),
          .sign = d88::ForeignHeaderSign(image),
          .file_size = image.FileSize(),
          .disk_size = image.DiskSize()};
}

int CutOutcome::Given() const {
  const bool short_sector = stop && stop->location.kind == d88::SectorLocation::Kind::kFound;
  return got + (short_sector ? stop->location.stored_size : 0);
}

bool CutOutcome::Flagged() const {
  return std::any_of(noted.begin(), noted.end(), [](const d88::RunPiece& piece) {
    return d88::ReadWithError(piece.location.record);
  });
}

CutOutcome ReadCut(d88::D88Image& image, const Cut& cut, std::span<std::uint8_t> bytes) {
  using Kind = CutOutcome::Kind;
  CutOutcome outcome{.cut = cut};
  std::fill(bytes.begin(), bytes.end(), std::uint8_t{0});
  outcome.got = image.ReadSectorRun(cut.track, cut.cylinder, cut.head, cut.first_sector, kSizeCode,
                                    bytes.data(), cut.length, [&](const d88::RunPiece& piece) {
                                      if (!piece.Taken()) {
                                        outcome.stop = piece;
                                      } else if (d88::HasReadingNote(piece.location.record)) {
                                        outcome.noted.push_back(piece);
                                      }
                                    });
  outcome.error = image.ReadError();
  if (outcome.error) {
    outcome.kind = Kind::kStopsHere;
  } else if (!outcome.stop) {
    outcome.kind = Kind::kComplete;
  } else {
    outcome.kind = outcome.got == 0 ? Kind::kAbsent : Kind::kBrokenOff;
  }
  return outcome;
}

}  // namespace extract
