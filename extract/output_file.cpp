#include "extract/output_file.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace extract {

namespace {

constexpr char kTemporarySuffix[] = ".d88cut-tmp";

}  // namespace

bool ReplaceFile(const char* name, std::span<const std::uint8_t> bytes) {
  const std::filesystem::path target = name;
  const std::filesystem::path temporary = target.string() + kTemporarySuffix;
  std::FILE* file = std::fopen(temporary.string().c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  std::error_code error;
  if (std::fclose(file) == 0 && written) {
    // The rename replaces an existing file on every system (on Windows too).
    std::filesystem::rename(temporary, target, error);
    if (!error) return true;
  }
  // Only what this call created is removed.
  std::filesystem::remove(temporary, error);
  return false;
}

bool IsSameFile(const char* a, const char* b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

}  // namespace extract
