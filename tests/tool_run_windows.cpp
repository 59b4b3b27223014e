// Starting the built tools on Windows (under Wine, on the build machine):
// one at a time, through the command interpreter.
#include <algorithm>
#include <cstdlib>

#include "tests/tool_run.h"

namespace d88test {

struct StartedTool::Process {
  int status = -1;
  std::string capture = NextCapture().string();  // "<capture>.out" and ".err"
};

StartedTool::StartedTool(const Launch& launch) : process_(new Process) {
  auto quote = [](const std::string& text) { return '"' + text + '"'; };
  std::string command = quote(ToolPath(launch.tool));
  for (const std::string& arg : launch.args) command += ' ' + quote(arg);
  command += " >" + quote(process_->capture + ".out") + " 2>" + quote(process_->capture + ".err");
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(launch.folder);
  // cmd.exe strips one pair of quotes around it all; the wide call carries
  // any file name.
  std::u8string line = u8"\"";
  line.append(command.begin(), command.end()).append(u8"\"");
  process_->status = _wsystem(std::filesystem::path(line).wstring().c_str());
  std::filesystem::current_path(here);
}

StartedTool::~StartedTool() = default;

ToolRun StartedTool::Wait() {
  return {process_->status, 0, ReadText(process_->capture + ".out"),
          ReadText(process_->capture + ".err")};
}

// Under Wine the build machine's root is drive Z.
std::string ToolPath(std::string_view tool) {
  std::string path = std::string(D88_TOOLS_DIR "/").append(tool).append(".exe");
  if (path.starts_with('/')) path = "Z:" + path;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

}  // namespace d88test
