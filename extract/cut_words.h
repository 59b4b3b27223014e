// What a cut comes to, in words: the one home of the verdicts that d88ls
// lists and d88cut tells a person at a terminal, and of why an image gives
// nothing to cut.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "d88/d88_image.h"
#include "d88/header_signs.h"
#include "extract/cut_reading.h"

namespace extract {

// Where the sectors that runs do not find stand: searched on past the end of
// their track's walk, to tell a sector stored after that end from one not
// stored at all, in the image at `path` opened again in `image` for it (once,
// within a reading budget of its own), so that the reading of the cuts is
// left as it was.
class SectorSearch {
 public:
  SectorSearch(d88::D88Image& image, std::string_view path) : image_(image), path_(path) {}
  // Where the sector of `stop`, a piece a run did not take, stands.
  d88::SectorLocation Locate(const d88::RunPiece& stop);

 private:
  d88::D88Image& image_;
  std::string path_;
  std::optional<bool> opened_;
};

// The verdict on one cut: "complete, 1792 bytes"; "broken off, 356 of 1792
// bytes (the rest is zeros): track 16 (C8 H0) sector 5 is short: 100 of 256
// bytes"; "absent: track 15 (C7 H1) sector 2 is missing"; "d88cut stops
// here: cannot read the image: <reason>"; "not cut: d88cut stops at
// `stopped_at`". Each sector it takes that was read with an error status or
// carries a deleted mark is named after it: "; track 17 (C8 H1) sector 15
// was read with a data CRC error".
std::string Verdict(const CutOutcome& outcome, SectorSearch& search,
                    std::string_view stopped_at = {});

// Why an image of which d88cut cuts no file gives none: it holds no disk
// header (`has_disk` false), disk 0's header shows a sign of being none
// (see ForeignHeaderSign), or none of the files is on disk 0.
std::string WhyNothingIsCut(bool has_disk, const std::optional<d88::ForeignHeader>& sign);

}  // namespace extract
