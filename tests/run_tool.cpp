#include "tests/run_tool.h"

#include <algorithm>
#include <cstdlib>

#include "tests/image_builder.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace d88test {

namespace {

std::string Quote(const std::filesystem::path& path) {
  return '"' + path.string() + '"';
}

int ExitStatus(int system_result) {
#ifdef _WIN32
  return system_result;
#else
  return WIFEXITED(system_result) ? WEXITSTATUS(system_result) : -1;
#endif
}

}  // namespace

std::string ToolPath() {
  const char* variable = std::getenv("D88CUT_EXE");
  std::string path = variable != nullptr ? variable : D88CUT_BUILT_EXE;
#ifdef _WIN32
  // Under Wine the build folder's path is a Unix one: Wine shows the host's
  // root as drive Z.
  if (path.starts_with('/')) {
    path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
  }
#endif
  return path;
}

ToolRun RunTool(const std::filesystem::path& folder, const std::vector<std::string>& args) {
  static const ScratchDir capture;
  const auto out_path = capture / "stdout";
  const auto err_path = capture / "stderr";
  std::string command = Quote(ToolPath());
  for (const std::string& arg : args) command += ' ' + Quote(arg);
  command += " >" + Quote(out_path) + " 2>" + Quote(err_path);
#ifdef _WIN32
  // cmd.exe strips one pair of quotes around the whole command.
  command = '"' + command + '"';
#endif
  const auto here = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  ToolRun run;
  run.status = ExitStatus(std::system(command.c_str()));
  std::filesystem::current_path(here);
  const Bytes out = ReadFile(out_path);
  const Bytes err = ReadFile(err_path);
  run.out.assign(out.begin(), out.end());
  run.err.assign(err.begin(), err.end());
  return run;
}

}  // namespace d88test
