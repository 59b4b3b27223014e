// The one-line verdict on an image that `d88ls --check` gives.
#pragma once

#include <string>

#include "list/cut_outcomes.h"

namespace list {

// "all 14 files complete" when d88cut cuts every file whole from sectors
// read without an error, and `whole` true; otherwise what keeps it from
// that, file by file ("12 of 14 complete; broken off: MUS03; absent: VOICE;
// flagged: DRIVER"), or why it cuts none ("not a D88 image: ..."), and
// `whole` false. An image whose file ends before its disk does says so
// last: "; the image is cut short: 83000 of 348848 bytes".
std::string CheckVerdict(const ImageCuts& cuts, bool& whole);

}  // namespace list
