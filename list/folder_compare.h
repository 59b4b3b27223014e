// Whether a folder holds what d88cut leaves there: `d88ls --compare`.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "list/cut_outcomes.h"

namespace list {

enum class Match {
  kAsCut,       // as d88cut leaves it in a fresh folder
  kNotAsCut,    // differs, missing, stale, or a temporary file left behind
  kUnreadable,  // the folder's file cannot be read
};

// The line for one file ("MUS03   differs from byte 513"), with `bytes` the
// ones d88cut writes for it (none when it writes none): "same", "differs from
// byte N" (counted from 1; with its size when that differs, as far as it was
// read to its end), "missing", "stale" (a file the image does not give: an
// earlier cut's), "not cut" (none there, as d88cut leaves none), or "cannot
// be read: <reason>"; for a symbolic link, which d88cut never leaves, "a
// link, not a file (its target holds the same bytes)" (or "(its target
// differs from byte N)", "(it leads nowhere)"), never kAsCut, and "cannot be
// read: a link to a device" (a FIFO, a folder) for one that leads to no
// regular file. Looks at the name before it opens anything, opens only a
// regular file, and reads it to its end or to one byte past the cut's.
std::string CompareWithFolder(const std::string& folder, const CutOutcome& outcome,
                              std::span<const std::uint8_t> bytes, Match& match);

// What a folder holds besides the files d88cut writes there: the temporary
// files a run of d88cut left behind, by the file each was to become, and
// every other name.
struct FolderExtras {
  std::map<std::string, std::vector<std::string>> temporaries;
  std::vector<std::string> others;
};
FolderExtras Extras(const std::vector<std::string>& names);

// The line for a temporary file `temporary` of the file `outcome` cuts, with
// `bytes` as for CompareWithFolder: "DRIVER.d88cut-29528-0  left by an
// interrupted d88cut: it holds the whole DRIVER of this image" (or "it is not
// the whole DRIVER of this image", "cannot be read: <reason>"; "a link, not
// a file that d88cut left" for a link). Never kAsCut.
std::string CompareTemporary(const std::string& folder, const std::string& temporary,
                             const CutOutcome& outcome, std::span<const std::uint8_t> bytes,
                             Match& match);

// "only in <folder>: MUS04.bak, notes.txt", naming up to eight of `others`
// and counting the rest ("..., and 12 more"); empty when there are none.
std::string OnlyIn(const std::string& folder, const std::vector<std::string>& others);

}  // namespace list
