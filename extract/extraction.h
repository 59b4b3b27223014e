// Cutting the music disk's files out of the selected disk into the current
// folder.
#pragma once

#include <string>

#include "d88/d88_image.h"
#include "extract/cut_table.h"
#include "extract/terminal_notes.h"

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
// file itself. What a person at a terminal should know of it goes to `notes`.
CutResult ExtractFile(d88::D88Image& image, const Cut& cut, TerminalNotes& notes);

// Cuts every file in order from the image at `path`, opened by
// OpenForCutting, for d88cut run as `program` (its argument 0). Stops at the
// first file whose run could not be read, saying why. False then, or when
// any announced file could not be written.
bool ExtractAll(d88::D88Image& image, const std::string& path, const std::string& program);

}  // namespace extract
