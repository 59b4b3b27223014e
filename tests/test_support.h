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

// The fourteen output files in cutting order, and the progress lines for
// `names`.
extern const std::vector<std::string> kOrder;
std::string Progress(const std::vector<std::string>& names);

// The open error: "ファイルをオープンできません." and a line feed, in Shift_JIS.
inline const std::string kOpenError =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x83\x49\x81\x5B\x83\x76"
    "\x83\x93\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x2E\x0A";

struct ToolRun {
  int status = -1;
  std::string out{};  // standard output, byte for byte
  std::string err{};  // standard error, byte for byte
};

// The path of a tool built here, "d88cut" or "d88ls".
std::string ToolPath(std::string_view tool = "d88cut");

// Runs the tool with `args` (UTF-8) in `folder`, capturing its output outside
// it. A `shell_prefix` goes before the command ("cat x | ", say).
ToolRun RunTool(const std::filesystem::path& folder, const std::vector<std::string>& args,
                std::string_view tool = "d88cut", std::string_view shell_prefix = "");

#ifndef _WIN32
// d88cut started in `folder` with exactly `argv` (argument 0 included), held
// before it runs: its process id is known before it makes any file.
class HeldTool {
 public:
  HeldTool(const std::filesystem::path& folder, const std::vector<std::string>& argv);
  int pid() const { return pid_; }
  void Go();      // lets it run
  ToolRun Run();  // lets it run if it does not yet, and waits for it

 private:
  ScratchDir capture_;
  int pid_ = -1;
  int gate_ = -1;
};
#endif

}  // namespace d88test
