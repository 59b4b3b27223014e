// Starting the built tools on Windows (under Wine, on the build machine):
// each run a process of its own, its standard output and error in files.
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <utility>

#include "tests/tool_run.h"

namespace d88test {

struct StartedTool::Process {
  std::intptr_t handle = -1;
  std::string capture = NextCapture().string();  // "<capture>.out" and ".err"
};

namespace {

std::wstring Wide(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end())).wstring();
}

// Standard output and error of this process go to the capture files while
// it lives, and come back after.
class Redirected {
 public:
  explicit Redirected(const std::string& capture) {
    std::fflush(stdout);
    std::fflush(stderr);
    for (int stream : {1, 2}) {
      const std::wstring path = Wide(capture + (stream == 1 ? ".out" : ".err"));
      const int file = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY,
                              _S_IREAD | _S_IWRITE);
      saved_[stream - 1] = _dup(stream);
      if (file < 0 || _dup2(file, stream) != 0) throw std::runtime_error("no capture file");
      _close(file);
    }
  }
  ~Redirected() {
    for (int stream : {1, 2}) {
      _dup2(saved_[stream - 1], stream);
      _close(saved_[stream - 1]);
    }
  }

 private:
  int saved_[2] = {-1, -1};
};

}  // namespace

StartedTool::StartedTool(const Launch& launch) : process_(new Process) {
  // Each argument quoted: the C runtime joins them with spaces.
  std::vector<std::wstring> args = {L'"' + Wide(ToolPath(launch.tool)) + L'"'};
  for (const std::string& arg : launch.args) args.push_back(L'"' + Wide(arg) + L'"');
  std::vector<const wchar_t*> argv;
  for (const std::wstring& arg : args) argv.push_back(arg.c_str());
  argv.push_back(nullptr);
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(launch.folder);
  {
    const Redirected redirected(process_->capture);
    process_->handle = _wspawnv(_P_NOWAIT, Wide(ToolPath(launch.tool)).c_str(), argv.data());
  }
  std::filesystem::current_path(here);
  if (process_->handle == -1) throw std::runtime_error("the tool did not start");
}

StartedTool::~StartedTool() {
  if (process_->handle != -1) Wait();
}

ToolRun StartedTool::Wait() {
  int status = -1;
  _cwait(&status, std::exchange(process_->handle, -1), 0);
  return {status, 0, ReadText(process_->capture + ".out"), ReadText(process_->capture + ".err")};
}

const std::string kDevice = "CON";

// Under Wine the build machine's root is drive Z.
std::string ToolPath(std::string_view tool) {
  std::string path = std::string(D88_TOOLS_DIR "/").append(tool).append(".exe");
  if (path.starts_with('/')) path = "Z:" + path;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

}  // namespace d88test
