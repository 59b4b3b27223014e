// What a cut comes to, in words: the one home of the verdicts that d88ls
// lists and d88cut tells a person at a terminal, and of why an image gives
// nothing to cut.
#pragma once

#include <optional>
#include <span>
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
  // Why the image could not be opened again or read as far as a search
  // went (the reading budget aside, which only ends a search); none while
  // it could.
  std::error_code Failure() const { return failure_; }
  // Why a run stops at `stop`, in words: "track 15 (C7 H1) sector 2 is
  // missing".
  std::string Fault(const d88::RunPiece& stop);

 private:
  d88::D88Image& image_;
  std::string path_;
  std::optional<bool> opened_;
  std::error_code failure_;
};

// The verdict on one cut: "complete, 1792 bytes"; "broken off, 356 of 1792
// bytes (the rest is zeros): track 16 (C8 H0) sector 5 is short: 100 of 256
// bytes"; "absent: track 15 (C7 H1) sector 2 is missing"; "d88cut stops
// here: cannot read the image: <reason>"; "not cut: d88cut stops at
// `stopped_at`". Each sector it takes that was read with an error status or
// carries a deleted mark is named after it: "; track 17 (C8 H1) sector 15
// was read with a data CRC error". A sector the file's end keeps from a run
// "is past the end of the image" or "ends with the image: 32 of 256 bytes";
// where the search past a walk's end fails (see SectorSearch::Failure), the
// verdict says so: "..., and the image cannot be read past it: <reason>".
std::string Verdict(const CutOutcome& outcome, SectorSearch& search,
                    std::string_view stopped_at = {});

// Why d88cut cuts no file from an image, when every one of its `cuts` is
// absent: the file holds no disk header, disk 0's header shows a sign of
// being none (see ForeignHeaderSign), the file ends before disk 0 does, or
// none of the files is on disk 0. None when a file is cut, or d88cut stops.
struct NothingCut {
  enum class Why { kNoDisk, kNotAnImage, kCutShort, kNotOnDisk };
  Why why;
  std::string words;  // "not a D88 image: shorter than a disk header"

  // Whether the file is no D88 image at all.
  bool NotAnImage() const { return why == Why::kNoDisk || why == Why::kNotAnImage; }
};
std::optional<NothingCut> WhyNothingIsCut(const ImageShape& shape,
                                          std::span<const CutOutcome> cuts);

// "the image is cut short: 72000 of 348848 bytes", for an image that is.
std::string CutShortWords(const ImageShape& shape);

}  // namespace extract
