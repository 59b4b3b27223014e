// What the tests share: the image builder, scratch folders, and the built
// tools run as a user runs them.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tools/image_builder.h"

namespace d88test {

using namespace d88build;

Bytes ReadFile(const std::filesystem::path& path);

// SectorData of sectors `first` to `last` of a track, back to back; of the
// last one only its first `last_size` bytes.
Bytes Sectors(int track, int first, int last, std::size_t last_size = 256);

// A fresh, empty folder, removed with everything in it.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }
  std::vector<std::string> List() const;  // the names in it, sorted

 private:
  std::filesystem::path path_;
};

struct ToolRun {
  int status = -1;
  std::string out{};  // standard output, byte for byte
  std::string err{};  // standard error, byte for byte
};

// The path of a tool built here, "d88cut" or "d88ls".
std::string ToolPath(std::string_view tool = "d88cut");

// Runs the tool with `args` in `folder`, capturing its output outside it.
ToolRun RunTool(const std::filesystem::path& folder, const std::vector<std::string>& args,
                std::string_view tool = "d88cut");

}  // namespace d88test
