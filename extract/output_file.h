// Output files that never cost the user a file: an existing one is replaced
// only by a complete new one that is on the disk, and only a file this run
// created is ever written, moved or removed.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/platform.h"

namespace extract {

// Writes `bytes` to a new temporary file beside `name`, created by this call
// under a name no other run uses, puts it on the disk and renames it over
// `name`. The new file has the permission bits of the file it replaces from
// the start; under a new name, the usual bits. Keeps an existing `name`
// whose file (after links) is the image, known by its identity, a folder or
// write-protected, and one whose status the system cannot tell. False, with
// why in plain words in `reason`, when the file could not be written: the
// earlier `name`, if any, is then as it was, and no temporary file stays
// behind.
bool WriteOutputFile(const char* name, std::span<const std::uint8_t> bytes,
                     const platform::FileIdentity& image, std::string& reason);

}  // namespace extract
