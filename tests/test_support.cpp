#include "tests/test_support.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace d88test {

namespace fs = std::filesystem;

Bytes ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes Sectors(int track, int first, int last, std::size_t last_size) {
  Bytes all;
  for (int r = first; r <= last; ++r) all = Concat({all, SectorData(track, r)});
  all.resize(all.size() - 256 + last_size);
  return all;
}

ScratchDir::ScratchDir() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path_ = fs::temp_directory_path() /
          ("d88test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  fs::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::vector<std::string> ScratchDir::List() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(path_))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string ToolPath(std::string_view tool) {
  std::string path = std::string(D88_TOOLS_DIR "/").append(tool).append(D88_EXE_SUFFIX);
#ifdef _WIN32
  // Under Wine the build folder's path is a Unix one; Wine shows the host's
  // root as drive Z.
  if (path.starts_with('/')) {
    path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
  }
#endif
  return path;
}

ToolRun RunTool(const fs::path& folder, const std::vector<std::string>& args,
                std::string_view tool) {
  static const ScratchDir capture;
  auto quote = [](const fs::path& path) { return '"' + path.string() + '"'; };
  std::string command = quote(ToolPath(tool));
  for (const std::string& arg : args) command += ' ' + quote(arg);
  command += " >" + quote(capture / "out") + " 2>" + quote(capture / "err");
#ifdef _WIN32
  command = '"' + command + '"';  // cmd.exe strips one pair of quotes around it all
#endif
  const fs::path here = fs::current_path();
  fs::current_path(folder);
  const int result = std::system(command.c_str());
  fs::current_path(here);
#ifdef _WIN32
  ToolRun run{result};
#else
  ToolRun run{WIFEXITED(result) ? WEXITSTATUS(result) : -1};
#endif
  const Bytes out = ReadFile(capture / "out"), err = ReadFile(capture / "err");
  run.out.assign(out.begin(), out.end());
  run.err.assign(err.begin(), err.end());
  return run;
}

}  // namespace d88test
