// What is on an image: its disks and their tracks.
#pragma once

#include <string>

#include "d88/d88_image.h"

namespace list {

// One line for each disk in the file (index, name, media type, disk_size),
// then one for each of its tracks that lists any sector record (track index,
// cylinder and head, number of records, their IDs in a compact form). Leaves
// the last disk selected.
std::string ListDisks(d88::D88Image& image);

// The name's bytes, with those outside printable ASCII (and the quote and
// backslash) shown as \xNN.
std::string EscapeName(std::string_view name);

}  // namespace list
