#include "extract/output_file.h"

#include <optional>
#include <string>

namespace extract {

namespace {

// Names taken by other files are passed over, up to this many.
constexpr int kMaxNameTries = 100;

struct Temporary {
  std::string path;
  platform::NewFile file;
};

// A new file "<name>.d88cut-<process id>-<counter>": no other run at the same
// time uses the process id, and the counter moves past names already there.
std::optional<Temporary> CreateTemporary(const std::string& name) {
  static const std::string process = std::to_string(platform::ProcessId());
  static int counter = 0;
  const std::string prefix = name + ".d88cut-" + process + "-";
  for (int tries = 0; tries < kMaxNameTries; ++tries) {
    std::string path = prefix + std::to_string(counter++);
    std::error_code error;
    auto file = platform::NewFile::Create(path.c_str(), error);
    if (file) return Temporary{std::move(path), std::move(*file)};
    if (error != std::errc::file_exists) break;
  }
  return std::nullopt;
}

}  // namespace

bool WriteOutputFile(const char* name, std::span<const std::uint8_t> bytes,
                     const platform::FileIdentity& image) {
  const auto existing = platform::StatusOf(name);
  if (existing && (existing->identity == image || existing->write_protected)) return false;
  auto temporary = CreateTemporary(name);
  if (!temporary) return false;
  std::error_code error;
  const bool written = temporary->file.Write(bytes, error);
  if (temporary->file.Close(error) && written &&
      platform::RenameOver(temporary->path.c_str(), name, error)) {
    return true;
  }
  platform::RemoveFile(temporary->path.c_str());
  return false;
}

}  // namespace extract
