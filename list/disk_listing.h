// What is on an image: its disks and their tracks.
#pragma once

#include <string>
#include <string_view>

#include "d88/d88_image.h"
#include "list/cut_outcomes.h"
#include "list/line_sink.h"

namespace list {

// One line for each disk in the file (index, name, media type, write
// protection, disk_size and how far it claims past the end of the file),
// then one for each of its tracks that lists any sector record (track index,
// cylinder and head, number of records, their IDs in a compact form, the
// records whose flags are not the usual ones); last, the bytes the file holds
// after its last disk. A file that `cuts`, read from it by ReadCuts, show to
// be no D88 image gets one line that says so instead. Leaves the last disk it
// read selected. False when `out` could not take a line, or a read of the
// image failed (image.ReadError()): the listing ends there.
bool ListDisks(d88::D88Image& image, const ImageCuts& cuts, const LineSink& out);

// The name's bytes, with those outside printable ASCII (and the quote and
// backslash) shown as \xNN.
std::string EscapeName(std::string_view name);

}  // namespace list
