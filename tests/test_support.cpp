#include "tests/test_support.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

#include "d88/wide_path.h"

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

// Named by the time and a random number: test processes may run side by side.
ScratchDir::ScratchDir() {
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path = fs::temp_directory_path() /
         ("d88test-" + std::to_string(stamp) + "-" + std::to_string(std::random_device()()));
  fs::create_directories(path);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  fs::remove_all(path, ignored);
}

std::vector<std::string> ScratchDir::List() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(path)) {
    const std::u8string name = entry.path().filename().u8string();
    names.emplace_back(name.begin(), name.end());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ToolPath(std::string_view tool) {
  return HostPath(std::string(D88_TOOLS_DIR "/").append(tool).append(D88_EXE_SUFFIX));
}

std::string HostPath(std::string path) {
#ifdef _WIN32
  // Under Wine the host's root is drive Z.
  if (path.starts_with('/')) path = "Z:" + path;
  std::replace(path.begin(), path.end(), '/', '\\');
#endif
  return path;
}

ToolRun RunTool(const fs::path& folder, const std::vector<std::string>& args, std::string_view tool,
                std::string_view shell_prefix) {
  static const ScratchDir capture;
  auto quote = [](const std::string& text) { return '"' + text + '"'; };
  std::string command = std::string(shell_prefix) + quote(ToolPath(tool));
  for (const std::string& arg : args) command += ' ' + quote(arg);
  command += " >" + quote((capture / "out").string()) + " 2>" + quote((capture / "err").string());
  const fs::path here = fs::current_path();
  fs::current_path(folder);
#ifdef _WIN32
  // cmd.exe strips one pair of quotes around it all; the wide call carries
  // any file name.
  const int status = _wsystem(d88::WidePath(('"' + command + '"').c_str()).c_str());
#else
  const int result = std::system(command.c_str());
  const int status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
#endif
  fs::current_path(here);
  const Bytes out = ReadFile(capture / "out"), err = ReadFile(capture / "err");
  return {status, std::string(out.begin(), out.end()), std::string(err.begin(), err.end())};
}

bool ReaderTest::Open(const Bytes& bytes) {
  path_ = dir_ / std::to_string(files_++);
  WriteFile(path_, bytes);
  return image_.Open(path_.string().c_str());
}

std::string ReaderTest::Selected(int index) {
  return image_.SelectDisk(index) ? std::string(image_.DiskName()) : "(failed)";
}

Bytes ReaderTest::Run(int track, int r, int total, int n) {
  Bytes dest(total);
  dest.resize(image_.ReadSectorRun(track, track / 2, track % 2, r, n, dest.data(), total));
  return dest;
}

Bytes ReaderTest::Read(int track, int r, int limit, int n) {
  Bytes dest(limit);
  dest.resize(image_.ReadSector(track, track / 2, track % 2, r, n, dest.data(), limit));
  return dest;
}

Bytes ReaderTest::Ids(int track, int limit) {
  Bytes dest(limit);
  dest.resize(image_.ReadTrackIds(track, dest.data(), limit));
  return dest;
}

}  // namespace d88test
