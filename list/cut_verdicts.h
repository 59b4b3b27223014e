// What d88cut would cut from an image, and why a file would come out short
// or not at all.
#pragma once

#include "d88/d88_image.h"
#include "list/line_sink.h"

namespace list {

// Selects disk 0 and its sector range as d88cut does, then gives one line for
// each output file in cutting order: complete; broken off (how many bytes the
// disk gives, and why the sector there stops the run); or absent. Sectors it
// takes that were read with an error status or carry a deleted mark are
// named after the verdict. False when `out` could not take a line.
bool JudgeCuts(d88::D88Image& image, const LineSink& out);

}  // namespace list
