// Starting the built tools on Windows (under Wine, on the build machine):
// one at a time, through the command interpreter.
#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "tests/test_support.h"
#include "tests/tool_run.h"

namespace d88test {

ToolRun RunTool(const Launch& launch) {
  auto quote = [](const std::string& text) { return '"' + text + '"'; };
  const std::filesystem::path capture = NextCapture();
  std::string command = quote(ToolPath(launch.tool));
  for (const std::string& arg : launch.args) command += ' ' + quote(arg);
  command += " >" + quote(Utf8(capture) + ".out") + " 2>" + quote(Utf8(capture) + ".err");
  // The run's language: Windows' own unless LANG is given.
  for (const wchar_t* name : {L"LC_ALL", L"LC_MESSAGES", L"LANG", L"LANGUAGE"}) {
    SetEnvironmentVariableW(name, nullptr);
  }
  if (!launch.lang.empty()) SetEnvironmentVariableA("LANG", launch.lang.c_str());
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(launch.folder);
  // cmd.exe strips one pair of quotes around it all; the wide call carries
  // any file name.
  std::u8string line = u8"\"";
  line.append(command.begin(), command.end()).append(u8"\"");
  const int status = _wsystem(std::filesystem::path(line).wstring().c_str());
  std::filesystem::current_path(here);
  std::filesystem::path out = capture, err = capture;
  return {status, 0, ReadText(out += ".out"), ReadText(err += ".err")};
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
