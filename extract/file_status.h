// What an output's name holds before it is replaced: which file it is, and
// whether its owner has made it read-only.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>

namespace extract {

// Two names with one identity are one file (the same device and file number
// on POSIX, volume and file index on Windows).
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

struct FileStatus {
  FileIdentity identity;
  // No write permission bit at all on POSIX, whoever runs the tool; the
  // read-only attribute on Windows.
  bool write_protected = false;
};

// The status of what `path` (UTF-8) names, following links; none when it
// names nothing.
std::optional<FileStatus> StatusOf(const char* path);

}  // namespace extract
