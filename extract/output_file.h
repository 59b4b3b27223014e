// Output files that never cost the user a file: an existing one is replaced
// only by a complete new one, and only a file this run created is ever
// written, moved or removed.
#pragma once

#include <cstdint>
#include <span>

#include "platform/platform.h"

namespace extract {

// Writes `bytes` to a new temporary file beside `name`, created by this call
// under a name no other run uses, then renames it over `name`. Refuses an
// existing `name` that is the image (known by its identity) or is
// write-protected. False on any failure: the earlier `name`, if any, is then
// as it was, and no temporary file stays behind.
bool WriteOutputFile(const char* name, std::span<const std::uint8_t> bytes,
                     const platform::FileIdentity& image);

}  // namespace extract
