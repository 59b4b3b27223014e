// What d88cut does with each file of an image, found by reading the image as
// d88cut reads it: every verdict d88ls gives says what d88cut then does.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "d88/d88_image.h"
#include "extract/cut_table.h"

namespace list {

struct CutOutcome {
  enum class Kind {
    kComplete,    // cut whole
    kBrokenOff,   // written at full length, but the disk gives only `got` bytes of it
    kAbsent,      // not even its first sector is there whole: d88cut skips it
    kStopsHere,   // the image cannot be read here (`error`): d88cut stops
    kNotReached,  // d88cut stopped at an earlier file
  };
  extract::Cut cut;
  Kind kind = Kind::kNotReached;
  int got = 0;                          // the bytes of the whole sectors it takes
  std::optional<d88::RunPiece> stop{};  // kBrokenOff, kAbsent: where its run stops
  std::vector<d88::RunPiece> noted{};   // the sectors it takes whose flags say something
  std::error_code error{};              // kStopsHere: why

  // Whether d88cut writes a file for it.
  bool Written() const { return kind == Kind::kComplete || kind == Kind::kBrokenOff; }
};

struct ImageCuts {
  bool has_disk = false;           // false: the file is shorter than a disk header
  std::vector<CutOutcome> cuts{};  // in cutting order, all of them

  // Why a read of the image failed where d88cut stops: none when it does not
  // stop, or stops at the reading budget (the image's doing, not the system's).
  std::error_code ReadFailure() const;
};

// The file's name padded to the column its line goes on in: "MUS03   ".
std::string NameColumn(const extract::Cut& cut);

// What `take(outcome, bytes)` gets for each file in cutting order, as soon as
// it is read: `bytes` are those d88cut writes (empty when it writes none).
using TakeCut = std::function<void(const CutOutcome&, std::span<const std::uint8_t>)>;

// Opens the image at `path` in `image` as d88cut does and reads every cut as
// d88cut does, within the same reading budget; none, with the reason in
// `error`, when it cannot be opened.
std::optional<ImageCuts> ReadCuts(d88::D88Image& image, const std::string& path,
                                  std::error_code& error, const TakeCut& take = {});

}  // namespace list
