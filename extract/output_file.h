// Output files that never cost the user a file: an existing one is replaced
// only by a complete new one, and the image being read is never written over.
#pragma once

#include <cstdint>
#include <span>

namespace extract {

// Writes `bytes` to a temporary file beside `name`, then renames it over
// `name`. On failure the earlier `name`, if any, is left as it was and no
// temporary file stays behind.
bool ReplaceFile(const char* name, std::span<const std::uint8_t> bytes);

// True when both paths reach one and the same existing file.
bool IsSameFile(const char* a, const char* b);

}  // namespace extract
