// Output files that never cost the user a file: an existing one is replaced
// only by a complete new one that is on the disk, and only a file this run
// created is ever written, moved or removed.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/platform.h"

namespace extract {

// Why an output file was not written, and a temporary file of the run that
// could not be removed after, if any.
struct NotWritten {
  std::string reason;
  std::string stray{};         // the temporary file's name; empty when it is gone
  std::string stray_reason{};  // why it could not be removed
};

// Writes `bytes` to a new temporary file beside `name`, created by this call
// under a name no other run uses, puts it on the disk and renames it over
// `name`. The new file lets nobody read it whom the file it replaces kept out
// (see platform::NewFile::KeepAccess); under a new name, it has what the
// folder gives. Keeps an existing `name` whose file (after links) is the
// image, known by its identity, a folder or write-protected, and one whose
// status the system cannot tell. None when the file was written; otherwise
// why not, in plain words: the earlier `name`, if any, is then as it was, and
// the temporary file is removed, or named.
std::optional<NotWritten> WriteOutputFile(const char* name, std::span<const std::uint8_t> bytes,
                                          const platform::FileIdentity& image);

}  // namespace extract
