// What d88cut would cut from an image, and why a file would come out short
// or not at all.
#pragma once

#include <string>

#include "d88/d88_image.h"

namespace list {

// Selects disk 0 and its sector range as d88cut does, then gives one line for
// each output file in cutting order: complete; broken off (how many bytes the
// disk gives, and which sector is missing or short); or absent.
std::string JudgeCuts(d88::D88Image& image);

}  // namespace list
