// Whether a folder holds what d88cut leaves there: `d88ls --compare`.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "list/cut_outcomes.h"

namespace list {

enum class Match {
  kAsCut,       // as d88cut leaves it in a fresh folder
  kNotAsCut,    // differs, missing, or stale (a file d88cut does not cut)
  kUnreadable,  // the folder's file cannot be read
};

// The line for one file ("MUS03   differs from byte 513"), with `bytes` the
// ones d88cut writes for it (none when it writes none): "same", "differs from
// byte N" (counted from 1), "missing", "stale" (a file the image does not
// give: an earlier cut's), "not cut" (none there, as d88cut leaves none), or
// "cannot be read: <reason>". Only reads the folder's file.
std::string CompareWithFolder(const std::string& folder, const CutOutcome& outcome,
                              std::span<const std::uint8_t> bytes, Match& match);

}  // namespace list
