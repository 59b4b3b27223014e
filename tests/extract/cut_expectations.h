// What d88cut should write: the files in cutting order, their progress
// lines, and what each holds of the bundled sample.
#pragma once

#include <string>
#include <vector>

namespace d88test {

inline const std::vector<std::string> kCuttingOrder = {"DRIVER", "VOICE", "MUS00", "MUS01", "MUS02",
                                                       "MUS03",  "MUS04", "MUS05", "MUS06", "MUS07",
                                                       "MUS08",  "MUS09", "MUS10", "MUS11"};

// "cutting ... <name>\n" for each name of the cutting order from `from` up
// to `to`.
std::string Progress(std::size_t from = 0, std::size_t to = kCuttingOrder.size());

}  // namespace d88test
