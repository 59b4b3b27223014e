// Cutting the music disk's files out of the selected disk into the current
// folder.
#pragma once

#include "d88/d88_image.h"
#include "extract/cut_table.h"
#include "platform/platform.h"

namespace extract {

enum class CutResult {
  kWritten,
  kNotOnDisk,   // not even the run's first sector is there: skipped silently
  kNotWritten,  // announced, but the file could not be written
  kUnreadable,  // the image could not be read: nothing is announced or written
};

// Reads the cut's run and, when the disk gave any of it, prints the progress
// line and writes the file `cut.name` at its full length even when the run
// broke off, with zeros past what the disk gave. Never writes over the image
// file itself.
CutResult ExtractFile(d88::D88Image& image, const Cut& cut);

// Cuts every file in order from an image opened by OpenForCutting. Stops at
// the first file whose run could not be read, saying why. False then, or
// when any announced file could not be written.
bool ExtractAll(d88::D88Image& image);

}  // namespace extract
