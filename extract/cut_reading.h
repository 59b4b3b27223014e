// How d88cut reads its cuts: the one home of how the image is opened and
// prepared, of what each cut reads and comes to, and of the words d88cut
// stops with, so that d88ls's verdicts and comparisons say what d88cut does,
// file by file, down to where the reading budget stops it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>
#include <vector>

#include "d88/d88_image.h"
#include "d88/header_signs.h"
#include "extract/cut_table.h"

namespace extract {

// Opens the image at `path` (UTF-8 on Windows) and prepares it as d88cut
// does: selects disk 0 (when there is none, every run reads nothing) and sets
// the music disk's sector range. False, with the reason in `error`, when it
// cannot be opened or is not a regular file.
bool OpenForCutting(d88::D88Image& image, const char* path, std::error_code& error);

// What the image is, as OpenForCutting leaves it and before any cut is read.
struct ImageShape {
  // False for a file shorter than a disk header. A scan that a failed read
  // cut short found no disk, but the file may hold one: d88cut then stops at
  // its first cut.
  bool has_disk = false;
  std::optional<d88::ForeignHeader> sign{};  // disk 0's header is none
  std::int64_t file_size = 0;
  std::int64_t disk_size = 0;  // disk 0's, as stored

  // Whether the file ends before disk 0 does: a download or a copy that
  // stopped part of the way.
  bool CutShort() const { return has_disk && !sign && file_size < disk_size; }
};
ImageShape ShapeOf(const d88::D88Image& image);

// One cut as d88cut reads it, and what becomes of it.
struct CutOutcome {
  enum class Kind {
    kComplete,    // cut whole
    kBrokenOff,   // written at full length, but the disk gives only part of it
    kAbsent,      // not even its first sector is there whole: d88cut skips it
    kStopsHere,   // the image cannot be read here (`error`): d88cut stops
    kNotReached,  // d88cut stopped at an earlier file
  };
  Cut cut;
  Kind kind = Kind::kNotReached;
  int got = 0;                          // the bytes of the whole sectors it takes
  std::optional<d88::RunPiece> stop{};  // kBrokenOff, kAbsent: where its run stops
  std::vector<d88::RunPiece> noted{};   // the sectors it takes whose flags say something
  std::error_code error{};              // kStopsHere: why

  // Whether d88cut writes a file for it.
  bool Written() const { return kind == Kind::kComplete || kind == Kind::kBrokenOff; }
  // The bytes of its file that the disk gives: its whole sectors, then what a
  // sector that is there but short holds; zeros follow up to its length.
  int Given() const;
  // Whether a sector it takes was read with an error (a deleted mark is none).
  bool Flagged() const;
};

// Reads the run of `cut` into `bytes` (cut.length of them) as d88cut does:
// the file d88cut writes is those bytes, zeros past what the disk gave.
CutOutcome ReadCut(d88::D88Image& image, const Cut& cut, std::span<std::uint8_t> bytes);

}  // namespace extract
