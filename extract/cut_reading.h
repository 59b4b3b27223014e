// How d88cut reads its cuts: the one home of how the image is opened and
// prepared, and of what each cut reads, so that d88ls's verdicts and
// comparisons say what d88cut does, file by file, down to where the reading
// budget stops it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <system_error>

#include "d88/d88_image.h"
#include "extract/cut_table.h"

namespace extract {

// Opens the image at `path` (UTF-8 on Windows) and prepares it as d88cut
// does: selects disk 0 (when there is none, every run reads nothing) and sets
// the music disk's sector range. False, with the reason in `error`, when it
// cannot be opened or is not a regular file.
bool OpenForCutting(d88::D88Image& image, const char* path, std::error_code& error);

// One cut as d88cut reads it.
struct CutRead {
  int got = 0;            // the bytes of the whole sectors its run took; 0: no file is written
  std::error_code error;  // the image could not be read (or took more reading
                          // than the budget): d88cut stops at this cut
};

// Reads the run of `cut` into `bytes` (cut.length of them) as d88cut does,
// handing each piece of the run to `observe(piece)`: the file d88cut writes
// is those bytes, zeros past what the disk gave.
template <typename Observe>
CutRead ReadCut(d88::D88Image& image, const Cut& cut, std::span<std::uint8_t> bytes,
                Observe observe) {
  std::fill(bytes.begin(), bytes.end(), std::uint8_t{0});
  const int got = image.ReadSectorRun(cut.track, cut.cylinder, cut.head, cut.first_sector,
                                      kSizeCode, bytes.data(), cut.length, observe);
  return {got, image.ReadError()};
}
inline CutRead ReadCut(d88::D88Image& image, const Cut& cut, std::span<std::uint8_t> bytes) {
  return ReadCut(image, cut, bytes, [](const d88::RunPiece&) {});
}

}  // namespace extract
