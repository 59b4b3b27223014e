// The listing's verdict on each cut: what d88cut does with each file, and
// why a file comes out short or not at all.
#pragma once

#include <string>

#include "d88/d88_image.h"
#include "list/cut_outcomes.h"
#include "list/line_sink.h"

namespace list {

// The lines for `cuts`, read by ReadCuts from the image at `path`: "no disk 0:
// d88cut would cut nothing" for a file that is not a D88 image (and gives
// nothing), or "what d88cut would cut from disk 0:" and a line
// for each file in cutting order: complete; broken off (how many bytes the disk
// gives, and why the sector there stops the run); absent; where d88cut stops,
// and the files it never reaches. Sectors a file takes that were read with an
// error status or carry a deleted mark are named after the verdict. To tell a
// sector stored past the end of its track's walk from one not stored at all,
// it opens the image again in `image` and searches on past that end, within a
// reading budget of its own. Where that search cannot read the image, the
// lines end before the verdict it was for, with the reason in `failure`.
// False when `out` could not take a line.
bool JudgeCuts(d88::D88Image& image, const std::string& path, const ImageCuts& cuts,
               const LineSink& out, std::error_code& failure);

}  // namespace list
