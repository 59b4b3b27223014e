#include "tests/test_support.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "d88/wide_path.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace d88test {

namespace fs = std::filesystem;
#ifdef _WIN32
using d88::WidePath;
#endif

const std::vector<std::string> kOrder = {"DRIVER", "VOICE", "MUS00", "MUS01", "MUS02",
                                         "MUS03",  "MUS04", "MUS05", "MUS06", "MUS07",
                                         "MUS08",  "MUS09", "MUS10", "MUS11"};

std::string Progress(const std::vector<std::string>& names) {
  std::string lines;
  for (const std::string& name : names) lines += "cutting ... " + name + "\n";
  return lines;
}

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
  for (const auto& entry : fs::directory_iterator(path_)) {
    const std::u8string name = entry.path().filename().u8string();
    names.emplace_back(name.begin(), name.end());
  }
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

namespace {

ToolRun Captured(int status, const ScratchDir& capture) {
  const Bytes out = ReadFile(capture / "out"), err = ReadFile(capture / "err");
  return {status, std::string(out.begin(), out.end()), std::string(err.begin(), err.end())};
}

}  // namespace

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
  const int status = _wsystem(WidePath(('"' + command + '"').c_str()).c_str());
#else
  const int result = std::system(command.c_str());
  const int status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
#endif
  fs::current_path(here);
  return Captured(status, capture);
}

#ifndef _WIN32
HeldTool::HeldTool(const fs::path& folder, const std::vector<std::string>& argv) {
  int gate[2];
  if (pipe(gate) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    char go;
    if (read(gate[0], &go, 1) != 1 || chdir(folder.c_str()) != 0) _exit(98);
    std::freopen((capture_ / "out").c_str(), "wb", stdout);
    std::freopen((capture_ / "err").c_str(), "wb", stderr);
    std::vector<char*> pointers;
    for (const std::string& arg : argv) pointers.push_back(const_cast<char*>(arg.c_str()));
    pointers.push_back(nullptr);
    execve(ToolPath().c_str(), pointers.data(), environ);
    _exit(99);
  }
  close(gate[0]);
  gate_ = gate[1];
}

void HeldTool::Go() {
  if (gate_ < 0) return;
  if (write(gate_, "!", 1) != 1) pid_ = -1;
  close(gate_);
  gate_ = -1;
}

ToolRun HeldTool::Run() {
  Go();
  int result = 0;
  waitpid(pid_, &result, 0);
  return Captured(WIFEXITED(result) ? WEXITSTATUS(result) : -1, capture_);
}
#endif

}  // namespace d88test
